#include <gtest/gtest.h>

#include "pairing/pairing_search.h"
#include "pairing/remaining_list.h"
#include "pairing_fixture.h"

namespace veltrun::testing {
namespace {

using Lines = std::vector<std::string>;

struct SearchRun { bool success = false; StringList PairList; };

SearchRun RunSearch(MemoryTournament& m, const StringList& list, bool forbidTeams = false) {
    PairingRules rules(m.t(), forbidTeams);
    SearchRun run;
    run.success = SearchPairing(rules, list, false, m.Log(), run.PairList);
    return run;
}

TEST(PairingSearch, WorkedExampleOfFourPlayers) {
    MemoryTournament m;
    m.AddPlayers(4);
    m.t().Player(1).OpponentHistory = "A3|";
    SearchRun run = RunSearch(m, {"1|2|3|4|"});
    EXPECT_TRUE(run.success);
    EXPECT_EQ(run.PairList, (StringList{"2|3", "1|4"}));
    EXPECT_EQ(m.lines, (Lines{"Players in actual ScoreGroups: 4 (1|2|3|4|)", "Pivot is (1 - A1)",
                              "1-choice for Pivot (1 - A1) is (3 - A3)", "1-choice was rejected: game exist.",
                              "2-choice for Pivot (1 - A1) is (4 - A4)",
                              "2-choice is ok: opponent-candidate for (1 - A1) is (4 - A4).",
                              "Players in actual ScoreGroups: 2 (2|3|)", "Pivot is (2 - A2)",
                              "1-choice for Pivot (2 - A2) is (3 - A3)",
                              "1-choice is ok: opponent-candidate for (2 - A2) is (3 - A3).",
                              "Players in actual ScoreGroups: 0 ()"}));
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
}

// Small fields with byes and repeats: outcome and pairs (the log: the differential tests).
TEST(PairingSearch, ByesAndRepeatsDecideWhoIsLeftOver) {
    struct Game { int white, black; };  // 0: the bye
    const struct { std::vector<Game> games; StringList list; bool success; StringList pairs; } cases[] = {
        {{{1, 2}}, {"1|2|"}, false, {}},
        {{{3, 0}}, {"1|2|3|"}, true, {"2|bye", "1|3"}},  // 1-2 would leave 3, who had the bye; 1-3 leaves 2.
        {{{3, 0}, {2, 0}}, {"1|2|3|"}, false, {}},  // 2 has had the bye too: the last one left can never take it
        // The pseudo-player is the last candidate; a pivot who had the bye rejects it.
        {{{2, 0}, {3, 0}}, {"0|", "1|2|3|"}, true, {"2|3", "1|bye"}},
        {{{2, 0}}, {"0|", "2|"}, false, {}},
    };
    for (const auto& c : cases) {
        MemoryTournament m;
        m.AddPlayers(3);
        int round = 0;
        for (const Game& g : c.games) m.Game(g.white, g.black, g.black == 0 ? "1k-0k" : "1-0", ++round);
        SearchRun run = RunSearch(m, c.list);
        EXPECT_EQ(run.success, c.success) << JoinReversed(c.list);
        EXPECT_EQ(run.PairList, c.pairs) << JoinReversed(c.list);
    }
}

TEST(PairingSearch, EachRuleLogsItsReason) {
    MemoryTournament m;
    for (const char* team : {"Club", "Club", "club", "", ""}) m.Add(team);
    m.t().Player(1).ColourHistory = "B|W|W|";
    m.t().Player(2).ColourHistory = "W|W||";  // two Whites, then a bye
    m.t().Player(3).ColourHistory = "B|W|B|";
    m.t().Player(4).OpponentHistory = "A5|bye|A5|";
    m.t().ForbiddenGroups = {{"A3", "A4", "A9"}};
    const std::string colour = "colour restriction.", team = "team members is forbidden.", game = "game exist.";
    // reasons: the ends of the logged lines, in order.
    struct Case { int p, c; bool skipColour, forbidTeams; Lines reasons; } const cases[] = {
        {1, 2, false, true, {colour, team}}, {1, 2, true, true, {team}},  {1, 2, false, false, {colour}},
        {1, 2, true, false, {}},             {1, 3, false, true, {}},     {3, 4, true, false, {"the pair is forbidden."}},
        {4, 5, false, true, {game, game}},   {4, 0, false, false, {"bye exist."}}, {5, 0, false, false, {}},
    };
    for (const Case& c : cases) {
        PairingRules rules(m.t(), c.forbidTeams);
        m.lines.clear();
        EXPECT_EQ(rules.JudgeCandidate(7, c.p, c.c, c.skipColour, m.Log()), c.reasons.empty()) << c.p << "-" << c.c;
        EXPECT_EQ(static_cast<bool>(rules.Refuse(c.p, c.c, c.skipColour)), !c.reasons.empty());
        ASSERT_EQ(m.lines.size(), c.reasons.size()) << c.p << "-" << c.c;
        for (std::size_t i = 0; i < c.reasons.size(); ++i) {
            EXPECT_EQ(m.lines[i].rfind("7-choice was rejected: ", 0), 0U) << m.lines[i];
            EXPECT_TRUE(m.lines[i].ends_with(c.reasons[i])) << m.lines[i];
        }
    }
}

TEST(PairingSearch, TeamsOfTwentyAndTwentyTwoFailInAFewLines) {
    MemoryTournament m;
    for (int i = 0; i < 42; ++i) m.Add(i < 20 ? "North" : "South");
    std::string line;
    for (int i = 1; i <= 42; ++i) line += std::to_string(i) + "|";
    SearchRun run = RunSearch(m, {line}, true);
    EXPECT_FALSE(run.success);
    // One pivot, 41 candidates, nothing deeper.
    EXPECT_LT(m.lines.size(), 41U * 4);
    EXPECT_EQ(std::count_if(m.lines.begin(), m.lines.end(),
                            [](const std::string& l) { return l.rfind("Players in actual", 0) == 0; }),
              1);
}

}  // namespace
}  // namespace veltrun::testing
