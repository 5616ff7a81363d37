#pragma once
// The plain exhaustive pairing search, written the simple way: every level
// copies its list, recomputes the candidate order and tries every candidate
// down to the end. The engine's search must give the same pairing and the
// same log, except that a subtree without any complete pairing is logged as
// one "cannot all be paired" line; the reference collapses such subtrees in
// its own log the same way after it has walked them.
#include <string>
#include <vector>

#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun::testing {

struct ReferenceOutcome {
    bool finished = true;  // false: the step budget ran out first
    bool success = false;
    StringList PairList;
    std::vector<std::string> log;
};

ReferenceOutcome ReferenceSearch(const Tournament& t, bool forbidTeamMates, const StringList& list,
                                 bool skipColourCondition, long long stepBudget);

}  // namespace veltrun::testing
