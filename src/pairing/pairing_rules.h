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
#include "store/player_history.h"
#include "store/tournament.h"

namespace veltrun {

// Why a pair may not be made: one bit per rule, in the order the log names
// them. A repeated game (or bye) also says how many history entries name it,
// as the log writes a line for each.
struct Refusal {
    enum Reason : unsigned { repeat = 1, colour = 2, forbidden = 4, team = 8 };
    unsigned reasons = 0;
    int repeats = 0;
    explicit operator bool() const { return reasons != 0; }
};

class PairingRules {
public:
    PairingRules(const Tournament& t, bool forbidTeamMates);

    // The alias as the log shows it: "bye" for the pseudo-player 0.
    const std::string& AliasOf(int entry) const;
    int ByeCount(int player) const { return facts_[player].byes; }

    // Why pivot p may not meet candidate c (0: the bye), by the rules stated
    // once in ApplyRules. Forbidden groups are never relaxed, whatever the way.
    Refusal Refuse(int p, int c, bool skipColourCondition) const;
    // The same judgement, logging every reason as choice number k.
    bool JudgeCandidate(int k, int p, int c, bool skipColourCondition, const PairingLog& log) const;

    // Edges between the entries (table indexes, 0: the bye) that may meet,
    // each pair judged with the entry that comes first in the list as pivot.
    BitMatrix CompatibilityGraph(const std::vector<int>& entries, bool skipColourCondition) const;

private:
    // What the rules read of a player. A class of 0 is no class.
    struct Facts {
        std::vector<int> opponents;  // table indexes named by the OpponentHistory entries, 0 for each bye
        int byes = 0;
        int lastTwo = 0;             // the Colour of the last two played, when equal
        int team = 0;                // the team's number from 1
        std::vector<int> forbidden;  // table indexes p must never meet, sorted
    };
    // The two ways of applying the rules: to one candidate, to a graph row.
    struct OneCandidate;
    class WholeRow;
    template <typename Check>
    void ApplyRules(const Facts& pivot, bool skipColourCondition, Check& check) const;

    const Tournament& t_;
    bool forbidTeamMates_;
    std::vector<Facts> facts_;  // indexed by table index; 0 (the bye) has none
    std::string byeAlias_ = "bye";
};

}  // namespace veltrun
