#pragma once
// forbidden.txt: groups of players who must never be paired with each other,
// one group per line as blank-separated aliases ("A3 A17 A40": every alias is
// forbidden against every other one). Comments and blank lines are allowed;
// a missing file means no groups.
#include <filesystem>
#include <string>
#include <vector>

namespace veltrun {

class Session;
struct Tournament;

using ForbiddenGroupList = std::vector<std::vector<std::string>>;

std::filesystem::path ForbiddenFilePath(const std::filesystem::path& folder);

// Reads the file against the tournament's players: an alias no player has,
// a group of fewer than two different players, a link, a device or a huge
// file is refused naming the file (and the line).
ForbiddenGroupList ReadForbiddenGroups(Session& session, const Tournament& t, const std::filesystem::path& path);
// Opening: the groups into the model.
void LoadForbiddenGroups(Session& session, Tournament& t, const std::filesystem::path& folder);
// Writes the groups atomically; no groups leave a file with the header only.
void WriteForbiddenGroups(const std::filesystem::path& path, const ForbiddenGroupList& groups);

}  // namespace veltrun
