#include "standings/rating_performance.h"

#include <cmath>

#include "standings/player_index.h"
#include "store/player_history.h"

namespace veltrun {
namespace {

// Percentages 50 to 100.
constexpr std::array<double, 51> UpperHalf = {
    0,   7,   14,  21,  29,  36,  43,  50,  57,  65,  72,  80,  87,  95,  102, 110, 117,
    125, 133, 141, 149, 158, 166, 175, 184, 193, 202, 211, 220, 230, 240, 251, 262, 273,
    284, 296, 309, 322, 336, 351, 366, 383, 401, 422, 444, 470, 501, 538, 589, 677, 1000};

}  // namespace

RatingDifferences InitRatingDifferenceTable() {
    RatingDifferences table{};
    for (int k = 50; k <= 100; ++k) table[k] = UpperHalf[k - 50];
    for (int k = 0; k < 50; ++k) table[k] = -table[100 - k];
    return table;
}

const RatingDifferences& RatingDifferenceTable() {
    static const RatingDifferences table = InitRatingDifferenceTable();
    return table;
}

double ExpectedPercentage(double difference) {
    const RatingDifferences& table = RatingDifferenceTable();
    int k = 0;
    while (k <= 100 && table[k] < difference) ++k;
    if (k > 100) return 100.0;
    if (k == 0 || table[k] == difference) return k;
    return k - (table[k] - difference) / (table[k] - table[k - 1]);
}

double RatingDifferenceFor(double percentage) {
    const RatingDifferences& table = RatingDifferenceTable();
    if (percentage > 100) return table[100];
    if (percentage < 0) return table[0];
    const int f = static_cast<int>(std::floor(percentage));
    if (f == percentage) return table[f];
    return table[f] + (percentage - f) * (table[f + 1] - table[f]);
}

std::optional<Performance> ComputePerformance(const Tournament& t, const PlayerIndex& index, int player) {
    const TPlayer& p = t.Player(player);
    Performance result;
    long long totalRating = 0;
    for (const RoundEntry& round : ReadHistory(p, t.CurrentRound)) {
        const int o = index.Find(round.opponent);
        if (o < 0 || t.Player(o).ELO <= 0) continue;
        ++result.games;
        totalRating += t.Player(o).ELO;
        result.points += round.points;
    }
    if (result.games == 0) return std::nullopt;
    const double n = result.games;
    result.averageRating = static_cast<double>(totalRating) / n;
    result.expected = ExpectedPercentage(p.ELO - result.averageRating) * n / 100;
    result.performance = result.averageRating + RatingDifferenceFor(100 * result.points / n);
    return result;
}

std::optional<Performance> ComputePerformance(const Tournament& t, int player) {
    return ComputePerformance(t, PlayerIndex(t), player);
}

}  // namespace veltrun
