#pragma once
// Whether the entries still to be paired can all be paired: the question the
// search asks before it descends, so that it never enters a subtree without a
// complete pairing and gives exactly the pairing the plain exhaustive search
// would give.
//
// Vertices are the entries in search order (the pivot is always the lowest
// active vertex); an edge joins two entries that the rules let meet, judged
// with the earlier one as pivot.
// - Even number of entries: completable exactly when the remaining graph has
//   a perfect matching.
// - Odd number (ways without the bye pseudo-player): the entry x left over
//   gets the bye, so x must not have had one, and x is only left over when
//   every entry after x is paired with an entry before x. Completable exactly
//   when such an x exists with a perfect matching of the rest in which no two
//   entries after x are paired together.
// The witness (a matching, and x when odd) is carried from level to level, so
// a question usually costs one augmenting-path search. Both tests are exact,
// so the search never enters a remainder that fails and never asks about the
// same remainder twice: remembering failed remainders would gain nothing.
#include <cstddef>
#include <vector>

#include "pairing/perfect_matching.h"

namespace veltrun {

class CompletionCheck {
public:
    // mayTakeBye[v]: entry v may be left over for the bye.
    CompletionCheck(const BitMatrix& graph, std::vector<char> mayTakeBye);

    // All vertices active; whether they can all be paired.
    bool Start();
    // Pairs p (the lowest active vertex) with c. When the rest can still be
    // paired both leave and true is returned; otherwise nothing changes.
    bool TryRemovePair(int p, int c);

    std::size_t Mark() const { return matching_.Mark(); }
    void Rollback(std::size_t mark) { matching_.Rollback(mark); }

private:
    bool FindWitness();

    IncrementalMatching matching_;
    std::vector<char> may_take_bye_;
    bool completable_ = false;
    std::vector<int> order_;
};

}  // namespace veltrun
