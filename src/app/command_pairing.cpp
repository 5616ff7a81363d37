#include "app/command_pairing.h"

#include "app/show_errors.h"
#include "pairing/pairing_command.h"
#include "store/session.h"

namespace veltrun {

std::optional<RoundPairing> BTN_PAIRINGClick(Session& session) {
    std::optional<RoundPairing> pairing;
    CatchAndShowError(session, [&] { pairing = PairNextRound(session); });
    return pairing;
}

std::optional<RoundPairing> PairingDryRunCommand(Session& session) {
    std::optional<RoundPairing> pairing;
    CatchAndShowError(session, [&] { pairing = PairNextRoundDryRun(session); });
    return pairing;
}

}  // namespace veltrun
