#pragma once
// Maximum matching in a general graph (Edmonds' blossom algorithm), kept up
// to date while vertices leave and come back. The pairing search asks it,
// level after level, whether the players still to be paired can all get an
// opponent; each question costs about one augmenting-path search.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace veltrun {

// A symmetric adjacency matrix, one bit row per vertex.
class BitMatrix {
public:
    explicit BitMatrix(int size = 0);
    int Size() const { return size_; }
    int WordsPerRow() const { return words_; }
    void SetEdge(int u, int v);
    // Makes the matrix symmetric from its strict upper triangle (the lower
    // one must be empty).
    void MirrorUpperTriangle();
    bool HasEdge(int u, int v) const { return (Row(u)[v >> 6] >> (v & 63)) & 1U; }
    const std::uint64_t* Row(int u) const { return &bits_[static_cast<std::size_t>(u) * words_]; }
    std::uint64_t* Row(int u) { return &bits_[static_cast<std::size_t>(u) * words_]; }

private:
    int size_ = 0;
    int words_ = 0;
    std::vector<std::uint64_t> bits_;
};

// The graph seen by the matching is the matrix restricted to the active
// vertices, minus the bound vertex x (when set), minus every edge whose two
// ends both lie above x. Every change is journaled so that Rollback can
// restore an earlier state exactly.
class IncrementalMatching {
public:
    explicit IncrementalMatching(const BitMatrix& graph);

    int Size() const { return graph_.Size(); }
    bool IsActive(int v) const { return (active_[v >> 6] >> (v & 63)) & 1U; }
    void SetActive(int v, bool on);
    int Bound() const { return bound_; }
    // Moves the bound to x (-1: none); x leaves the matching.
    void SetBound(int x);
    bool InGraph(int v) const { return IsActive(v) && v != bound_; }
    bool Adjacent(int u, int v) const;

    int Mate(int v) const { return mate_[v]; }
    int MatchedVertices() const { return matched_; }
    void Unmatch(int v);
    // Matches two free, adjacent vertices.
    void Match(int u, int v);
    // Greedy start followed by one search from every free vertex.
    void MakeMaximum();
    // One search from a free vertex; augments and returns true when it finds
    // an augmenting path.
    bool AugmentFrom(int root);

    std::size_t Mark() const { return journal_.size(); }
    void Rollback(std::size_t mark);

private:
    enum class Change : std::uint8_t { Mate, Active, Bound };
    struct JournalEntry {
        Change change;
        int vertex;
        int old_value;
    };

    void SetMate(int v, int m);
    template <typename Visit>
    void ForEachNeighbour(int v, const std::uint64_t* mask, Visit visit) const;
    int FreeNeighbour(int v, int root) const;
    int FindAugmentingPath(int root);
    int CommonBase(int a, int b);
    void MarkBlossomPath(int v, int base, int child);
    void TouchVertex(int v);
    void ResetSearch();

    const BitMatrix& graph_;
    std::vector<std::uint64_t> active_;
    int bound_ = -1;
    std::vector<int> mate_;
    std::vector<std::uint64_t> free_;  // bit set: the vertex has no mate
    int matched_ = 0;
    std::vector<JournalEntry> journal_;

    // Search scratch, reset through the list of touched vertices.
    std::vector<int> parent_, base_;
    std::vector<char> outer_, touched_, in_blossom_;
    std::vector<int> lca_stamp_;
    int lca_counter_ = 0;
    std::vector<int> touched_list_, queue_;
};

}  // namespace veltrun
