#pragma once
// What every page of the published site reads: the standings order with
// shared places, and each round's games as its round file lists them. Points
// and tie-breaks come from the loaded tournament after ComputeStandings.
#include <string>
#include <vector>

#include "standings/player_index.h"
#include "store/tournament.h"
#include "store/translation.h"

namespace veltrun {

// One line of a round file.
struct SiteGame {
    int board = 0;  // 1.. for a game between two players; 0 for a bye or an absence
    std::string white, black;  // aliases, or "bye" / "stop"
    std::string result;        // as stored: "?-?" while pending, "1k-0k" for a forfeit
    std::string goals;         // Goals tournaments
    bool Pending() const { return result == "?-?"; }
    bool Forfeit() const { return result.find('k') != std::string::npos || result.find('K') != std::string::npos; }
};

// A player's part in one round.
struct SiteSeat {
    const SiteGame* game = nullptr;  // nothing when the round has no line for the player
    bool first = true;               // White (home) side
    std::string opponent;            // alias, "bye" or "stop"
    double score = 0;                // points of this game for the player
};

struct SiteData {
    // teamTopN: the members whose points make a team's score.
    SiteData(const Tournament& tournament, const Translation& translation, int topN,
             std::vector<std::vector<std::string>> roundLines);

    const Tournament& t;
    const Translation& tr;
    int teamTopN;
    PlayerIndex index;
    std::vector<int> order;               // table indexes by place
    std::vector<std::string> rank;        // by table index: "3", or "3–5" when tied on everything
    std::vector<std::vector<SiteGame>> rounds;  // [r-1], in file order
    std::vector<std::vector<SiteSeat>> seats;   // [player][r-1]
    std::vector<std::vector<double>> before;    // [player][r-1]: points before round r

    SiteData(const SiteData&) = delete;  // seats point into rounds
    SiteData& operator=(const SiteData&) = delete;
    int Rounds() const { return static_cast<int>(rounds.size()); }
    bool Goals() const { return t.TBsType == "Goals"; }
    bool RoundComplete(int r) const;
};

// The round files 1..CurrentRound of the open tournament, as lines.
std::vector<std::vector<std::string>> ReadRoundFiles(const Tournament& t);

}  // namespace veltrun
