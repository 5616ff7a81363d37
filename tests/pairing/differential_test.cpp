// The engine's search against the plain exhaustive search on thousands of
// small random tournaments: same success, same pairs, same log.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "pairing/colour_allocation.h"
#include "pairing/pairing_search.h"
#include "pairing/score_groups.h"
#include "pairing_fixture.h"
#include "reference_search.h"

namespace veltrun::testing {
namespace {

const char* const kResults[] = {"1-0", "0-1", "0.5-0.5", "1k-0k", "0k-1k", "0k-0k"};

class RandomTournament {
public:
    RandomTournament(std::mt19937& rng, MemoryTournament& m, int fewest = 6, int most = 16) : rng_(rng), m_(m) {
        m.Reset();
        players_ = Pick(fewest, most);
        int teams = Pick(0, 4);
        for (int i = 0; i < players_; ++i) m.Add(teams == 0 || Chance(0.2) ? "" : "T" + std::to_string(Pick(1, teams)));
        // Forbidden groups of two to four players, overlapping at random.
        for (int g = Pick(0, 3); g > 0; --g) {
            StringList group;
            for (int size = Pick(2, 4); size > 0; --size) group.push_back(m.Side(Pick(1, players_)));
            m.t().ForbiddenGroups.push_back(group);
        }
    }

    // One more round of random pairs (repeats and colour runs included),
    // random results, byes and suspensions.
    void PlayRound(int round) {
        std::vector<int> active;
        for (int i = 1; i <= players_; ++i) {
            if (Chance(0.08))
                m_.Game(i, -1, "0k-0k", round);
            else
                active.push_back(i);
        }
        std::shuffle(active.begin(), active.end(), rng_);
        if (active.size() % 2 == 1) {
            m_.Game(active.back(), 0, Chance(0.5) ? "1k-0k" : "0k-0k", round);
            active.pop_back();
        }
        for (std::size_t i = 0; i + 1 < active.size(); i += 2)
            m_.Game(active[i], active[i + 1], kResults[Pick(0, 5)], round);
    }

