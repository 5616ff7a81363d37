// forbid, allow and forbidden on the command line, and what the groups do to deleting a player and to pairing a round
// (a field they make unpairable is refused like any other, see the pairing command's tests).
#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/store_fixture.h"

namespace veltrun::cli {
namespace {

using veltrun::testing::Crlf;
using veltrun::testing::ReadBytes;

const std::string kHeader = "# Players who must not meet: one group per line, aliases separated by blanks";

using ForbiddenCli = testing::CliTest;

TEST_F(ForbiddenCli, GroupsAreKeptSplitListedAndNeverPaired) {
    ASSERT_EQ(Run({"new", "Cup", "--rounds", "3"}).code, 0);
    int elo = 2500;
    for (const std::string player : {"Ann", "Ben", "Cid", "Dan", "Eve", "Fay"})
        ASSERT_EQ(Run({"add-player", "Cup", "--name", player + " X", "--elo", std::to_string(elo -= 100)}).code, 0);
    EXPECT_EQ(Run({"forbidden", "Cup"}).out, "No forbidden pairs.\n");
    auto forbid = Run({"forbid", "Cup", "AAnn", "ACid", "AEve"});
    ASSERT_EQ(forbid.code, 0) << forbid.err;
    EXPECT_EQ(forbid.out, "Forbidden group: AAnn ACid AEve\n");
    auto before = Snapshot("Cup");
    EXPECT_EQ(before["forbidden.txt"], Crlf({kHeader, "AAnn ACid AEve"}));

    const struct { std::vector<std::string> args; int code; std::string err; } cases[] = {
        {{"forbid", "Cup", "AAnn", "Nobody"}, 1, "Error: Player (Nobody) is not a player of the tournament.\n"},
        {{"forbid", "Cup", "AAnn", "aann"}, 1, "Error: Player (aann) is not a player of the tournament.\n"},
        {{"forbid", "Cup", "AAnn", "AAnn"}, 1, "Error: A forbidden group needs at least two different players.\n"},
        {{"allow", "Cup", "ABen", "ADan"}, 1, "Error: The pair is not forbidden. (ABen - ADan)\n"},
        {{"forbid", "Cup", "AEve", "AAnn"}, 0, "Information: These players are already kept apart.\n"},
        {{"forbid", "Cup", "AAnn"}, 2, ""},
        {{"allow", "Cup", "AAnn", "ACid", "AEve"}, 2, ""},
    };
    for (const auto& c : cases) {
        auto run = Run(c.args);
        EXPECT_EQ(run.code, c.code) << c.args[2];
        if (c.code != 2) {
            EXPECT_EQ(run.err, c.err);
            EXPECT_EQ(run.out, "");
        }
        EXPECT_EQ(Snapshot("Cup"), before) << c.args[2];
    }

    // Allowing one pair splits its group; every other pair stays forbidden.
    ASSERT_EQ(Run({"allow", "Cup", "ACid", "AAnn"}).code, 0);
    ASSERT_EQ(Run({"forbid", "Cup", "ABen", "AFay", "ADan"}).code, 0);
    EXPECT_EQ(Run({"forbidden", "Cup"}).out,
              "1: [ACid] Cid X, [AEve] Eve X\n2: [AAnn] Ann X, [AEve] Eve X\n3: [ABen] Ben X, [AFay] Fay X, [ADan] Dan X\n");
    // A player deleted before round 1 leaves every group and the file.
    ASSERT_EQ(Run({"delete-player", "Cup", "AFay"}).code, 0);
    EXPECT_EQ(ReadBytes(Folder("Cup") / "forbidden.txt"), Crlf({kHeader, "ACid AEve", "AAnn AEve", "ABen ADan"}));
    // Her line is gone, so her alias and name are free for her to come back.
    EXPECT_EQ(Run({"add-player", "Cup", "--name", "Fay X", "--elo", "2000"}).out, "Added player [AFay] Fay X (2000)\n");

    // The first board's colour is random (new's default): a trial cannot promise it.
    EXPECT_NE(Run({"pair", "Cup", "--dry-run"}).err.find("Information: The colours of the first board are drawn again "
                                                          "when the round is really paired."), std::string::npos);
    auto pair = Run({"--yes", "pair", "Cup"});
    ASSERT_EQ(pair.code, 0) << pair.err;
    for (const auto& [a, b] : {std::pair{"Cid", "Eve"}, {"Ann", "Eve"}, {"Ben", "Dan"}}) {
        std::string one = std::string(a) + " X - [A" + b, other = std::string(b) + " X - [A" + a;
        EXPECT_EQ(pair.out.find(one), std::string::npos) << pair.out;
        EXPECT_EQ(pair.out.find(other), std::string::npos) << pair.out;
    }
    // A late entrant joins a group like anyone else.
    ASSERT_EQ(Run({"--yes", "add-player", "Cup", "--name", "Gus X", "--elo", "1000"}).code, 0);
    EXPECT_EQ(Run({"forbid", "Cup", "AGus", "AAnn"}).code, 0);
}

}  // namespace
}  // namespace veltrun::cli
