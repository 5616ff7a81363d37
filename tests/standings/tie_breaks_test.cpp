// Tie-breaks on small tournaments whose values are worked out by hand in the
// comments: byes, forfeits, a suspension, a late entrant, goals and direct
// encounters.
#include <gtest/gtest.h>

#include "standings/tie_breaks.h"
#include "support/tournament_builder.h"

namespace veltrun {
namespace {

using testing::Game;
using testing::TournamentBuilder;

// Six players, three rounds. E has the bye in round 1, loses round 2 by
// forfeit and is suspended in round 3; F enters late (suspended in round 1)
// and has the bye in round 3.
//   R1: A-B 1-0, C-D 0.5-0.5, E-bye 1k-0k, F-stop 0k-0k
//   R2: C-A 0-1, D-E 1k-0k, B-F 0.5-0.5
//   R3: A-D 0.5-0.5, B-C 0-1, F-bye 1k-0k, E-stop 0k-0k
// Points: A 2.5, B 0.5, C 1.5, D 2, E 1, F 1.5.
class MixedTournament : public ::testing::Test {
protected:
    TournamentBuilder b;
    int A, B, C, D, E, F;

    void SetUp() override {
        A = b.Player("A", "Anna");
        B = b.Player("B", "Boris");
        C = b.Player("C", "Cyril");
        D = b.Player("D", "Dora");
        E = b.Player("E", "Emil", 0, "", 0);
        F = b.Player("F", "Franz");
        b.Round({{"A-B", "1-0"}, {"C-D", "0.5-0.5"}, {"E-bye", "1k-0k"}, {"F-stop", "0k-0k"}});
        b.Round({{"C-A", "0-1"}, {"D-E", "1k-0k"}, {"B-F", "0.5-0.5"}});
        b.Round({{"A-D", "0.5-0.5"}, {"B-C", "0-1"}, {"F-bye", "1k-0k"}, {"E-stop", "0k-0k"}});
    }
    std::vector<double> ValuesOf(const std::string& code) {
        TieBreakCalculator calc(b.T(), {});
        std::vector<double> values;
        for (int i = A; i <= F; ++i) values.push_back(calc.Value(i, code));
        return values;
    }
};

TEST_F(MixedTournament, PerRoundTieBreaksCountByesAndSuspensionsAsWorkedOut) {
    const std::pair<const char*, std::vector<double>> expected[] = {
        // A met B 0.5, C 1.5, D 2; B met A 2.5, F 1.5, C 1.5; C met D 2, A 2.5, B 0.5;
        // D met C 1.5, E 1, A 2.5; E: 0 (bye), D 2, 0 (stop); F: 0 (stop), B 0.5, 0 (bye).
        {"BH", {4, 5.5, 5, 5, 2, 0.5}},
        {"BHcut1", {3.5, 4, 4.5, 4, 2, 0.5}},  // the bye's or the suspension's 0 goes first
        {"midBH", {1.5, 1.5, 2, 1.5, 0, 0}},   // only the middle term of three
        // A: B 0.5 + C 1.5 + D 2/2; B: F 1.5/2; C: D 2/2 + B 0.5;
        // D: C 1.5/2 + E 1 (forfeit win) + A 2.5/2; E: the bye adds 0; F: B 0.5/2.
        {"SB", {3, 0.75, 1.5, 3, 0, 0.25}},
        // A 1+2+2.5, B 0+0.5+0.5, C 0.5+0.5+1.5, D 0.5+1.5+2, E 1+1+1, F 0+0.5+1.5
        {"PS", {5.5, 1, 2.5, 4, 3, 2}},
        // Byes and suspensions are no wins; forfeits are. A won with black in
        // round 2, C in round 3; D's forfeit win was with white.
        {"cWin", {2, 0, 1, 1, 0, 0}},
        {"cWinBl", {1, 0, 1, 0, 0, 0}},
        {"cBlack", {1, 1, 1, 2, 1, 1}},
    };
    for (const auto& [code, values] : expected) EXPECT_EQ(ValuesOf(code), values) << code;
}

TEST_F(MixedTournament, OnlyNamedSlotsAreWrittenAndUnknownCodesGiveZero) {
    for (int i = A; i <= F; ++i) b.P(i).TB2Value = 99;
    b.TieBreaks({"BH", "-", "SB", "nonsense"});
    ComputeAllTieBreaks(b.session);
    EXPECT_EQ(b.P(A).TB1Value, 4);
    EXPECT_EQ(b.P(A).TB2Value, 99);  // "-" keeps its value
    EXPECT_EQ(b.P(A).TB3Value, 3);
    EXPECT_EQ(b.P(A).TB4Value, 0);
    EXPECT_EQ(b.ui.busy_depth, 0);
}

TEST(TieBreaks, ShortTournamentsLeaveCutBuchholzAtZero) {
    TournamentBuilder b;
    int x = b.Player("X", "X"), y = b.Player("Y", "Y");
    b.Round({{"X-Y", "1-0"}});
    TieBreakCalculator one(b.T(), {});
    EXPECT_EQ(one.Value(y, "BH"), 1);
    EXPECT_EQ(one.Value(y, "BHcut1"), 0);
    b.Round({{"Y-X", "0.5-0.5"}});
    TieBreakCalculator two(b.T(), {});
    EXPECT_EQ(two.Value(x, "BHcut1"), 0.5);  // 0.5 and 0.5, one dropped
    EXPECT_EQ(two.Value(x, "midBH"), 0);
}

TEST(TieBreaks, AResultNotYetEnteredCountsAsAnEmptyPosition) {
    TournamentBuilder b;
    int x = b.Player("X", "X"), y = b.Player("Y", "Y"), z = b.Player("Z", "Z");
    b.Round({{"X-Y", "1-0"}, {"Z-bye", "1k-0k"}});
    b.Round({{"Z-X", "?-?"}, {"Y-bye", "1k-0k"}});
    TieBreakCalculator calc(b.T(), {});
    EXPECT_EQ(calc.Value(x, "BH"), 1);      // Y only
    EXPECT_EQ(calc.Value(x, "BHcut1"), 1);  // terms 1 and 0: the empty position goes
    EXPECT_EQ(calc.Value(x, "PS"), 2);      // 1, then still 1
    EXPECT_EQ(calc.Value(y, "cWin"), 0);    // the bye is no win
    EXPECT_EQ(calc.Value(z, "BH"), 0);
}

TEST(TieBreaks, ThreePointSystemCountsOnePointGamesAsDraws) {
    // "2-1": the side with 1 point adds half its opponent's points to SB, the
    // side with 2 points adds nothing and has no win.
    TournamentBuilder b("3-1-0");
    int x = b.Player("X", "X"), y = b.Player("Y", "Y"), z = b.Player("Z", "Z");
    b.Round({{"X-Y", "2-1"}, {"Z-bye", "3k-0k"}});
    b.Round({{"Z-X", "0-3"}, {"Y-bye", "3k-0k"}});
    // X 5, Y 4, Z 3
    TieBreakCalculator calc(b.T(), {});
    EXPECT_EQ(calc.Value(y, "SB"), 2.5);
    EXPECT_EQ(calc.Value(x, "SB"), 3);  // the win over Z only
    EXPECT_EQ(calc.Value(x, "cWin"), 1);
    EXPECT_EQ(calc.Value(x, "cWinBl"), 1);
    EXPECT_EQ(calc.Value(z, "cWin"), 0);  // the bye is no win
}

TEST(GoalsTieBreaks, GoalTotalsAndTheirQuotientRoundingHalvesToEven) {
    // R1: X-Y 3-0 with 2:0, Z has the bye; R2: Y-Z 1-1 with 0:0, X has the bye.
    // X 2:0, Y 0:2, Z 0:0.
    TournamentBuilder b("3-1-0", "Goals");
    int x = b.Player("X", "X"), y = b.Player("Y", "Y"), z = b.Player("Z", "Z");
    b.Round({{"X-Y", "3-0", "2:0"}, {"Z-bye", "3k-0k", "0:0"}});
    b.Round({{"Y-Z", "1-1", "0:0"}, {"X-bye", "3k-0k", "0:0"}});
    TieBreakCalculator calc(b.T(), {});
    EXPECT_EQ(calc.Value(x, "G1"), 2);
    EXPECT_EQ(calc.Value(y, "-G2"), -2);
    EXPECT_EQ(calc.Value(y, "G1-G2"), -2);
    EXPECT_EQ(calc.Value(y, "G1/G2"), 0);
    EXPECT_EQ(calc.Value(x, "G1/G2"), 500);  // nothing received
    EXPECT_EQ(calc.Value(z, "G1/G2"), 500);  // nothing scored either
    EXPECT_EQ(TieBreakCalculator(b.T(), {40, 1}).Value(z, "G1/G2"), 40);
    auto quotient = [&](double scored, double received, int decimals) {
        b.P(x).GoalsFor = scored;
        b.P(x).GoalsAgainst = received;
        return TieBreakCalculator(b.T(), {500, decimals}).Value(x, "G1/G2");
    };
    EXPECT_EQ(quotient(5, 2, 0), 2);    // 2.5
    EXPECT_EQ(quotient(7, 2, 0), 4);    // 3.5
    EXPECT_EQ(quotient(5, 4, 1), 1.2);  // 1.25
    EXPECT_EQ(quotient(7, 3, 2), 2.33);
}

// Five players, a full round robin over five rounds (one idle each round).
//   P-Q 1-0, R-S 1-0 | P-R ½, S-T 1-0 | P-S ½, Q-T 1-0 | P-T ½, Q-R ½ | Q-S 1-0, R-T ½
// P, Q and R end on 2.5; among themselves P scored 1.5, Q 0.5, R 1.
TEST(DirectEncounter, TiedPlayersWhoAllMetGetTheirPointsAgainstEachOther) {
    TournamentBuilder b;
    int p = b.Player("P", "P"), q = b.Player("Q", "Q"), r = b.Player("R", "R"), s = b.Player("S", "S"),
        t = b.Player("T", "T");
    b.Round({{"P-Q", "1-0"}, {"R-S", "1-0"}});
    b.Round({{"P-R", "0.5-0.5"}, {"S-T", "1-0"}});
    b.Round({{"P-S", "0.5-0.5"}, {"Q-T", "1-0"}});
    b.Round({{"P-T", "0.5-0.5"}, {"Q-R", "0.5-0.5"}});
    b.Round({{"Q-S", "1-0"}, {"R-T", "0.5-0.5"}});
    TieBreakCalculator calc(b.T(), {});
    EXPECT_EQ(calc.Value(p, "DiEnc"), 1.5);
    EXPECT_EQ(calc.Value(q, "DiEnc"), 0.5);
    EXPECT_EQ(calc.Value(r, "DiEnc"), 1);
    EXPECT_EQ(calc.Value(s, "DiEnc"), 0);  // alone on 1.5
    EXPECT_EQ(calc.Value(t, "DiEnc"), 0);
}

TEST(DirectEncounter, AnUnplayedPairingZeroPointsAndRepeatGames) {
    // W, X, Y, Z all on 1 point, but W-Y and X-Z never met: everyone 0.
    TournamentBuilder b;
    int w = b.Player("W", "W"), x = b.Player("X", "X"), y = b.Player("Y", "Y"), z = b.Player("Z", "Z");
    b.Round({{"W-X", "1-0"}, {"Y-Z", "1-0"}});
    b.Round({{"W-Z", "0-1"}, {"X-Y", "1-0"}});
    for (int i : {w, x, y, z}) EXPECT_EQ(TieBreakCalculator(b.T(), {}).Value(i, "DiEnc"), 0) << i;
    // X and Y meet three times (1-0, 0-1, draw): all three count; Z takes
    // three lost byes and stays at 0.
    TournamentBuilder c;
    x = c.Player("X", "X"), y = c.Player("Y", "Y"), z = c.Player("Z", "Z");
    c.Round({{"X-Y", "1-0"}, {"Z-bye", "0k-0k"}});
    c.Round({{"Y-X", "1-0"}, {"Z-bye", "0k-0k"}});
    c.Round({{"X-Y", "0.5-0.5"}, {"Z-bye", "0k-0k"}});
    TieBreakCalculator calc(c.T(), {});
    EXPECT_EQ(calc.Value(x, "DiEnc"), 1.5);
    EXPECT_EQ(calc.Value(y, "DiEnc"), 1.5);
    EXPECT_EQ(calc.Value(z, "DiEnc"), 0);
}

}  // namespace
}  // namespace veltrun
