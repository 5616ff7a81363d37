#pragma once
// The Pairing button: the checks, the record of the round's settings, the
// choice between the own search and the external engine, what the director
// is told, and the offer to open the new round's report.
#include <filesystem>
#include <optional>

#include "app/command_reports.h"
#include "pairing/pairing_driver.h"

namespace veltrun {

class Session;

struct PairingOutcome {
    // Nothing when the pairing was refused or failed (the reason was shown).
    std::optional<RoundPairing> pairing;
    // The new round's report, when the director took the offer to open it.
    std::optional<std::filesystem::path> report;
};

// Opens the tournament again (the folder is authoritative: players and
// results added by another process count), then the checks in order and the
// pairing of round CurrentRound + 1 by the own search or the engine. Every
// refusal is shown and gives nothing; errors are thrown as myException.
std::optional<RoundPairing> PairNextRound(Session& session);

// The same checks without the round-1 question, then the pairing in memory
// only: no file is written, the log included, and the tournament in memory is
// left as it was. Nothing after a refusal or when no way succeeds.
std::optional<RoundPairing> PairNextRoundDryRun(Session& session);

// The tournament log as the pairing writes its steps into it.
PairingLog SessionPairingLog(Session& session);

// The own search for round R, written as round{R}.txt with CurrentRound
// advanced. After the definitive failure the error box has been shown and
// nothing is returned, with nothing written but the log. Errors are thrown.
std::optional<RoundPairing> PairRound(Session& session, int round);

// The button: PairNextRound with its errors shown, then "Pairing is
// completed." with the offer to open the new round's report (in the browser
// when open says so).
PairingOutcome BTN_PAIRINGClick(Session& session, OpenReports open = OpenReports::Yes);
// PairNextRoundDryRun with its errors shown.
std::optional<RoundPairing> PairingDryRunCommand(Session& session);

}  // namespace veltrun
