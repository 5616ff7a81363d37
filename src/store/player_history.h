#pragma once
// One typed reading of a player's four history strings ("W|B||",
// "A2|A5|bye|", "1|0.5|1|", "2:1|0:0|"). The model keeps the strings as the
// files and reports know them; whatever reads a past round reads it here.
#include <string_view>
#include <vector>

#include "store/tournament.h"

namespace veltrun {

enum class Colour : char { none, white, black };

struct RoundEntry {
    std::string_view opponent;  // an alias, "bye", "stop", or empty
    Colour colour = Colour::none;
    std::string_view result;    // the player's points as written, e.g. "0.5"
    std::string_view goals;     // own goals first, e.g. "2:1"
    double points = 0;          // the result as a number; 0 when empty
    // A game over the board: byes and suspensions leave no colour.
    bool Played() const { return colour != Colour::none; }
};

// Rounds 1..count (round k is element k-1); rounds past the last entry come
// back empty. The views point into the player, who must outlive them.
std::vector<RoundEntry> ReadHistory(const TPlayer& player, int count);
// Every round any of the four strings has an entry for.
std::vector<RoundEntry> ReadHistory(const TPlayer& player);

// "W", "B" or "" as the strings hold them.
std::string_view ColourText(Colour colour);
// The last two colours actually played, across byes: white or black when
// both were that colour, none otherwise.
Colour LastTwoSame(const std::vector<RoundEntry>& rounds);

// Number of entries in a history string.
int HistoryLength(std::string_view history);

}  // namespace veltrun
