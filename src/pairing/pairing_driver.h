#pragma once
// PairRound: the system's own pairing of one round. The search runs in up to
// four ways, each more lenient than the one before; the pairs then get their
// colours and board order, and the round file is written.
#include <optional>
#include <vector>

#include "pairing/pairing_log.h"
#include "store/round_file.h"
#include "store/settings.h"
#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun {

class Session;

struct RoundPairing {
    int Round = 0;
    // After colours and board order: "{white}|{black}" or "{i}|bye", the bye
    // first and board 1 last, as the file is written from the last line.
    StringList PairList;
    StringList StopPairList;  // "{i}|stop" in table order

    // The lines of the round file in their order: board 1 first, then the
    // bye, then the suspended players.
    std::vector<RoundPair> FileOrder() const;
};

// The four ways, the colours and the board order, in memory: only the log is
// written and ColourFor1stPlayer switched. Nothing when no way succeeds.
std::optional<RoundPairing> PairInMemory(Tournament& t, const Settings& settings, int round, const PairingLog& log);

// The driver: pairs round R (CurrentRound + 1), writes round{R}.txt, applies
// the byes and suspensions and advances CurrentRound. After the definitive
// failure the error box has been shown and nothing is returned, with nothing
// written but the log.
std::optional<RoundPairing> PairRound(Session& session, int round);

// The error box of the definitive failure.
void ShowPairingFailure(Session& session, int round);

// The log of a session as the pairing writes it.
PairingLog SessionPairingLog(Session& session);

}  // namespace veltrun
