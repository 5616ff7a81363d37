#pragma once
// Changes to the forbidden groups as a list, before they are written.
#include <string>
#include <vector>

#include "store/forbidden_file.h"

namespace veltrun {

bool IsForbiddenPair(const ForbiddenGroupList& groups, const std::string& a, const std::string& b);
// Adds the group (aliases already checked and distinct); false, with nothing
// added, when every pair of it is forbidden already.
bool AddForbiddenGroup(ForbiddenGroupList& groups, const std::vector<std::string>& aliases);
// Lets a and b meet again: every group holding both becomes the group without
// b and the group without a, so all its other pairs stay forbidden; a group
// left with one player is dropped. False when no group held the pair.
bool AllowForbiddenPair(ForbiddenGroupList& groups, const std::string& a, const std::string& b);
// Takes the alias out of every group (a deleted player); false when it was in none.
bool RemoveFromForbiddenGroups(ForbiddenGroupList& groups, const std::string& alias);

class Session;
struct Tournament;
// The deletion of a player before round 1: forbidden.txt is rewritten
// without the alias when a group held it, so the next opening still passes.
void DropPlayerFromForbiddenFile(Session& session, Tournament& t, const std::string& alias);

}  // namespace veltrun
