#pragma once
// The rules that reject an opponent candidate: a second bye or a repeated
// game, a third equal colour in a row, a game between two players of one
// forbidden group, and (when the setting asks for it) a game between
// team-mates. The facts are read from the histories once, so a
// candidate is judged without parsing strings.
#include <string>
#include <vector>

#include "pairing/pairing_log.h"
#include "pairing/perfect_matching.h"
#include "store/tournament.h"

namespace veltrun {

class PairingRules {
public:
    PairingRules(const Tournament& t, bool forbidTeamMates);

    // The alias as the log shows it: "bye" for the pseudo-player 0.
    const std::string& AliasOf(int entry) const;
    int ByeCount(int player) const { return facts_[player].byes; }
    // Entries of p's OpponentHistory that equal c's ArrivalID.
    int GamesAgainst(int p, int c) const;
    bool ThirdSameColour(int p, int c) const;
    bool SameTeam(int p, int c) const;
    // Whether p and c stand together in one of the tournament's forbidden
    // groups. Never relaxed, whatever the way of the search.
    bool ForbiddenPair(int p, int c) const;

    // Whether pivot p may meet candidate c (0: the bye), without logging.
    bool Accepts(int p, int c, bool skipColourCondition) const;
    // The same judgement, logging every rule that rejects as choice number k.
    bool JudgeCandidate(int k, int p, int c, bool skipColourCondition, const PairingLog& log) const;

    // Edges between the entries (table indexes, 0: the bye) that may meet,
    // each pair judged with the entry that comes first in the list as pivot.
    BitMatrix CompatibilityGraph(const std::vector<int>& entries, bool skipColourCondition) const;

private:
    struct Facts {
        std::vector<int> opponents;  // table indexes named by the OpponentHistory entries
        int byes = 0;
        int lastTwoColours = 0;      // 1: ended "WW", 2: ended "BB", 0: otherwise
        int team = -1;               // -1: no team
        std::vector<int> forbidden;  // table indexes p must never meet
    };
    const Tournament& t_;
    bool forbidTeamMates_;
    std::vector<Facts> facts_;  // indexed by table index; 0 unused
    std::string byeAlias_ = "bye";
};

// The last two colours actually played (byes leave an empty entry).
int LastTwoColoursCode(const std::string& colourHistory);

}  // namespace veltrun
