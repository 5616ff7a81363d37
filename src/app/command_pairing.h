#pragma once
// The Pairing button.
#include <optional>

#include "pairing/pairing_driver.h"

namespace veltrun {

class Session;

// Pairs the next round; the pairing, or nothing when it was refused or failed
// (the reason shown through the UI seam, errors in an error box).
std::optional<RoundPairing> BTN_PAIRINGClick(Session& session);
// The next round paired in memory only; nothing is written.
std::optional<RoundPairing> PairingDryRunCommand(Session& session);

}  // namespace veltrun
