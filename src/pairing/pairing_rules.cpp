#include "pairing/pairing_rules.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

namespace veltrun {

namespace {

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

int LastTwoColoursCode(const std::string& colourHistory) {
    std::string played;
    for (char c : colourHistory)
        if (c != '|') played += c;
    if (played.size() < 2) return 0;
    std::string lastTwo = played.substr(played.size() - 2);
    if (lastTwo == "WW") return 1;
    if (lastTwo == "BB") return 2;
    return 0;
}

PairingRules::PairingRules(const Tournament& t, bool forbidTeamMates)
    : t_(t), forbidTeamMates_(forbidTeamMates), facts_(t.PlayerCount() + 1) {
    // History entries are compared with the aliases exactly, as they stand.
    std::unordered_map<std::string, std::vector<int>> byAlias;
    std::unordered_map<std::string, int> teams;
    for (int i = 1; i <= t.PlayerCount(); ++i) byAlias[t.Player(i).ArrivalID].push_back(i);
    for (int i = 1; i <= t.PlayerCount(); ++i) {
        const TPlayer& player = t.Player(i);
        Facts& facts = facts_[i];
        // One pass over the history: long histories are common late in a big event.
        std::string_view history = player.OpponentHistory;
        for (std::size_t bar = history.find('|'); bar != std::string_view::npos; bar = history.find('|')) {
            std::string entry(history.substr(0, bar));
            history.remove_prefix(bar + 1);
            if (entry == "bye") ++facts.byes;
            auto found = byAlias.find(entry);
            if (found != byAlias.end())
                facts.opponents.insert(facts.opponents.end(), found->second.begin(), found->second.end());
        }
        facts.lastTwoColours = LastTwoColoursCode(player.ColourHistory);
        if (!player.TeamID.empty()) facts.team = teams.emplace(player.TeamID, static_cast<int>(teams.size())).first->second;
    }
    for (const auto& group : t.ForbiddenGroups) {
        std::vector<int> members;
        for (const std::string& alias : group) {
            auto found = byAlias.find(alias);
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

int PairingRules::GamesAgainst(int p, int c) const {
    const std::vector<int>& opponents = facts_[p].opponents;
    return static_cast<int>(std::count(opponents.begin(), opponents.end(), c));
}

bool PairingRules::ThirdSameColour(int p, int c) const {
    int code = facts_[p].lastTwoColours;
    return code != 0 && code == facts_[c].lastTwoColours;
}

bool PairingRules::SameTeam(int p, int c) const {
    return forbidTeamMates_ && facts_[p].team >= 0 && facts_[p].team == facts_[c].team;
}

bool PairingRules::ForbiddenPair(int p, int c) const {
    const std::vector<int>& forbidden = facts_[p].forbidden;
    return std::binary_search(forbidden.begin(), forbidden.end(), c);
}

bool PairingRules::Accepts(int p, int c, bool skipColourCondition) const {
    if (c == 0) return facts_[p].byes == 0;
    if (GamesAgainst(p, c) > 0) return false;
    if (!skipColourCondition && ThirdSameColour(p, c)) return false;
    return !ForbiddenPair(p, c) && !SameTeam(p, c);
}

bool PairingRules::JudgeCandidate(int k, int p, int c, bool skipColourCondition, const PairingLog& log) const {
    std::string prefix = std::to_string(k);
    bool rejected = false;
    // One line per matching history entry, as a director reading the log expects.
    int repeats = c == 0 ? facts_[p].byes : GamesAgainst(p, c);
    for (int i = 0; i < repeats; ++i) log.Write(prefix + (c == 0 ? "-choice was rejected: bye exist." : "-choice was rejected: game exist."));
    rejected = repeats > 0;
    if (c == 0) return !rejected;
    if (!skipColourCondition && ThirdSameColour(p, c)) {
        log.Write(prefix + "-choice was rejected: 3x colour restriction.");
        rejected = true;
    }
    if (ForbiddenPair(p, c)) {
        log.Write(prefix + "-choice was rejected: the pair is forbidden.");
        rejected = true;
    }
    if (SameTeam(p, c)) {
        log.Write(prefix + "-choice was rejected: match against team members is forbidden.");
        rejected = true;
    }
    return !rejected;
}

BitMatrix PairingRules::CompatibilityGraph(const std::vector<int>& entries, bool skipColourCondition) const {
    int size = static_cast<int>(entries.size());
    BitMatrix graph(size);
    int words = graph.WordsPerRow();
    // Masks of the entries that share a colour ending or a team; the bye
    // entry is in none of them.
    std::vector<std::uint64_t> colour_masks[3];
    std::vector<std::vector<std::uint64_t>> team_masks;
    std::vector<int> vertex_of(facts_.size(), -1);
    for (auto& mask : colour_masks) mask.assign(words, 0);
    for (int v = 0; v < size; ++v) {
        int entry = entries[v];
        if (entry == 0) continue;
        vertex_of[entry] = v;
        const Facts& facts = facts_[entry];
        std::uint64_t bit = std::uint64_t{1} << (v & 63);
        colour_masks[facts.lastTwoColours][v >> 6] |= bit;
        if (facts.team >= 0) {
            if (static_cast<int>(team_masks.size()) <= facts.team) team_masks.resize(facts.team + 1);
            if (team_masks[facts.team].empty()) team_masks[facts.team].assign(words, 0);
            team_masks[facts.team][v >> 6] |= bit;
        }
    }
    int bye_vertex = -1;
    for (int v = 0; v < size; ++v)
        if (entries[v] == 0) bye_vertex = v;
    for (int a = 0; a < size; ++a) {
        std::uint64_t* row = graph.Row(a);
        // Only the entries after a: each pair is judged once, with a as pivot.
        SetBitRange(row, a + 1, size);
        int p = entries[a];
        const Facts& facts = facts_[p];
        if (bye_vertex > a && facts.byes > 0) row[bye_vertex >> 6] &= ~(std::uint64_t{1} << (bye_vertex & 63));
        if (!skipColourCondition && facts.lastTwoColours != 0)
            for (int w = 0; w < words; ++w) row[w] &= ~colour_masks[facts.lastTwoColours][w];
        if (forbidTeamMates_ && facts.team >= 0)
            for (int w = 0; w < words; ++w) row[w] &= ~team_masks[facts.team][w];
        // Former opponents and forbidden partners leave the same way.
        for (const std::vector<int>* excluded : {&facts.opponents, &facts.forbidden})
            for (int other : *excluded) {
                int b = vertex_of[other];
                if (b > a) row[b >> 6] &= ~(std::uint64_t{1} << (b & 63));
            }
    }
    // Mirror the upper triangle so that every row lists all neighbours.
    for (int a = 0; a < size; ++a)
        for (int b = a + 1; b < size; ++b)
            if (graph.HasEdge(a, b)) graph.SetEdge(a, b);
    return graph;
}

}  // namespace veltrun
