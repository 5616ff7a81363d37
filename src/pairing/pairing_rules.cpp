#include "pairing/pairing_rules.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace veltrun {

namespace {

// The log line of every reason but the repeat, whose text depends on the bye.
constexpr std::pair<unsigned, const char*> kReasonTexts[] = {
    {Refusal::colour, "-choice was rejected: 3x colour restriction."},
    {Refusal::forbidden, "-choice was rejected: the pair is forbidden."},
    {Refusal::team, "-choice was rejected: match against team members is forbidden."},
};

// Sets the bits from .. to-1 of a bit row.
void SetBitRange(std::uint64_t* row, int from, int to) {
    for (int v = from; v < to;) {
        if ((v & 63) == 0 && v + 64 <= to) {
            row[v >> 6] = ~std::uint64_t{0};
            v += 64;
        } else {
            row[v >> 6] |= std::uint64_t{1} << (v & 63);
            ++v;
        }
    }
}

}  // namespace

// The one statement of the rules. Each has one of two shapes: the candidate
// is on one of the pivot's lists (a past game or bye, a forbidden partner),
// or in the pivot's class (the same two colours in a row, the same team).
// Refuse applies them to one candidate, the graph to a row of candidates at
// once, so a new rule is one line here besides its reason and its facts.
// The bye has no class and only the list of past games names it: only a
// second bye keeps a player from it.
template <typename Check>
void PairingRules::ApplyRules(const Facts& pivot, bool skipColourCondition, Check& check) const {
    check.Listed(Refusal::repeat, pivot.opponents);
    if (!skipColourCondition) check.SameClass(Refusal::colour, &Facts::lastTwo);
    check.Listed(Refusal::forbidden, pivot.forbidden);
    if (forbidTeamMates_) check.SameClass(Refusal::team, &Facts::team);
}

struct PairingRules::OneCandidate {
    const Facts& pivot;
    const Facts& candidate;
    int c;
    Refusal refusal;

    void Listed(unsigned reason, const std::vector<int>& list) {
        const int times = static_cast<int>(std::count(list.begin(), list.end(), c));
        if (times == 0) return;
        refusal.reasons |= reason;
        if (reason == Refusal::repeat) refusal.repeats = times;
    }
    void SameClass(unsigned reason, int Facts::*of) {
        if (pivot.*of != 0 && pivot.*of == candidate.*of) refusal.reasons |= reason;
    }
};

// Clears from the row of vertex a the vertices after a that the rules refuse.
// A class leaves through a mask of its members, built on first use.
class PairingRules::WholeRow {
public:
    WholeRow(const std::vector<Facts>& facts, const std::vector<int>& entries, int words)
        : facts_(facts), entries_(entries), words_(words), vertex_of_(facts.size(), -1) {
        for (int v = 0; v < static_cast<int>(entries.size()); ++v) vertex_of_[entries[v]] = v;
    }
    void Start(int a, std::uint64_t* row) {
        a_ = a;
        row_ = row;
    }
    void Listed(unsigned, const std::vector<int>& list) {
        for (int other : list) {
            const int b = vertex_of_[other];
            if (b > a_) row_[b >> 6] &= ~(std::uint64_t{1} << (b & 63));
        }
    }
    void SameClass(unsigned, int Facts::*of) {
        const int k = facts_[entries_[a_]].*of;
        if (k == 0) return;
        const std::uint64_t* mask = &MasksOf(of)[static_cast<std::size_t>(k) * words_];
        for (int w = 0; w < words_; ++w) row_[w] &= ~mask[w];
    }

private:
    struct ClassMasks {
        int Facts::*of;
        std::vector<std::uint64_t> bits;  // words_ per class
    };
    const std::vector<std::uint64_t>& MasksOf(int Facts::*of) {
        for (const ClassMasks& masks : masks_)
            if (masks.of == of) return masks.bits;
        ClassMasks& masks = masks_.emplace_back(ClassMasks{of, {}});
        for (int v = 0; v < static_cast<int>(entries_.size()); ++v) {
            const std::size_t k = static_cast<std::size_t>(facts_[entries_[v]].*of);
            if (k == 0) continue;
            if (masks.bits.size() < (k + 1) * words_) masks.bits.resize((k + 1) * words_, 0);
            masks.bits[k * words_ + (v >> 6)] |= std::uint64_t{1} << (v & 63);
        }
        return masks.bits;
    }

