// Tie-breaks on small tournaments whose values are worked out by hand in the
// comments: byes, forfeits, a suspension, a late entrant, goals and direct
// encounters.
#include <gtest/gtest.h>

#include <tuple>

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
        A = b.Player("A", "Anna"), B = b.Player("B", "Boris"), C = b.Player("C", "Cyril"), D = b.Player("D", "Dora");
        E = b.Player("E", "Emil", 0, "", 0), F = b.Player("F", "Franz");
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
    ComputeAllTieBreaks(b.T(), GoalsQuotientRuleOf(b.session.settings));
    // "-" keeps its value.
    EXPECT_EQ(std::tuple(b.P(A).TB1Value, b.P(A).TB2Value, b.P(A).TB3Value, b.P(A).TB4Value),
              std::tuple(4.0, 99.0, 3.0, 0.0));
}

// Small tournaments worked out by hand. Players are named by one letter, in
// table order; each expectation: player, tie-break code, value.
TEST(TieBreaks, SmallTournamentsAsWorkedOut) {
    using Expected = std::vector<std::tuple<char, const char*, double>>;
    const struct {
        const char* points;
        std::string players;
        std::vector<std::vector<Game>> rounds;
        Expected values;
    } cases[] = {
        // Too short for a cut: Y's BHcut1 stays 0; after a draw X drops one of 0.5 and 0.5, midBH is 0.
        {"1- 0.5 -0", "XY", {{{"X-Y", "1-0"}}}, {{'Y', "BH", 1}, {'Y', "BHcut1", 0}}},
        {"1- 0.5 -0", "XY", {{{"X-Y", "1-0"}}, {{"Y-X", "0.5-0.5"}}}, {{'X', "BHcut1", 0.5}, {'X', "midBH", 0}}},
        // A result not yet entered is an empty position: X's BHcut1 of 1 and 0 drops it; PS 1, then still 1.
        // Y: the bye is no win.
        {"1- 0.5 -0", "XYZ", {{{"X-Y", "1-0"}, {"Z-bye", "1k-0k"}}, {{"Z-X", "?-?"}, {"Y-bye", "1k-0k"}}},
         {{'X', "BH", 1}, {'X', "BHcut1", 1}, {'X', "PS", 2}, {'Y', "cWin", 0}, {'Z', "BH", 0}}},
        // "2-1": the side with 1 point adds half its opponent's points to SB, the side with 2 points adds
        // nothing and has no win. X 5, Y 4, Z 3; X's SB is the win over Z only.
        {"3-1-0", "XYZ", {{{"X-Y", "2-1"}, {"Z-bye", "3k-0k"}}, {{"Z-X", "0-3"}, {"Y-bye", "3k-0k"}}},
         {{'Y', "SB", 2.5}, {'X', "SB", 3}, {'X', "cWin", 1}, {'X', "cWinBl", 1}, {'Z', "cWin", 0}}},
        // A round robin of five (one idle each round): P, Q and R end on 2.5; among themselves
        // P scored 1.5, Q 0.5, R 1; S is alone on 1.5.
        {"1- 0.5 -0", "PQRST",
         {{{"P-Q", "1-0"}, {"R-S", "1-0"}}, {{"P-R", "0.5-0.5"}, {"S-T", "1-0"}}, {{"P-S", "0.5-0.5"}, {"Q-T", "1-0"}},
          {{"P-T", "0.5-0.5"}, {"Q-R", "0.5-0.5"}}, {{"Q-S", "1-0"}, {"R-T", "0.5-0.5"}}},
         {{'P', "DiEnc", 1.5}, {'Q', "DiEnc", 0.5}, {'R', "DiEnc", 1}, {'S', "DiEnc", 0}, {'T', "DiEnc", 0}}},
        // All on 1 point, but W-Y and X-Z never met: everyone 0.
        {"1- 0.5 -0", "WXYZ", {{{"W-X", "1-0"}, {"Y-Z", "1-0"}}, {{"W-Z", "0-1"}, {"X-Y", "1-0"}}},
         {{'W', "DiEnc", 0}, {'X', "DiEnc", 0}, {'Y', "DiEnc", 0}, {'Z', "DiEnc", 0}}},
        // X and Y meet three times: all three games count; Z takes three lost byes and stays at 0.
        {"1- 0.5 -0", "XYZ",
         {{{"X-Y", "1-0"}, {"Z-bye", "0k-0k"}}, {{"Y-X", "1-0"}, {"Z-bye", "0k-0k"}},
          {{"X-Y", "0.5-0.5"}, {"Z-bye", "0k-0k"}}},
         {{'X', "DiEnc", 1.5}, {'Y', "DiEnc", 1.5}, {'Z', "DiEnc", 0}}},
    };
    for (const auto& c : cases) {
        TournamentBuilder b(c.points);
        for (char player : c.players) b.Player(std::string(1, player), std::string(1, player));
        for (const auto& round : c.rounds) b.Round(round);
        TieBreakCalculator calc(b.T(), {});
        for (const auto& [player, code, value] : c.values) {
            const int index = static_cast<int>(c.players.find(player)) + 1;
            EXPECT_EQ(calc.Value(index, code), value) << c.players << ": " << player << " " << code;
        }
    }
}

// R1: X-Y 3-0 with 2:0, Z has the bye; R2: Y-Z 1-1 with 0:0, X has the bye.
// X 2:0, Y 0:2, Z 0:0: nothing received gives the quotient's stand-in value.
TEST(GoalsTieBreaks, GoalTotalsAndTheirQuotientRoundingHalvesToEven) {
    TournamentBuilder b("3-1-0", "Goals");
    int x = b.Player("X", "X"), y = b.Player("Y", "Y"), z = b.Player("Z", "Z");
    b.Round({{"X-Y", "3-0", "2:0"}, {"Z-bye", "3k-0k", "0:0"}});
    b.Round({{"Y-Z", "1-1", "0:0"}, {"X-bye", "3k-0k", "0:0"}});
    const std::tuple<int, const char*, double, GoalsQuotientRule> expected[] = {
        {x, "G1", 2, {}}, {y, "-G2", -2, {}}, {y, "G1-G2", -2, {}}, {y, "G1/G2", 0, {}}, {x, "G1/G2", 500, {}},
        {z, "G1/G2", 500, {}}, {z, "G1/G2", 40, {40, 1}}};
    for (const auto& [player, code, value, rule] : expected)
        EXPECT_EQ(TieBreakCalculator(b.T(), rule).Value(player, code), value) << code;
    const struct { double scored, received; int decimals; double quotient; } quotients[] = {
        {5, 2, 0, 2}, {7, 2, 0, 4}, {5, 4, 1, 1.2}, {7, 3, 2, 2.33}};  // 2.5, 3.5, 1.25 to even
    for (const auto& q : quotients) {
        b.P(x).GoalsFor = q.scored;
        b.P(x).GoalsAgainst = q.received;
        EXPECT_EQ(TieBreakCalculator(b.T(), {500, q.decimals}).Value(x, "G1/G2"), q.quotient) << q.scored;
    }
}

}  // namespace
}  // namespace veltrun
