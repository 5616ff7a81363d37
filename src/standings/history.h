#pragma once
// A player's history string split into its first `count` positions.
#include <string>
#include <string_view>
#include <vector>

namespace veltrun {

// Entry k (1-based) of "A2|A5|bye|" is element k-1; positions past the last
// entry are empty, as GetField gives them.
std::vector<std::string> HistoryPositions(std::string_view history, int count);

}  // namespace veltrun