    const std::vector<Facts>& facts_;
    const std::vector<int>& entries_;
    const int words_;
    std::vector<int> vertex_of_;  // by table index; -1: not an entry
    std::vector<ClassMasks> masks_;
    int a_ = 0;
    std::uint64_t* row_ = nullptr;
};

PairingRules::PairingRules(const Tournament& t, bool forbidTeamMates)
    : t_(t), forbidTeamMates_(forbidTeamMates), facts_(t.PlayerCount() + 1) {
    // History entries are compared with the aliases exactly, as they stand.
    std::unordered_map<std::string, std::vector<int>> byAlias;
    std::unordered_map<std::string, int> teams;
    for (int i = 1; i <= t.PlayerCount(); ++i) byAlias[t.Player(i).ArrivalID].push_back(i);
    std::string alias;
    for (int i = 1; i <= t.PlayerCount(); ++i) {
        const TPlayer& player = t.Player(i);
        Facts& facts = facts_[i];
        const std::vector<RoundEntry> rounds = ReadHistory(player);
        for (const RoundEntry& round : rounds) {
            if (round.opponent == "bye") {
                ++facts.byes;
                facts.opponents.push_back(0);
            }
            alias.assign(round.opponent);
            auto found = byAlias.find(alias);
            if (found != byAlias.end())
                facts.opponents.insert(facts.opponents.end(), found->second.begin(), found->second.end());
        }
        facts.lastTwo = static_cast<int>(LastTwoSame(rounds));
        if (!player.TeamID.empty())
            facts.team = teams.emplace(player.TeamID, static_cast<int>(teams.size()) + 1).first->second;
    }
    for (const auto& group : t.ForbiddenGroups) {
        std::vector<int> members;
        for (const std::string& member : group) {
            auto found = byAlias.find(member);
            if (found != byAlias.end()) members.push_back(found->second.front());
        }
        for (int a : members)
            for (int b : members)
                if (a != b) facts_[a].forbidden.push_back(b);
    }
    for (Facts& facts : facts_) {
        std::sort(facts.forbidden.begin(), facts.forbidden.end());
        facts.forbidden.erase(std::unique(facts.forbidden.begin(), facts.forbidden.end()), facts.forbidden.end());
    }
}

const std::string& PairingRules::AliasOf(int entry) const {
    return entry == 0 ? byeAlias_ : t_.Player(entry).ArrivalID;
}

Refusal PairingRules::Refuse(int p, int c, bool skipColourCondition) const {
    OneCandidate check{facts_[p], facts_[c], c, {}};
    ApplyRules(facts_[p], skipColourCondition, check);
    return check.refusal;
}

bool PairingRules::JudgeCandidate(int k, int p, int c, bool skipColourCondition, const PairingLog& log) const {
    const Refusal refusal = Refuse(p, c, skipColourCondition);
    if (!log.Enabled()) return !refusal;
    const std::string prefix = std::to_string(k);
    // One line per matching history entry, as a director reading the log expects.
    for (int i = 0; i < refusal.repeats; ++i)
        log.Write(prefix + (c == 0 ? "-choice was rejected: bye exist." : "-choice was rejected: game exist."));
    for (const auto& [reason, text] : kReasonTexts)
        if (refusal.reasons & reason) log.Write(prefix + text);
    return !refusal;
}

BitMatrix PairingRules::CompatibilityGraph(const std::vector<int>& entries, bool skipColourCondition) const {
    const int size = static_cast<int>(entries.size());
    BitMatrix graph(size);
    WholeRow check(facts_, entries, graph.WordsPerRow());
    for (int a = 0; a < size; ++a) {
        std::uint64_t* row = graph.Row(a);
        // Only the entries after a: each pair is judged once, with a as pivot.
        SetBitRange(row, a + 1, size);
        check.Start(a, row);
        ApplyRules(facts_[entries[a]], skipColourCondition, check);
    }
    // Every row lists all neighbours.
    graph.MirrorUpperTriangle();
    return graph;
}

}  // namespace veltrun
