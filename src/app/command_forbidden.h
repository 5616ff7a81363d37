#pragma once
// The forbidden pairs of the open tournament: groups of players who must not
// be paired with each other, kept in forbidden.txt.
#include <cstddef>
#include <string>
#include <vector>

namespace veltrun {

class Session;

// forbid: a new group of two or more players. False when refused (an unknown
// alias, fewer than two different players) or when the file could not be
// written; every pair of it already forbidden is told and changes nothing.
bool ForbidCommand(Session& session, const std::vector<std::string>& aliases);
// allow: the pair may meet again; the groups holding it are split.
bool AllowCommand(Session& session, const std::string& a, const std::string& b);
// The dialog's remove: the group at index (0-based) as ForbiddenGroupTexts lists it.
bool RemoveForbiddenGroupCommand(Session& session, std::size_t index);
// One text per group, in file order: "[A1] Name, [A7] Name".
std::vector<std::string> ForbiddenGroupTexts(const Session& session);

}  // namespace veltrun
