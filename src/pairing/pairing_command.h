#pragma once
// The Pairing button: whether the next round may be paired, the record of
// its settings, and the pairing itself.
#include <optional>

#include "pairing/pairing_driver.h"

namespace veltrun {

class Session;

// The checks in order, then the pairing of round CurrentRound + 1. Every
// refusal is shown through the UI seam and gives nothing; so does a pairing
// that no way can assemble. Errors (a file that cannot be read or written)
// are thrown as myException.
std::optional<RoundPairing> PairNextRound(Session& session);

// The same checks without the round-1 question, then the pairing in memory
// only: no file is written, the log included, and the tournament in memory
// is left as it was. Nothing after a refusal or when no way succeeds.
std::optional<RoundPairing> PairNextRoundDryRun(Session& session);

}  // namespace veltrun
