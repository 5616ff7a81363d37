#pragma once
// ArrivalID -> table index, built once per computation. The reports and
// tie-breaks look opponents up for every history entry; a linear scan per
// entry makes 2000 players x 11 rounds far too slow.
#include <string>
#include <string_view>
#include <unordered_map>

#include "store/tournament.h"

namespace veltrun {

class PlayerIndex {
public:
    explicit PlayerIndex(const Tournament& t);
    // Same answer as FindPlayerByArrivalID: the lowest index whose ArrivalID
    // equals the trimmed text exactly; -1 when there is none.
    int Find(std::string_view text) const;
    // Points of that player; 0 when there is none ("bye", "stop", "").
    double PointsOf(std::string_view text) const;

private:
    const Tournament& t_;
    std::unordered_map<std::string, int> byAlias_;
};

}  // namespace veltrun
