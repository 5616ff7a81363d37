#pragma once
// The recursive pairing search: from the top score group down, the first
// player of the highest remaining group (the pivot) takes the first opponent
// candidate that the rules accept, and the rest is paired the same way; when
// the rest cannot be paired, the next candidate is tried.
//
// The search is the exhaustive depth-first one, but it asks, before it
// descends, whether the remaining players can still all be paired (see
// completion_check.h) and skips the subtrees that cannot. The pairing found
// is therefore the one the plain search finds, and a field without any
// pairing is known at once instead of after hours of backtracking. The search
// keeps its levels on its own stack, so 1000 levels need no deep recursion.
#include "pairing/pairing_log.h"
#include "pairing/pairing_rules.h"
#include "store/text_utils.h"

namespace veltrun {

// Pairs every entry of the GroupList. On success PairList gets one line per
// pair, "{pivot}|{opponent}" or "{pivot}|bye", the deepest pair first and the
// first pivot's pair last; on failure PairList is left as it was.
bool SearchPairing(const PairingRules& rules, const StringList& list, bool skipColourCondition, const PairingLog& log,
                   StringList& PairList);

}  // namespace veltrun
