#include "standings/tie_breaks.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <unordered_set>
#include <vector>

#include "store/player_history.h"
#include "store/settings.h"

namespace veltrun {
namespace {

// What the per-round calculators read of one player: rounds 1..R, with the
// opponents' totals (0 for bye, stop, empty or unknown) looked up once.
struct Positions {
    std::vector<RoundEntry> rounds;
    std::vector<double> opponentTotal;
};

Positions ReadPositions(const Tournament& t, const PlayerIndex& index, int player) {
    Positions pos{ReadHistory(t.Player(player), t.CurrentRound), {}};
    for (const RoundEntry& round : pos.rounds) pos.opponentTotal.push_back(index.PointsOf(round.opponent));
    return pos;
}

double Sum(const std::vector<double>& values, size_t from, size_t to) {
    return std::accumulate(values.begin() + static_cast<long>(from), values.begin() + static_cast<long>(to), 0.0);
}

// Buchholz with the `cutLow` lowest and `cutHigh` highest terms left out;
// 0 when fewer terms than that exist.
double CutBuchholz(std::vector<double> totals, size_t cutLow, size_t cutHigh) {
    if (totals.size() <= cutLow + cutHigh) return 0.0;
    std::stable_sort(totals.begin(), totals.end());
    return Sum(totals, cutLow, totals.size() - cutHigh);
}

double SonnebornBerger(const Tournament& t, const Positions& pos) {
    double value = 0;
    for (size_t k = 0; k < pos.rounds.size(); ++k) {
        if (pos.rounds[k].points == t.PointsForWin)
            value += pos.opponentTotal[k];
        else if (pos.rounds[k].points == t.PointsForDraw)
            value += pos.opponentTotal[k] / 2;
    }
    return value;
}

double Progress(const Positions& pos) {
    double running = 0, value = 0;
    for (const RoundEntry& round : pos.rounds) {
        running += round.points;
        value += running;
    }
    return value;
}

double CountWins(const Tournament& t, const Positions& pos, bool blackOnly) {
    return static_cast<double>(std::count_if(pos.rounds.begin(), pos.rounds.end(), [&](const RoundEntry& round) {
        return round.points == t.PointsForWin && round.Played() && (!blackOnly || round.colour == Colour::black);
    }));
}

double CountBlack(const Positions& pos) {
    return static_cast<double>(std::count_if(pos.rounds.begin(), pos.rounds.end(),
                                             [](const RoundEntry& round) { return round.colour == Colour::black; }));
}

double GoalsQuotient(const TPlayer& p, GoalsQuotientRule rule) {
    if (p.GoalsAgainst == 0) return rule.infinity;
    const double scale = std::pow(10.0, rule.decimalPlaces);
    return std::nearbyint(p.GoalsFor / p.GoalsAgainst * scale) / scale;  // halves to even
}

}  // namespace

TieBreakCalculator::TieBreakCalculator(const Tournament& t, GoalsQuotientRule rule)
    : t_(t), rule_(rule), index_(t) {}

double TieBreakCalculator::Value(int player, std::string_view code) {
    const TPlayer& p = t_.Player(player);
    if (code == "G1") return p.GoalsFor;
    if (code == "-G2") return -p.GoalsAgainst;
    if (code == "G1-G2") return p.GoalsFor - p.GoalsAgainst;
    if (code == "G1/G2") return GoalsQuotient(p, rule_);
    if (code == "DiEnc") return DirectEncounter(player);

    const Positions pos = ReadPositions(t_, index_, player);
    if (code == "BH") return Sum(pos.opponentTotal, 0, pos.opponentTotal.size());
    if (code == "midBH") return CutBuchholz(pos.opponentTotal, 1, 1);
    if (code == "BHcut1") return CutBuchholz(pos.opponentTotal, 1, 0);
    if (code == "SB") return SonnebornBerger(t_, pos);
    if (code == "PS") return Progress(pos);
    if (code == "cWin") return CountWins(t_, pos, false);
    if (code == "cWinBl") return CountWins(t_, pos, true);
    if (code == "cBlack") return CountBlack(pos);
    return 0.0;
}

// Whether every member of the group on `points` has met every other member.
// The verdict is the same for the whole group, so it is worked out once.
bool TieBreakCalculator::TieGroupHasMetInFull(double points) {
    auto known = groupVerdicts_.find(points);
    if (known != groupVerdicts_.end()) return known->second;

    std::vector<int> members;
    for (int i = 1; i <= t_.PlayerCount(); ++i)
        if (t_.Player(i).Points == points) members.push_back(i);

    bool verdict = true;
    for (int j : members) {
        const TPlayer& pj = t_.Player(j);
        std::unordered_set<std::string_view> met{pj.ArrivalID};
        for (const RoundEntry& round : ReadHistory(pj)) met.insert(round.opponent);
        for (int m : members) {
            if (!met.count(t_.Player(m).ArrivalID)) {
                verdict = false;
                break;
            }
        }
        if (!verdict) break;
    }
    groupVerdicts_.emplace(points, verdict);
    return verdict;
}

double TieBreakCalculator::DirectEncounter(int player) {
    const TPlayer& p = t_.Player(player);
    if (p.Points <= 0) return 0.0;
    if (!TieGroupHasMetInFull(p.Points)) return 0.0;
    const Positions pos = ReadPositions(t_, index_, player);
    double value = 0;
    for (const RoundEntry& round : pos.rounds) {
        int o = index_.Find(round.opponent);
        if (o > 0 && o != player && t_.Player(o).Points == p.Points) value += round.points;
    }
    return value;
}

GoalsQuotientRule GoalsQuotientRuleOf(const Settings& settings) {
    return {settings.GoalsInfinityAtDivisionByZero, settings.GoalsDivisionNumberOfDecimalPlaces};
}

void ComputeTieBreaks(Tournament& t, TieBreakCalculator& calculator, int player) {
    for (int k = 1; k <= 5; ++k) {
        const std::string& code = t.TB(k);
        if (code == "-") continue;
        t.Player(player).TBValue(k) = calculator.Value(player, code);
    }
}

void ComputeAllTieBreaks(Tournament& t, GoalsQuotientRule rule) {
    TieBreakCalculator calculator(t, rule);
    for (int i = 1; i <= t.PlayerCount(); ++i) ComputeTieBreaks(t, calculator, i);
}

}  // namespace veltrun
