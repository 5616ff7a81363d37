// forbidden.txt: the reader refuses with a message or accepts; what it
// accepted names only players of the table, in groups of two or more, and
// the written file reads back to the same groups.
#include "fuzz_tournament.h"
#include "store/errors.h"
#include "store/forbidden_file.h"

using namespace veltrun;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto folder = fuzz::FreshTournamentFolder();
    auto file = folder / "forbidden.txt";
    std::string input(reinterpret_cast<const char*>(data), size);
    fuzz::PutFile(file, input);
    fuzz::FuzzSession s;
    Tournament t;
    for (const char* alias : {"A1", "B2", "\xC5\xBD\xC3\xB3" "3", "c4"}) {
        TPlayer player;
        player.ArrivalID = alias;
        t.glob_ARRAY_PLAYERS.Add(player, "full");
    }
    ForbiddenGroupList groups;
    try {
        groups = ReadForbiddenGroups(s.session, t, file);
    } catch (const myException& e) {
        fuzz::RequireMessage(e);
        fuzz::Require(fuzz::FileBytes(file) == input, "a refused file is left as it was");
        return 0;
    }
    for (const auto& group : groups) {
        fuzz::Require(group.size() >= 2, "a group holds two players or more");
        for (const auto& alias : group) fuzz::Require(FindPlayerByArrivalID(t, alias) > 0, "a group names players only");
    }
    WriteForbiddenGroups(file, groups);
    fuzz::Require(ReadForbiddenGroups(s.session, t, file) == groups, "writing and reading keep the groups");
    return 0;
}
