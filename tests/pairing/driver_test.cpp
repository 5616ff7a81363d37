// Score groups, the four ways, colours and board order, in memory.
#include <gtest/gtest.h>

#include <tuple>

#include "pairing/colour_allocation.h"
#include "pairing/pairing_driver.h"
#include "pairing/score_groups.h"
#include "pairing_fixture.h"

namespace veltrun::testing {
namespace {

using Lines = std::vector<std::string>;

bool Contains(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ScoreGroups, WorkedExampleWithByeAndSuspension) {
    MemoryTournament m;
    m.AddPlayers(6);
    m.t().Player(4).OnOff = 0;
    for (auto [player, points] : {std::pair{1, 1.0}, {3, 1.0}, {6, 0.5}}) m.t().Player(player).Points = points;
    Settings settings;
    ScoreGroupsResult groups = FindScoreGroups(m.t(), settings, 3, m.Log());
    EXPECT_EQ(groups.ScoreGroups, (StringList{"0", "0.5", "1"}));
    EXPECT_EQ(groups.StopPairList, (StringList{"4|stop"}));
    StringList list = BuildGroupList(m.t(), settings, groups, 3, true, m.Log());
    EXPECT_EQ(list, (StringList{"0|", "2|5|", "6|", "1|3|"}));
    EXPECT_EQ(m.lines, (Lines{"Player (A4) is suspended.", "Found ScoreGroup 0", "Found ScoreGroup 0.5",
                              "Found ScoreGroup 1",
                              "Fix for odd number of players - 0 (bye) was added in the main scoregroup.",
                              "ScoreGroup 0: (2 - A2) (5 - A5)", "ScoreGroup 0.5: (6 - A6)",
                              "ScoreGroup 1: (1 - A1) (3 - A3)"}));
    // An even field, or no bye asked for: no "0|" line.
    EXPECT_EQ(BuildGroupList(m.t(), settings, groups, 3, false, PairingLog()).front(), "2|5|");
    m.t().Player(4).OnOff = 1;
    groups = FindScoreGroups(m.t(), settings, 3, PairingLog());
    EXPECT_EQ(BuildGroupList(m.t(), settings, groups, 3, true, PairingLog()).front(), "2|4|5|");
}

TEST(ScoreGroups, AccelerationLiftsTheTopHalfInTheFirstTwoRounds) {
    MemoryTournament m;
    m.AddPlayers(7);
    m.t().Player(2).OnOff = 0;  // still counts for the half
    Settings settings;
    settings.IsAcceleratedPairings = true;
    ScoreGroupsResult groups = FindScoreGroups(m.t(), settings, 1, m.Log());
    EXPECT_EQ(m.lines.front().rfind("Accelerated pairings is on", 0), 0U);
    EXPECT_EQ(BuildGroupList(m.t(), settings, groups, 1, false, PairingLog()), (StringList{"4|5|6|7|", "1|3|"}));
    m.lines.clear();
    groups = FindScoreGroups(m.t(), settings, 3, m.Log());
    EXPECT_EQ(BuildGroupList(m.t(), settings, groups, 3, false, PairingLog()), (StringList{"1|3|4|5|6|7|"}));
    EXPECT_EQ(m.lines.front(), "Player (A2) is suspended.");  // no acceleration line first
}

TEST(ColourAllocation, RulesInTheirOrder) {
    MemoryTournament m;
    m.AddPlayers(2);
    Tournament& t = m.t();
    // Two new players: ColourFor1stPlayer, which then switches.
    t.ColourFor1stPlayer = "B";
    EXPECT_EQ(AssignColour(t, 1, 2), "B");
    EXPECT_EQ(t.ColourFor1stPlayer, "W");
    const struct {
        const char* colours1; int white1, black1; const char* colours2; int white2, black2; const char *first, *second;
    } cases[] = {
        {"B|B|W|W|", 2, 2, "W|B|B|B|", 1, 3, "B", nullptr},  // two Whites in a row give Black whatever the imbalance
        {"W|B|B|", 1, 2, "B|B||", 0, 2, "B", "W"},  // both end in two Blacks (2nd and 4th ways): the larger imbalance
        {"B|W|", 1, 1, "B|W|W|", 2, 1, "W", nullptr},        // j avoids a third colour
        {"W|W|B|", 2, 1, "B|W|W|B|", 2, 2, "B", nullptr},    // equal imbalance: i's own due colour
        {"W|B|", 1, 1, "", 0, 0, "W", nullptr},              // balanced: i alternates
    };
    for (const auto& c : cases) {
        t.Player(1).ColourHistory = c.colours1;
        t.Player(1).WhiteCount = c.white1;
        t.Player(1).BlackCount = c.black1;
        t.Player(2).ColourHistory = c.colours2;
        t.Player(2).WhiteCount = c.white2;
        t.Player(2).BlackCount = c.black2;
        EXPECT_EQ(AssignColour(t, 1, 2), c.first) << c.colours1 << " " << c.colours2;
        if (c.second) {
            EXPECT_EQ(AssignColour(t, 2, 1), c.second) << c.colours1 << " " << c.colours2;
        }
    }
}

// Three players level after round 1, two of them with a bye already: only
// the third way pairs round 2; with the colour condition skipped only the lenient ways run.
TEST(PairingDriver, ThirdWayMovesTheByeToTheFirstPivot) {
    const std::string colours = "Pairing FAILED. The condition for maximum 2 times the same color cannot be fulfilled.";
    for (bool skip : {false, true}) {
        MemoryTournament m;
        m.AddPlayers(3);
        m.Game(2, 0, "0k-0k");  // byes without points: all three stay level
        m.Game(3, 0, "0k-0k");
        m.Game(1, -1, "0k-0k");
        m.lines.clear();
        Settings settings;
        settings.GoalsSkip2ColourCondition = skip;
        std::optional<RoundPairing> pairing = PairInMemory(m.t(), settings, 2, m.Log());
        ASSERT_TRUE(pairing);
        EXPECT_FALSE(Contains(m.lines, "Pairing FAILED."));
        EXPECT_EQ(Contains(m.lines, colours), !skip);
        const std::string skipped = "The condition for maximum 2 times the same color is skipped "
                                    "(GoalsSkip2ColourCondition = True). ";
        for (const char* way : {"1st", "3rd"})
            EXPECT_EQ(Contains(m.lines, skipped + way + " way was stopped."), skip) << way;
        if (skip) continue;
        EXPECT_EQ(pairing->PairList, (StringList{"1|bye", "2|3"}));
        std::vector<RoundPair> boards = pairing->FileOrder();
        EXPECT_EQ(boards.back().White + "-" + boards.back().Black, "1-bye");
        for (const char* line :
             {"Pairing (2nd way) for next round [2] is again starting (now without 2-color condition) ...",
              "Pairing FAILED. Now (for an odd number of players) the program will try to move BYE (to a player other "
              "than the last).",
              "Pairing (3rd way) for next round [2] is again starting (more benevolent conditions for bye) ...",
              "Pairing for round [2] was successfully completed.", "Pair is: 2-3.", "Pair is: 1-bye."})
            EXPECT_TRUE(Contains(m.lines, line)) << line;
    }
}

TEST(PairingDriver, EvenFieldWithoutPairingFailsAfterTheSecondWay) {
    MemoryTournament m;
    m.AddPlayers(4);
    for (auto [white, black, round] : {std::tuple{1, 2, 1}, {3, 4, 1}, {1, 3, 2}, {2, 4, 2}, {1, 4, 3}, {2, 3, 3}})
        m.Game(white, black, "1-0", round);
    m.lines.clear();
    EXPECT_FALSE(PairInMemory(m.t(), Settings{}, 4, m.Log()));
    EXPECT_EQ(m.lines.back(), "Pairing for round [4] is DEFINITIVELY FAILED. It is recommended to end the tournament.");
    EXPECT_FALSE(Contains(m.lines, "Pairing (3rd way) for next round [4] is again starting (more benevolent "
                                   "conditions for bye) ..."));
}

}  // namespace
}  // namespace veltrun::testing
