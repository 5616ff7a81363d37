#pragma once
// The system's own pairing of one round. The search runs in up to four ways,
// each more lenient than the one before; the pairs then get their colours and
// board order.
#include <optional>
#include <vector>

#include "pairing/pairing_log.h"
#include "store/round_file.h"
#include "store/settings.h"
#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun {

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

}  // namespace veltrun
