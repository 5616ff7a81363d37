// forbidden.txt: the reader refuses with a message or accepts; what it
// accepted names only players of the table, in groups of two or more, and
// the written file reads back to the same groups.
#include "fuzz_support.h"
#include "store/forbidden_file.h"

using namespace veltrun;

VELTRUN_FUZZ_TARGET {
    auto file = fuzz::FreshTournamentFolder() / "forbidden.txt";
    fuzz::WriteBytes(file, input);
    fuzz::FuzzSession s;
    Tournament t;
    for (const char* alias : {"A1", "B2", "\xC5\xBD\xC3\xB3" "3", "c4"}) {
        TPlayer player;
        player.ArrivalID = alias;
        t.glob_ARRAY_PLAYERS.Add(player, "full");
    }
    ForbiddenGroupList groups;
    if (fuzz::Refused([&] { groups = ReadForbiddenGroups(s.session, t, file); }))
        return fuzz::Require(fuzz::ReadBytes(file) == input, "a refused file is left as it was");
    for (const auto& group : groups) {
        fuzz::Require(group.size() >= 2, "a group holds two players or more");
        for (const auto& alias : group) fuzz::Require(FindPlayerByArrivalID(t, alias) > 0, "a group names players only");
    }
    WriteForbiddenGroups(file, groups);
    fuzz::Require(ReadForbiddenGroups(s.session, t, file) == groups, "writing and reading keep the groups");
}
