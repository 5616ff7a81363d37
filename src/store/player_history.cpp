#include "store/player_history.h"

#include <algorithm>

namespace veltrun {

namespace {

// Hands entry k of "a|b|c|" to put(k, entry) for k below count; a last
// entry without its "|" still counts, as GetField reads it.
template <typename Put>
void Split(std::string_view history, std::size_t count, Put put) {
    std::size_t start = 0;
    for (std::size_t k = 0; k < count && start < history.size(); ++k) {
        std::size_t bar = std::min(history.find('|', start), history.size());
        put(k, history.substr(start, bar - start));
        start = bar + 1;
    }
}

int EntryCount(std::string_view history) {
    int bars = HistoryLength(history);
    return !history.empty() && history.back() != '|' ? bars + 1 : bars;
}

}  // namespace

std::vector<RoundEntry> ReadHistory(const TPlayer& player, int count) {
    std::vector<RoundEntry> rounds(count > 0 ? static_cast<std::size_t>(count) : 0);
    const std::size_t n = rounds.size();
    Split(player.OpponentHistory, n, [&rounds](std::size_t k, std::string_view e) { rounds[k].opponent = e; });
    Split(player.GoalsHistory, n, [&rounds](std::size_t k, std::string_view e) { rounds[k].goals = e; });
    Split(player.PointsHistory, n, [&rounds](std::size_t k, std::string_view e) {
        rounds[k].result = e;
        rounds[k].points = PointsFromText(e);
    });
    Split(player.ColourHistory, n, [&rounds](std::size_t k, std::string_view e) {
        if (e == "W") rounds[k].colour = Colour::white;
        if (e == "B") rounds[k].colour = Colour::black;
    });
    return rounds;
}

std::vector<RoundEntry> ReadHistory(const TPlayer& player) {
    int count = std::max({EntryCount(player.OpponentHistory), EntryCount(player.ColourHistory),
                          EntryCount(player.PointsHistory), EntryCount(player.GoalsHistory)});
    return ReadHistory(player, count);
}

std::string_view ColourText(Colour colour) {
    if (colour == Colour::white) return "W";
    if (colour == Colour::black) return "B";
    return "";
}

Colour LastTwoSame(const std::vector<RoundEntry>& rounds) {
    Colour last = Colour::none;
    for (auto it = rounds.rbegin(); it != rounds.rend(); ++it) {
        if (!it->Played()) continue;
        if (last != Colour::none) return it->colour == last ? last : Colour::none;
        last = it->colour;
    }
    return Colour::none;
}

int HistoryLength(std::string_view history) { return static_cast<int>(std::count(history.begin(), history.end(), '|')); }

}  // namespace veltrun
