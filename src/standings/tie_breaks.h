#pragma once
// The thirteen tie-breaks. Each player's values for TB1..TB5 go into
// TB1Value..TB5Value; a slot whose code is "-" is left as it is.
#include <map>
#include <string_view>

#include "standings/player_index.h"
#include "store/tournament.h"

namespace veltrun {

struct Settings;

// The two [Reports] settings that steer "G1/G2".
struct GoalsQuotientRule {
    int infinity = 500;     // GoalsInfinityAtDivisionByZero
    int decimalPlaces = 1;  // GoalsDivisionNumberOfDecimalPlaces
};

// Computes tie-break values for the players of one loaded tournament. It keeps
// an alias index and, for "DiEnc", the verdict of each tie group, so computing
// every player costs little more than reading the histories.
class TieBreakCalculator {
public:
    TieBreakCalculator(const Tournament& t, GoalsQuotientRule rule);
    // The value of one code for the player at table index `player`; 0 for an
    // unknown code or "-".
    double Value(int player, std::string_view code);

private:
    bool TieGroupHasMetInFull(double points);
    double DirectEncounter(int player);

    const Tournament& t_;
    GoalsQuotientRule rule_;
    PlayerIndex index_;
    std::map<double, bool> groupVerdicts_;
};

GoalsQuotientRule GoalsQuotientRuleOf(const Settings& settings);

// ComputeTieBreaks: the five slots of one player.
void ComputeTieBreaks(Tournament& t, TieBreakCalculator& calculator, int player);
void ComputeAllTieBreaks(Tournament& t, GoalsQuotientRule rule);

}  // namespace veltrun
