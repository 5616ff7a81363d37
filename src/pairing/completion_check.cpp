#include "pairing/completion_check.h"

namespace veltrun {

CompletionCheck::CompletionCheck(const BitMatrix& graph, std::vector<char> mayTakeBye)
    : matching_(graph), may_take_bye_(std::move(mayTakeBye)) {}

bool CompletionCheck::Start() {
    if (matching_.Size() % 2 == 0) {
        matching_.MakeMaximum();
        completable_ = matching_.MatchedVertices() == matching_.Size();
    } else {
        completable_ = FindWitness();
    }
    return completable_;
}

bool CompletionCheck::TryRemovePair(int p, int c) {
    // Nothing below an incompletable list can be completed.
    if (!completable_) return false;
    std::size_t mark = matching_.Mark();
    int x = matching_.Bound();
    bool odd = x >= 0;
    if (c != x) {
        int u = matching_.Mate(p);
        int w = matching_.Mate(c);
        matching_.SetActive(p, false);
        matching_.SetActive(c, false);
        // The witness either holds as it is or needs one augmenting path
        // between the two entries that lost their partners; in a dense field
        // that path is mostly the single edge between them.
        if (u == c) return true;
        if (matching_.Adjacent(u, w)) {
            matching_.Match(u, w);
            return true;
        }
        if (matching_.AugmentFrom(u)) return true;
    } else {
        matching_.SetActive(p, false);
        matching_.SetActive(c, false);
    }
    if (odd && FindWitness()) return true;
    matching_.Rollback(mark);
    return false;
}

bool CompletionCheck::FindWitness() {
    order_.clear();
    for (int v = 0; v < matching_.Size(); ++v)
        if (matching_.IsActive(v)) order_.push_back(v);
    int k = static_cast<int>(order_.size());
    // x stands at a 0-based position j with at least as many entries before
    // it as after it.
    int lowest_candidate = k;
    for (int j = (k - 1) / 2; j < k; ++j)
        if (may_take_bye_[order_[j]]) {
            lowest_candidate = j;
            break;
        }
    if (lowest_candidate == k) return false;

    matching_.SetBound(order_[k - 1]);
    for (int v : order_)
        if (matching_.InGraph(v) && matching_.Mate(v) == -1) matching_.AugmentFrom(v);
    for (int j = k - 1; j >= lowest_candidate; --j) {
        if (j < k - 1) {
            // Moving x one place up: first the new x leaves (only its old
            // partner can then augment), then the old x comes back as an
            // entry after x (only it can then augment). One change at a time
            // keeps the matching maximum with one search each.
            int old_x = order_[j + 1];
            int partner = matching_.Mate(order_[j]);
            matching_.SetActive(old_x, false);
            matching_.SetBound(order_[j]);
            if (partner != -1) matching_.AugmentFrom(partner);
            matching_.SetActive(old_x, true);
            matching_.AugmentFrom(old_x);
        }
        if (may_take_bye_[order_[j]] && matching_.MatchedVertices() == k - 1) return true;
    }
    return false;
}

}  // namespace veltrun
