// The blossom matching and the completion check against brute force on
// small random graphs.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "pairing/completion_check.h"
#include "pairing/perfect_matching.h"

namespace veltrun {
namespace {

// Bipartite: edges only between an even and an odd vertex.
BitMatrix RandomGraph(std::mt19937& rng, int size, double density, bool bipartite = false) {
    BitMatrix graph(size);
    std::bernoulli_distribution edge(density);
    for (int a = 0; a < size; ++a)
        for (int b = a + 1; b < size; ++b)
            if ((!bipartite || (a + b) % 2 == 1) && edge(rng)) graph.SetEdge(a, b);
    return graph;
}

// Whether the vertices in `left` (a bit mask) can all be paired, the way the
// search pairs them: the lowest one with any other, then the rest; with an
// odd number the last one left must be allowed the bye.
bool BruteCompletable(const BitMatrix& g, const std::vector<char>& mayTakeBye, unsigned left) {
    if (left == 0) return true;
    int p = __builtin_ctz(left);
    unsigned rest = left & ~(1U << p);
    if (rest == 0) return mayTakeBye[p];
    for (int c = p + 1; c < g.Size(); ++c)
        if ((rest >> c & 1U) && g.HasEdge(p, c) && BruteCompletable(g, mayTakeBye, rest & ~(1U << c))) return true;
    return false;
}

int BruteMaximumMatching(const BitMatrix& g, unsigned left) {
    if (left == 0) return 0;
    int p = __builtin_ctz(left);
    unsigned rest = left & ~(1U << p);
    int best = BruteMaximumMatching(g, rest);
    for (int c = p + 1; c < g.Size(); ++c)
        if ((rest >> c & 1U) && g.HasEdge(p, c)) best = std::max(best, 1 + BruteMaximumMatching(g, rest & ~(1U << c)));
    return best;
}

TEST(PerfectMatching, MaximumMatchingEqualsBruteForceAndRollsBack) {
    std::mt19937 rng(7);
    for (int sample = 0; sample < 400; ++sample) {
        int size = 2 + static_cast<int>(rng() % 13);
        BitMatrix g = RandomGraph(rng, size, 0.15 + 0.6 * (rng() % 100) / 100.0);
        IncrementalMatching matching(g);
        unsigned active = (1U << size) - 1;
        std::size_t start = matching.Mark();
        // Drop a few vertices, then grow the matching to maximum again.
        for (int v = 0; v < size; ++v)
            if (rng() % 4 == 0) { matching.SetActive(v, false); active &= ~(1U << v); }
        matching.MakeMaximum();
        ASSERT_EQ(matching.MatchedVertices(), 2 * BruteMaximumMatching(g, active)) << "sample " << sample;
        for (int v = 0; v < size; ++v) {
            int mate = matching.Mate(v);
            ASSERT_TRUE(mate < 0 || (matching.Mate(mate) == v && matching.Adjacent(v, mate))) << v << "-" << mate;
        }
        matching.Rollback(start);
        EXPECT_EQ(matching.MatchedVertices(), 0);
        for (int v = 0; v < size; ++v) EXPECT_TRUE(matching.IsActive(v));
    }
}

TEST(PerfectMatching, CompletionCheckEqualsBruteForceLevelByLevel) {
    std::mt19937 rng(11);
    int completable = 0;
    for (int sample = 0; sample < 3000; ++sample) {
        int size = 1 + static_cast<int>(rng() % 13);
        BitMatrix g = RandomGraph(rng, size, 0.2 + 0.6 * (rng() % 100) / 100.0);
        std::vector<char> bye(size);
        for (auto& b : bye) b = rng() % 3 != 0;
        CompletionCheck check(g, bye);
        unsigned left = (1U << size) - 1;
        bool ok = check.Start();
        ASSERT_EQ(ok, BruteCompletable(g, bye, left)) << "sample " << sample;
        completable += ok;
        // Walk down like the search: the lowest vertex with a random partner.
        while (ok && __builtin_popcount(left) >= 2) {
            int p = __builtin_ctz(left);
            std::vector<int> partners;
            for (int c = p + 1; c < size; ++c)
                if ((left >> c & 1U) && g.HasEdge(p, c)) partners.push_back(c);
            ASSERT_FALSE(partners.empty());
            std::shuffle(partners.begin(), partners.end(), rng);
            bool moved = false;
            for (int c : partners) {
                unsigned rest = left & ~(1U << p) & ~(1U << c);
                bool expected = BruteCompletable(g, bye, rest);
                ASSERT_EQ(check.TryRemovePair(p, c), expected) << "sample " << sample << " pair " << p << "-" << c;
                if ((moved = expected)) {
                    left = rest;
                    break;
                }
            }
            ASSERT_TRUE(moved);
        }
    }
    EXPECT_GT(completable, 500);
}

// Bipartite graphs (left: even vertices, right: odd ones) have no odd cycle,
// so a plain augmenting-path matching is an independent judge; they span
// several words of a bit row. The completion check on such fields is judged
// by the larger differential pairing runs.
int AugmentingMatching(const BitMatrix& graph) {
    int size = graph.Size(), pairs = 0;
    std::vector<int> mate(size, -1);
    for (int left = 0; left < size; left += 2) {
        std::vector<char> seen(size, 0);
        std::function<bool(int)> try_left = [&](int l) {
            for (int r = 1; r < size; r += 2) {
                if (seen[r] || !graph.HasEdge(l, r)) continue;
                seen[r] = 1;
                if (mate[r] == -1 || try_left(mate[r])) {
                    mate[r] = l;
                    return true;
                }
            }
            return false;
        };
        if (try_left(left)) ++pairs;
    }
    return pairs;
}

TEST(PerfectMatching, WideBipartiteGraphsAgreeWithPlainAugmenting) {
    std::mt19937 rng(23);
    for (int sample = 0; sample < 60; ++sample) {
        int size = 64 + static_cast<int>(rng() % 140);
        BitMatrix graph = RandomGraph(rng, size, 0.01 + 0.05 * (rng() % 10) / 10.0, true);
        IncrementalMatching matching(graph);
        matching.MakeMaximum();
        ASSERT_EQ(matching.MatchedVertices(), 2 * AugmentingMatching(graph)) << "sample " << sample;
    }
}

}  // namespace
}  // namespace veltrun
