// The rating-difference table, its interpolation both ways, and the
// performance statistic of a player card.
#include <gtest/gtest.h>

#include <tuple>

#include "standings/rating_performance.h"
#include "support/tournament_builder.h"

namespace veltrun {
namespace {

using testing::TournamentBuilder;

TEST(RatingTable, InterpolatesBothWays) {
    const std::pair<double, double> expected[] = {
        {0, 50},     {3, 50.43},     {-100, 36.29}, {400, 92 - 1.0 / 18}, {800, 99.38},  // beyond the last entry
        {700, 100 - 300.0 / 323}, {-5000, 0}, {1000, 100}};
    for (auto [difference, percentage] : expected) EXPECT_NEAR(ExpectedPercentage(difference), percentage, 0.005) << difference;
    for (double d = -1100; d <= 1100; d += 12.5) EXPECT_NEAR(ExpectedPercentage(d) + ExpectedPercentage(-d), 100, 1e-9) << d;
    const std::pair<double, double> differences[] = {{50, 0}, {62.5, 91}, {99.5, 838.5}, {140, 1000}, {-3, -1000}};
    for (auto [percentage, difference] : differences) EXPECT_EQ(RatingDifferenceFor(percentage), difference) << percentage;
}

TEST(Performance, OnlyGamesAgainstRatedOpponentsCount) {
    TournamentBuilder b;
    // Against 2100 (win by forfeit) and 1900 (loss); the bye, the suspension
    // and the unrated opponent are left out.
    int me = b.Player("M", "Me", 2400);
    b.Player("H", "High", 2100);
    b.Player("L", "Low", 1900);
    b.Player("U", "Unrated", 0);
    b.Round({{"M-H", "1k-0k"}, {"L-U", "1-0"}});
    b.Round({{"L-M", "1-0"}, {"H-U", "1-0"}});
    b.Round({{"M-U", "1-0"}, {"H-L", "1-0"}});
    b.Round({{"M-bye", "1k-0k"}, {"H-L", "1-0"}});
    b.Round({{"M-stop", "0k-0k"}, {"H-L", "1-0"}});
    auto perf = ComputePerformance(b.T(), me);
    ASSERT_TRUE(perf);
    EXPECT_EQ(std::tuple(perf->games, perf->points, perf->averageRating, perf->performance),
              std::tuple(2, 1.0, 2000.0, 2000.0));
    EXPECT_NEAR(perf->expected, 2 * (92 - 1.0 / 18) / 100, 1e-9);  // difference 400
}

TEST(Performance, ExtremeScoresAndUnratedPlayers) {
    TournamentBuilder b;
    int win = b.Player("W", "Winner", 1800), lose = b.Player("L", "Loser", 1500);
    int rated = b.Player("R", "Rated", 1600), unrated = b.Player("U", "Unrated", 0);
    b.Round({{"W-L", "1-0"}, {"R-U", "0-1"}});
    EXPECT_EQ(ComputePerformance(b.T(), win)->performance, 1500 + 1000);
    EXPECT_EQ(ComputePerformance(b.T(), lose)->performance, 1800 - 1000);
    EXPECT_FALSE(ComputePerformance(b.T(), rated));  // only an unrated opponent
    auto perf = ComputePerformance(b.T(), unrated);
    ASSERT_TRUE(perf);
    EXPECT_EQ(perf->performance, 2600);
    EXPECT_EQ(perf->expected, 0);  // own rating 0 against 1600
}

}  // namespace
}  // namespace veltrun
