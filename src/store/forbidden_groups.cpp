#include "store/forbidden_groups.h"

#include <algorithm>

#include "store/session.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

bool Holds(const std::vector<std::string>& group, const std::string& alias) {
    return std::find(group.begin(), group.end(), alias) != group.end();
}

std::vector<std::string> Without(const std::vector<std::string>& group, const std::string& alias) {
    std::vector<std::string> rest;
    for (const auto& member : group)
        if (member != alias) rest.push_back(member);
    return rest;
}

}  // namespace

bool IsForbiddenPair(const ForbiddenGroupList& groups, const std::string& a, const std::string& b) {
    return std::any_of(groups.begin(), groups.end(), [&](const auto& group) { return Holds(group, a) && Holds(group, b); });
}

bool AddForbiddenGroup(ForbiddenGroupList& groups, const std::vector<std::string>& aliases) {
    for (std::size_t i = 0; i < aliases.size(); ++i)
        for (std::size_t j = i + 1; j < aliases.size(); ++j)
            if (!IsForbiddenPair(groups, aliases[i], aliases[j])) {
                groups.push_back(aliases);
                return true;
            }
    return false;
}

bool AllowForbiddenPair(ForbiddenGroupList& groups, const std::string& a, const std::string& b) {
    ForbiddenGroupList kept;
    bool found = false;
    for (const auto& group : groups) {
        if (a == b || !Holds(group, a) || !Holds(group, b)) {
            kept.push_back(group);
            continue;
        }
        found = true;
        for (const auto& part : {Without(group, b), Without(group, a)})
            if (part.size() >= 2) kept.push_back(part);
    }
    groups = std::move(kept);
    return found;
}

bool RemoveFromForbiddenGroups(ForbiddenGroupList& groups, const std::string& alias) {
    ForbiddenGroupList kept;
    bool found = false;
    for (const auto& group : groups) {
        if (!Holds(group, alias)) {
            kept.push_back(group);
            continue;
        }
        found = true;
        if (group.size() > 2) kept.push_back(Without(group, alias));
    }
    groups = std::move(kept);
    return found;
}

void DropPlayerFromForbiddenFile(Session& session, Tournament& t, const std::string& alias) {
    ForbiddenGroupList groups = t.ForbiddenGroups;
    if (!RemoveFromForbiddenGroups(groups, alias)) return;
    WriteForbiddenGroups(ForbiddenFilePath(t.TournamentFolder), groups);
    t.ForbiddenGroups = std::move(groups);
    session.AppendToLog("Player (" + alias + ") was removed from every forbidden group (=write to file forbidden.txt).");
}

}  // namespace veltrun
