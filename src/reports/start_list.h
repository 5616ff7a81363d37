#pragma once
// The starting list: players.txt read directly, ordered by rating or by name.
#include <filesystem>
#include <string>
#include <vector>

namespace veltrun {

class Session;
struct Translation;

// The lines between page head and foot. `byRating` is StartListSortingType "2".
std::vector<std::string> StartListBody(const Translation& tr, const std::vector<std::string>& playerLines, bool byRating);
// WriteStartList: writes the report (without opening it) and returns its path.
std::filesystem::path WriteStartList(Session& session);

}  // namespace veltrun
