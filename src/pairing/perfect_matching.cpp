#include "pairing/perfect_matching.h"

#include <bit>
#include <climits>

namespace veltrun {

namespace {

// Transposes a 64x64 bit block in place (bit c of row r to bit r of row c)
// by swapping ever smaller off-diagonal quarters.
void TransposeBlock(std::uint64_t* rows) {
    std::uint64_t mask = 0x00000000FFFFFFFFULL;
    for (int half = 32; half != 0; half >>= 1, mask ^= mask << half)
        for (int r = 0; r < 64; r = ((r | half) + 1) & ~half) {
            const std::uint64_t swap = ((rows[r] >> half) ^ rows[r | half]) & mask;
            rows[r] ^= swap << half;
            rows[r | half] ^= swap;
        }
}

}  // namespace

BitMatrix::BitMatrix(int size)
    : size_(size), words_((size + 63) / 64), bits_(static_cast<std::size_t>(size) * words_, 0) {}

void BitMatrix::SetEdge(int u, int v) {
    Row(u)[v >> 6] |= std::uint64_t{1} << (v & 63);
    Row(v)[u >> 6] |= std::uint64_t{1} << (u & 63);
}

void BitMatrix::MirrorUpperTriangle() {
    // Block (i, j) above the diagonal, transposed, is block (j, i); a
    // pair-by-pair copy costs a large field more than the rules do.
    std::uint64_t block[64];
    for (int i = 0; i < words_; ++i)
        for (int j = i; j < words_; ++j) {
            for (int r = 0; r < 64; ++r) block[r] = i * 64 + r < size_ ? Row(i * 64 + r)[j] : 0;
            TransposeBlock(block);
            for (int r = 0; r < 64 && j * 64 + r < size_; ++r) Row(j * 64 + r)[i] |= block[r];
        }
}

IncrementalMatching::IncrementalMatching(const BitMatrix& graph)
    : graph_(graph),
      active_(graph.WordsPerRow(), 0),
      mate_(graph.Size(), -1),
      free_(graph.WordsPerRow(), 0),
      parent_(graph.Size(), -1),
      base_(graph.Size()),
      outer_(graph.Size(), 0),
      touched_(graph.Size(), 0),
      in_blossom_(graph.Size(), 0),
      lca_stamp_(graph.Size(), 0) {
    for (int v = 0; v < graph.Size(); ++v) {
        active_[v >> 6] |= std::uint64_t{1} << (v & 63);
        free_[v >> 6] |= std::uint64_t{1} << (v & 63);
        base_[v] = v;
    }
}

void IncrementalMatching::SetActive(int v, bool on) {
    if (IsActive(v) == on) return;
    if (!on) Unmatch(v);
    journal_.push_back({Change::Active, v, on ? 0 : 1});
    active_[v >> 6] ^= std::uint64_t{1} << (v & 63);
}

void IncrementalMatching::SetBound(int x) {
    if (x == bound_) return;
    bool forbids_more = x >= 0 && (bound_ < 0 || x < bound_);
    if (x >= 0) Unmatch(x);
    journal_.push_back({Change::Bound, -1, bound_});
    bound_ = x;
    if (forbids_more)
        for (int v = x + 1; v < Size(); ++v)
            if (mate_[v] > x) Unmatch(v);
}

bool IncrementalMatching::Adjacent(int u, int v) const {
    if (u == v || !InGraph(u) || !InGraph(v) || !graph_.HasEdge(u, v)) return false;
    return bound_ < 0 || u < bound_ || v < bound_;
}

void IncrementalMatching::SetMate(int v, int m) {
    journal_.push_back({Change::Mate, v, mate_[v]});
    if (mate_[v] == -1 && m != -1) ++matched_;
    if (mate_[v] != -1 && m == -1) --matched_;
    mate_[v] = m;
    if (m == -1)
        free_[v >> 6] |= std::uint64_t{1} << (v & 63);
    else
        free_[v >> 6] &= ~(std::uint64_t{1} << (v & 63));
}

void IncrementalMatching::Unmatch(int v) {
    int m = mate_[v];
    if (m == -1) return;
    SetMate(v, -1);
    SetMate(m, -1);
}

void IncrementalMatching::Match(int u, int v) {
    SetMate(u, v);
    SetMate(v, u);
}

void IncrementalMatching::Rollback(std::size_t mark) {
    while (journal_.size() > mark) {
        const JournalEntry& entry = journal_.back();
        switch (entry.change) {
            case Change::Mate:
                if (mate_[entry.vertex] == -1 && entry.old_value != -1) ++matched_;
                if (mate_[entry.vertex] != -1 && entry.old_value == -1) --matched_;
                mate_[entry.vertex] = entry.old_value;
                if (entry.old_value == -1)
                    free_[entry.vertex >> 6] |= std::uint64_t{1} << (entry.vertex & 63);
                else
                    free_[entry.vertex >> 6] &= ~(std::uint64_t{1} << (entry.vertex & 63));
                break;
            case Change::Active:
                if (entry.old_value)
                    active_[entry.vertex >> 6] |= std::uint64_t{1} << (entry.vertex & 63);
                else
                    active_[entry.vertex >> 6] &= ~(std::uint64_t{1} << (entry.vertex & 63));
                break;
            case Change::Bound:
                bound_ = entry.old_value;
                break;
        }
        journal_.pop_back();
    }
}

template <typename Visit>
void IncrementalMatching::ForEachNeighbour(int v, const std::uint64_t* mask, Visit visit) const {
    const std::uint64_t* row = graph_.Row(v);
    int words = graph_.WordsPerRow();
    std::uint64_t last_mask = ~std::uint64_t{0};
    if (bound_ >= 0 && v > bound_) {
        // Above the bound only the vertices below it are neighbours.
        words = (bound_ >> 6) + 1;
        last_mask = (std::uint64_t{1} << (bound_ & 63)) - 1;
    }
    for (int w = 0; w < words; ++w) {
        std::uint64_t bits = row[w] & active_[w];
        if (mask != nullptr) bits &= mask[w];
        if (w == words - 1) bits &= last_mask;
        if (bound_ >= 0 && w == (bound_ >> 6)) bits &= ~(std::uint64_t{1} << (bound_ & 63));
        while (bits != 0) {
            int to = w * 64 + std::countr_zero(bits);
            bits &= bits - 1;
            if (visit(to)) return;
        }
    }
}

int IncrementalMatching::FreeNeighbour(int v, int root) const {
    int found = -1;
    ForEachNeighbour(v, free_.data(), [&](int to) {
        if (to == root) return false;
        found = to;
        return true;
    });
    return found;
}

void IncrementalMatching::MakeMaximum() {
    for (int v = 0; v < Size(); ++v) {
        if (!InGraph(v) || mate_[v] != -1) continue;
        ForEachNeighbour(v, free_.data(), [&](int to) {
            SetMate(v, to);
            SetMate(to, v);
            return true;
        });
    }
    for (int v = 0; v < Size(); ++v)
        if (InGraph(v) && mate_[v] == -1) AugmentFrom(v);
}

void IncrementalMatching::TouchVertex(int v) {
    if (touched_[v]) return;
    touched_[v] = 1;
    touched_list_.push_back(v);
}

void IncrementalMatching::ResetSearch() {
    for (int v : touched_list_) {
        touched_[v] = 0;
        parent_[v] = -1;
        base_[v] = v;
        outer_[v] = 0;
        in_blossom_[v] = 0;
    }
    touched_list_.clear();
    queue_.clear();
}

int IncrementalMatching::CommonBase(int a, int b) {
    if (lca_counter_ == INT_MAX) {
        lca_stamp_.assign(lca_stamp_.size(), 0);
        lca_counter_ = 0;
    }
    int stamp = ++lca_counter_;
    while (true) {
        a = base_[a];
        lca_stamp_[a] = stamp;
        if (mate_[a] == -1) break;
        a = parent_[mate_[a]];
    }
    while (true) {
        b = base_[b];
        if (lca_stamp_[b] == stamp) return b;
        b = parent_[mate_[b]];
    }
}

void IncrementalMatching::MarkBlossomPath(int v, int base, int child) {
    while (base_[v] != base) {
        in_blossom_[base_[v]] = 1;
        in_blossom_[base_[mate_[v]]] = 1;
        parent_[v] = child;
        child = mate_[v];
        v = parent_[mate_[v]];
    }
}

int IncrementalMatching::FindAugmentingPath(int root) {
    ResetSearch();
    int found = -1;
    // An outer vertex next to a free one ends the search at once: in a dense
    // graph this finds the path before any odd cycle has to be shrunk.
    auto make_outer = [&](int v) {
        outer_[v] = 1;
        queue_.push_back(v);
        if (found != -1) return;
        int free = FreeNeighbour(v, root);
        if (free != -1) {
            TouchVertex(free);
            parent_[free] = v;
            found = free;
        }
    };
    TouchVertex(root);
    make_outer(root);
    for (std::size_t head = 0; head < queue_.size() && found == -1; ++head) {
        int v = queue_[head];
        ForEachNeighbour(v, nullptr, [&](int to) {
            if (base_[v] == base_[to] || mate_[v] == to) return false;
            TouchVertex(to);
            if (to == root || (mate_[to] != -1 && parent_[mate_[to]] != -1)) {
                // An odd cycle: shrink it into its base and go on from there.
                int common = CommonBase(v, to);
                for (int i : touched_list_) in_blossom_[i] = 0;
                MarkBlossomPath(v, common, to);
                MarkBlossomPath(to, common, v);
                for (std::size_t k = 0; k < touched_list_.size(); ++k) {
                    int i = touched_list_[k];
                    if (!in_blossom_[base_[i]]) continue;
                    base_[i] = common;
                    if (!outer_[i]) make_outer(i);
                }
            } else if (parent_[to] == -1) {
                parent_[to] = v;
                if (mate_[to] == -1) {
                    found = to;
                    return true;
                }
                int next = mate_[to];
                TouchVertex(next);
                make_outer(next);
            }
            return found != -1;
        });
    }
    return found;
}

bool IncrementalMatching::AugmentFrom(int root) {
    if (!InGraph(root) || mate_[root] != -1) return false;
    int v = FindAugmentingPath(root);
    if (v == -1) return false;
    while (v != -1) {
        int pv = parent_[v];
        int next = mate_[pv];
        SetMate(v, pv);
        SetMate(pv, v);
        v = next;
    }
    return true;
}

}  // namespace veltrun
