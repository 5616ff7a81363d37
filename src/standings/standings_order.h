#pragma once
// The standings order: Points, then TB1Value..TB5Value, all descending. It
// rewrites every player's Place and never moves a record.
#include <vector>

#include "standings/tie_breaks.h"
#include "store/tournament.h"

namespace veltrun {

// Place of player i becomes i.
void ResetPlaces(Tournament& t);
// Stable: players equal on all six keys keep the order of their current places.
void SortStandings(Tournament& t);
// ResetPlaces, ComputeAllTieBreaks, SortStandings: what every standings
// reader runs first. An escaping error becomes myException.
void ComputeStandings(Tournament& t, GoalsQuotientRule rule);

// Table indexes by place 1..N (places without a player are skipped).
std::vector<int> PlayersByPlace(const Tournament& t);

}  // namespace veltrun
