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
            if (round.opponent == "bye") ++facts.byes;
            alias.assign(round.opponent);
            auto found = byAlias.find(alias);
            if (found != byAlias.end())
                facts.opponents.insert(facts.opponents.end(), found->second.begin(), found->second.end());
        }
        facts.lastTwo = LastTwoSame(rounds);
        if (!player.TeamID.empty()) facts.team = teams.emplace(player.TeamID, static_cast<int>(teams.size())).first->second;
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
    const Facts& pivot = facts_[p];
    Refusal refusal;
    // Only a second bye keeps a player from the bye.
    refusal.repeats = c == 0 ? pivot.byes : static_cast<int>(std::count(pivot.opponents.begin(), pivot.opponents.end(), c));
    if (refusal.repeats > 0) refusal.reasons |= Refusal::repeat;
    if (c == 0) return refusal;
    const Facts& candidate = facts_[c];
    if (!skipColourCondition && pivot.lastTwo != Colour::none && pivot.lastTwo == candidate.lastTwo)
        refusal.reasons |= Refusal::colour;
    if (std::binary_search(pivot.forbidden.begin(), pivot.forbidden.end(), c)) refusal.reasons |= Refusal::forbidden;
    if (forbidTeamMates_ && pivot.team >= 0 && pivot.team == candidate.team) refusal.reasons |= Refusal::team;
    return refusal;
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
    for (int a = 0; a < size; ++a) {
        std::uint64_t* row = graph.Row(a);
        // Only the entries after a: each pair is judged once, with a as pivot.
        SetBitRange(row, a + 1, size);
        for (int b = a + 1; b < size; ++b)
            if (Refuse(entries[a], entries[b], skipColourCondition)) row[b >> 6] &= ~(std::uint64_t{1} << (b & 63));
    }
    // Mirror the upper triangle so that every row lists all neighbours.
    for (int a = 0; a < size; ++a)
        for (int b = a + 1; b < size; ++b)
            if (graph.HasEdge(a, b)) graph.SetEdge(a, b);
    return graph;
}

}  // namespace veltrun
