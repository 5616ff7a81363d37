#pragma once
// Rating performance of a player card: games against rated opponents, the
// points scored in them, the opponents' average rating, the points expected
// from the rating difference and the performance itself.
#include <array>
#include <optional>

#include "store/tournament.h"

namespace veltrun {

class PlayerIndex;

// Entry k: the rating difference that corresponds to scoring k per cent.
using RatingDifferences = std::array<double, 101>;

// The FIDE conversion table, with 0 % and 100 % at -1000 and +1000.
RatingDifferences InitRatingDifferenceTable();
// The table, filled once.
const RatingDifferences& RatingDifferenceTable();

// Percentage expected for own rating minus the opponent's. Interpolated over
// the whole table, so that p(d) = 100 - p(-d) also in the outer intervals.
double ExpectedPercentage(double difference);
// Rating difference for a percentage score (clamped to 0..100).
double RatingDifferenceFor(double percentage);

struct Performance {
    int games = 0;             // n: games against rated opponents
    double points = 0;         // w
    double averageRating = 0;  // of those opponents
    double expected = 0;       // we
    double performance = 0;
};

// Nothing when no game counts.
std::optional<Performance> ComputePerformance(const Tournament& t, const PlayerIndex& index, int player);
std::optional<Performance> ComputePerformance(const Tournament& t, int player);

}  // namespace veltrun
