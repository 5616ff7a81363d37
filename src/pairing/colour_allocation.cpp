#include "pairing/colour_allocation.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "store/player_history.h"

namespace veltrun {

namespace {

// The colours of the games played, oldest first: byes and suspensions leave none.
std::string PlayedColours(const TPlayer& player) {
    std::string played;
    for (const RoundEntry& round : ReadHistory(player)) played += ColourText(round.colour);
    return played;
}

std::string LastChars(const std::string& text, std::size_t n) {
    return text.size() <= n ? text : text.substr(text.size() - n);
}

}  // namespace

std::string AssignColour(Tournament& t, int i, int j) {
    const TPlayer& pi = t.Player(i);
    const TPlayer& pj = t.Player(j);
    std::string hi = PlayedColours(pi);
    std::string hj = PlayedColours(pj);
    std::string last_i = LastChars(hi, 1);
    std::string last2_i = LastChars(hi, 2);
    std::string last2_j = LastChars(hj, 2);
    int imb_i = std::abs(pi.WhiteCount - pi.BlackCount);
    int imb_j = std::abs(pj.WhiteCount - pj.BlackCount);
    const std::string first_colour = t.ColourFor1stPlayer;
    std::string_view colour;

    if (hi.empty() && hj.empty()) {
        colour = first_colour;
        t.ColourFor1stPlayer = std::string(first_colour == "B" ? "W" : "B");
    }
    if (colour.empty()) {
        if (last2_i == "BB") colour = "W";
        if (last2_i == "WW") colour = "B";
    }
    if (colour.empty()) {
        // j avoids a third equal colour.
        if (last2_j == "BB") colour = "B";
        if (last2_j == "WW") colour = "W";
    }
    if (last2_i == last2_j && (last2_i == "BB" || last2_i == "WW")) colour = {};
    if (colour.empty()) {
        if (imb_i > imb_j || (imb_i == imb_j && imb_i != 0)) {
            if (pi.BlackCount < pi.WhiteCount) colour = "B";
            if (pi.BlackCount > pi.WhiteCount) colour = "W";
        } else if (imb_i < imb_j) {
            if (pj.WhiteCount > pj.BlackCount) colour = "W";
            if (pj.WhiteCount < pj.BlackCount) colour = "B";
        } else {
            if (last_i == "B") colour = "W";
            if (last_i == "W") colour = "B";
        }
    }
    if (colour.empty()) {
        if (last_i == "B") colour = "W";
        if (last_i == "W") colour = "B";
    }
    if (colour.empty()) colour = "W";
    return std::string(colour);
}

void AllocateColours(Tournament& t, StringList& PairList) {
    for (auto it = PairList.rbegin(); it != PairList.rend(); ++it) {
        std::string a = GetField(*it, '|', 1);
        std::string b = GetField(*it, '|', 2);
        if (!IsAllDigits(a) || !IsAllDigits(b)) continue;
        int ia = std::stoi(a);
        int ib = std::stoi(b);
        std::string colour = ia < ib ? AssignColour(t, ia, ib) : OppositeColour(AssignColour(t, ib, ia));
        *it = colour == "W" ? a + "|" + b : b + "|" + a;
    }
}

void OrderBoards(StringList& PairList) {
    std::stable_partition(PairList.begin(), PairList.end(), [](const std::string& line) {
        return GetField(line, '|', 1) == "bye" || GetField(line, '|', 2) == "bye";
    });
}

}  // namespace veltrun
