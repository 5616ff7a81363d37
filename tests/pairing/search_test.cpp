#include <gtest/gtest.h>

#include "pairing/pairing_search.h"
#include "pairing/remaining_list.h"
#include "pairing_fixture.h"

namespace veltrun::testing {
namespace {

using Lines = std::vector<std::string>;

struct SearchRun {
    bool success;
    StringList PairList;
};

SearchRun RunSearch(MemoryTournament& m, const StringList& list, bool skipColour = false, bool forbidTeams = false) {
    PairingRules rules(m.t(), forbidTeams);
    SearchRun run{false, {}};
    run.success = SearchPairing(rules, list, skipColour, m.Log(), run.PairList);
    return run;
}

TEST(PairingSearch, WorkedExampleOfFourPlayers) {
    MemoryTournament m;
    m.AddPlayers(4);
    m.t().Player(1).OpponentHistory = "A3|";
    SearchRun run = RunSearch(m, {"1|2|3|4|"});
    EXPECT_TRUE(run.success);
    EXPECT_EQ(run.PairList, (StringList{"2|3", "1|4"}));
    EXPECT_EQ(m.lines, (Lines{
                           "Players in actual ScoreGroups: 4 (1|2|3|4|)",
                           "Pivot is (1 - A1)",
                           "1-choice for Pivot (1 - A1) is (3 - A3)",
                           "1-choice was rejected: game exist.",
                           "2-choice for Pivot (1 - A1) is (4 - A4)",
                           "2-choice is ok: opponent-candidate for (1 - A1) is (4 - A4).",
                           "Players in actual ScoreGroups: 2 (2|3|)",
                           "Pivot is (2 - A2)",
                           "1-choice for Pivot (2 - A2) is (3 - A3)",
                           "1-choice is ok: opponent-candidate for (2 - A2) is (3 - A3).",
                           "Players in actual ScoreGroups: 0 ()",
                       }));
}

TEST(PairingSearch, CandidateOrderInsideAndBelowTheTopGroup) {
    auto order = [](RemainingList& list) {
        Lines texts;
        for (int n = 1; n <= list.EntryCount(); ++n) {
            int v = list.NthChoice(list.ChoosePivot(), n);
            texts.push_back(v < 0 ? "none" : list.EntryText(v));
        }
        return texts;
    };
    RemainingList six({"1|2|3|4|5|6|"});
    EXPECT_EQ(order(six), (Lines{"4", "5", "6", "3", "2", "none"}));
    // Five in the top group: 3, 4, 5, 2, then the lower lines top-down, the bye last.
    RemainingList groups({"0|", "8|9|", "6|7|", "1|2|3|4|5|"});
    EXPECT_EQ(order(groups), (Lines{"3", "4", "5", "2", "6", "7", "8", "9", "0", "none"}));
    int pivot = groups.ChoosePivot();
    // Asking out of order gives the same answers.
    EXPECT_EQ(groups.EntryText(groups.NthChoice(pivot, 7)), "8");
    EXPECT_EQ(groups.EntryText(groups.NthChoice(pivot, 2)), "4");

    groups.RemovePair(pivot, groups.NthChoice(pivot, 1));
    EXPECT_EQ(groups.Text(), "2|4|5|-6|7|-8|9|-0|");
    groups.RemovePair(groups.ChoosePivot(), groups.NthChoice(groups.ChoosePivot(), 1));
    groups.RemovePair(groups.ChoosePivot(), groups.NthChoice(groups.ChoosePivot(), 1));
    EXPECT_EQ(groups.Text(), "7|-8|9|-0|");
    EXPECT_EQ(groups.Count(), 4);
    groups.RestorePair(0, 1);
    EXPECT_EQ(groups.Text(), "1|2|-7|-8|9|-0|");
}

TEST(PairingSearch, TwoPlayersWhoHaveMetCannotBePaired) {
    MemoryTournament m;
    m.AddPlayers(2);
    m.Game(1, 2, "1-0");
    SearchRun run = RunSearch(m, {"1|2|"});
    EXPECT_FALSE(run.success);
    EXPECT_TRUE(run.PairList.empty());
    ASSERT_GE(m.lines.size(), 2U);
    EXPECT_EQ(m.lines.back(), "All choices (1) were exhausted for Pivot (1 - A1).");
    EXPECT_EQ(m.lines[m.lines.size() - 2], "1-choice was rejected: game exist.");
}

TEST(PairingSearch, LastPlayerLeftGetsTheByeOnlyOnce) {
    MemoryTournament m;
    m.AddPlayers(3);
    m.Game(3, 0, "1k-0k");
    // 1-2 would leave 3, who had the bye; 1-3 leaves 2.
    SearchRun run = RunSearch(m, {"1|2|3|"});
    EXPECT_TRUE(run.success);
    EXPECT_EQ(run.PairList, (StringList{"2|bye", "1|3"}));

    // When 2 has had the bye too, the last player left can never take it.
    m.Game(2, 0, "1k-0k", 2);
    m.lines.clear();
    run = RunSearch(m, {"1|2|3|"});
    EXPECT_FALSE(run.success);
    EXPECT_EQ(m.lines[3], "1-choice for (1 - A1) is (2 - A2), but the remaining players cannot all be paired.");
    EXPECT_EQ(m.lines[4], "1-choice for (1 - A1) was (2 - A2). FAILED on next (recursive) levels. 1-choice rejected.");
}

TEST(PairingSearch, ByePseudoPlayerIsTheLastCandidate) {
    MemoryTournament m;
    m.AddPlayers(3);
    m.Game(2, 0, "1k-0k");
    m.Game(3, 0, "1k-0k");
    SearchRun run = RunSearch(m, {"0|", "1|2|3|"});
    EXPECT_TRUE(run.success);
    EXPECT_EQ(run.PairList, (StringList{"2|3", "1|bye"}));
    // A pivot who had the bye rejects it.
    m.lines.clear();
    run = RunSearch(m, {"0|", "2|"});
    EXPECT_FALSE(run.success);
    EXPECT_EQ(m.lines, (Lines{"Players in actual ScoreGroups: 2 (2|-0|)", "Pivot is (2 - A2)",
                              "1-choice for Pivot (2 - A2) is (0 - bye)", "1-choice was rejected: bye exist.",
                              "All choices (1) were exhausted for Pivot (2 - A2)."}));
}

TEST(PairingSearch, ColourAndTeamRules) {
    MemoryTournament m;
    m.Add("Club");
    m.Add("Club");
    m.Add("club");
    m.Add();
    m.Add();
    m.t().Player(1).ColourHistory = "B|W|W|";
    m.t().Player(2).ColourHistory = "W|W||";
    m.t().Player(3).ColourHistory = "B|W|B|";
    PairingRules rules(m.t(), true);
    EXPECT_FALSE(rules.Accepts(1, 2, false));  // both end in two Whites, across a bye
    EXPECT_FALSE(rules.Accepts(1, 2, true));   // and they are team-mates
    EXPECT_TRUE(rules.Accepts(1, 3, false));   // team names differ in case
    EXPECT_TRUE(rules.Accepts(4, 5, false));   // no team at all
    PairingRules without_teams(m.t(), false);
    EXPECT_TRUE(without_teams.Accepts(1, 2, true));
    EXPECT_FALSE(without_teams.Accepts(1, 2, false));

    EXPECT_TRUE(rules.JudgeCandidate(1, 1, 3, false, m.Log()) == true);
    EXPECT_FALSE(rules.JudgeCandidate(2, 1, 2, false, m.Log()));
    EXPECT_EQ(m.lines, (Lines{"2-choice was rejected: 3x colour restriction.",
                              "2-choice was rejected: match against team members is forbidden."}));
}

TEST(PairingSearch, TeamsOfTwentyAndTwentyTwoFailInAFewLines) {
    MemoryTournament m;
    for (int i = 0; i < 42; ++i) m.Add(i < 20 ? "North" : "South");
    std::string line;
    for (int i = 1; i <= 42; ++i) line += std::to_string(i) + "|";
    SearchRun run = RunSearch(m, {line}, false, true);
    EXPECT_FALSE(run.success);
    // One pivot, 41 candidates, nothing deeper.
    EXPECT_LT(m.lines.size(), 41U * 4);
    EXPECT_EQ(std::count_if(m.lines.begin(), m.lines.end(),
                            [](const std::string& l) { return l.rfind("Players in actual", 0) == 0; }),
              1);
}

}  // namespace
}  // namespace veltrun::testing