    // Who is suspended for the round being paired.
    void Suspend() {
        for (int i = 1; i <= players_; ++i) m_.t().Player(i).OnOff = Chance(0.07) ? 0 : 1;
    }

    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

private:
    std::mt19937& rng_;
    MemoryTournament& m_;
    int players_ = 0;
};

std::string LastTwoPlayed(const TPlayer& p) {
    std::string played = ReplaceChar(p.ColourHistory, '|', "");
    return played.size() < 2 ? "" : played.substr(played.size() - 2);
}

// The colours given to the pairs of a found pairing, against the rules: a
// third equal colour in a row only when the opponent ends in the same two
// (the lenient ways pair such players); otherwise, unless one player's run
// decides, the larger colour difference (the higher-ranked player's on a tie)
// gets the colour that reduces it.
void ExpectColoursKeepTheRules(Tournament& t, StringList boards) {
    const std::string first = t.ColourFor1stPlayer;
    AllocateColours(t, boards);
    t.ColourFor1stPlayer = first;
    for (const std::string& line : boards) {
        const std::string white = GetField(line, '|', 1), black = GetField(line, '|', 2);
        if (!IsAllDigits(white) || !IsAllDigits(black)) continue;
        const int w = std::stoi(white), b = std::stoi(black);
        const std::string lw = LastTwoPlayed(t.Player(w)), lb = LastTwoPlayed(t.Player(b));
        SCOPED_TRACE("board " + line + ": " + t.Player(w).ColourHistory + " against " + t.Player(b).ColourHistory);
        EXPECT_TRUE(lw != "WW" || lb == "WW");
        EXPECT_TRUE(lb != "BB" || lw == "BB");
        auto run = [](const std::string& last) { return last == "WW" || last == "BB"; };
        if ((run(lw) || run(lb)) && lw != lb) continue;
        auto difference = [&t](int i) { return t.Player(i).WhiteCount - t.Player(i).BlackCount; };
        const int i = std::min(w, b), j = std::max(w, b);
        const int due = std::abs(difference(i)) >= std::abs(difference(j)) ? i : j;
        if (difference(due) != 0) {
            EXPECT_EQ(due == w, difference(due) < 0) << "player " << due;
        }
    }
}

// VELTRUN_DIFFERENTIAL_RUNS and VELTRUN_DIFFERENTIAL_SEED make longer runs
// with other fields than the quick default.
int EnvironmentNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::atoi(text) : fallback;
}

struct Tally {
    int compared = 0, skipped = 0, failures = 0;
};

// Pairs every round of random tournaments in all ways and compares.
void CompareOnRandomTournaments(std::mt19937& rng, int runs, int fewest, int most, int maxRounds, long long budget,
                                Tally& tally) {
    MemoryTournament m;
    for (int sample = 0; sample < runs; ++sample) {
        RandomTournament tournament(rng, m, fewest, most);
        int rounds = tournament.Pick(1, maxRounds);
        for (int round = 1; round <= rounds; ++round) {
            tournament.Suspend();
            Settings settings;
            settings.IsAcceleratedPairings = tournament.Chance(0.25);
            ScoreGroupsResult groups = FindScoreGroups(m.t(), settings, round, PairingLog());
            for (bool withBye : {false, true}) {
                if (withBye && ActivePlayerCount(m.t()) % 2 == 0) continue;
                StringList list = BuildGroupList(m.t(), settings, groups, round, withBye, PairingLog());
                for (int variant = 0; variant < 4; ++variant) {
                    bool skip = variant & 1;
                    bool forbid = variant & 2;
                    ReferenceOutcome expected = ReferenceSearch(m.t(), forbid, list, skip, budget);
                    if (!expected.finished) {
                        ++tally.skipped;
                        continue;
                    }
                    m.lines.clear();
                    StringList pairs{"untouched"};
                    PairingRules rules(m.t(), forbid);
                    bool success = SearchPairing(rules, list, skip, m.Log(), pairs);
                    ++tally.compared;
                    if (!success) ++tally.failures;
                    SCOPED_TRACE("sample " + std::to_string(sample) + " round " + std::to_string(round) + " list " +
                                 JoinReversed(list));
                    ASSERT_EQ(success, expected.success);
                    expected.PairList.insert(expected.PairList.begin(), "untouched");
                    ASSERT_EQ(pairs, expected.PairList);
                    ASSERT_EQ(m.lines, expected.log);
                    if (success) ExpectColoursKeepTheRules(m.t(), pairs);
                }
            }
            tournament.PlayRound(round);
        }
    }
}

TEST(PairingDifferential, EngineSearchEqualsPlainSearch) {
    std::mt19937 rng(EnvironmentNumber("VELTRUN_DIFFERENTIAL_SEED", 20240611));
    Tally tally;
    CompareOnRandomTournaments(rng, EnvironmentNumber("VELTRUN_DIFFERENTIAL_RUNS", 40), 6, 16, 9, 3000, tally);
    // The samples must exercise both outcomes, and the reference must finish.
    EXPECT_GT(tally.failures, tally.compared / 20);
    EXPECT_LT(tally.failures, tally.compared * 9 / 10);
    EXPECT_LT(tally.skipped, tally.compared / 100 + 1);
    std::printf("compared %d searches, %d without pairing, %d skipped\n", tally.compared, tally.failures,
                tally.skipped);
}

// Fields of several machine words, where the plain search is still quick
// enough when a pairing exists.
TEST(PairingDifferential, LargerFieldsEqualPlainSearch) {
    std::mt19937 rng(EnvironmentNumber("VELTRUN_DIFFERENTIAL_SEED", 31337));
    Tally tally;
    CompareOnRandomTournaments(rng, std::max(2, EnvironmentNumber("VELTRUN_DIFFERENTIAL_RUNS", 40) / 20), 60, 140, 4, 3000,
                               tally);
    EXPECT_GT(tally.compared, 10);
    std::printf("compared %d searches, %d without pairing, %d skipped\n", tally.compared, tally.failures,
                tally.skipped);
}

}  // namespace
}  // namespace veltrun::testing
