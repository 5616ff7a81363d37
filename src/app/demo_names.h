#pragma once
// Plausible player and club names for the demo tournament.
#include <random>
#include <string>
#include <vector>

namespace veltrun {

// `count` different names "Surname, First name", many with diacritics.
std::vector<std::string> DemoPlayerNames(int count, std::mt19937& random);
// `count` different club names.
std::vector<std::string> DemoTeamNames(int count);

}  // namespace veltrun
