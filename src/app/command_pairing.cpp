#include "app/command_pairing.h"

#include "app/pairing_checks.h"
#include "app/show_errors.h"
#include "fide/engine_bridge.h"
#include "pairing/round_settings.h"
#include "store/ini_file.h"
#include "store/open_tournament.h"
#include "store/options_file.h"
#include "store/players_file.h"
#include "store/session.h"

namespace veltrun {

namespace {

void ShowPairingFailure(Session& session, int round) {
    ShowMessageDialog(session,
                      session.tr(113, "Pairing for round") + " [" + std::to_string(round) + "] " +
                          session.tr(114,
                                     "cannot be assembled in any permissible way. It is recommended to end the "
                                     "tournament."),
                      MessageKind::Error, {Button::Ok}, Button::Ok);
}

// The engine's round in the driver's form, so that callers see one kind of answer.
RoundPairing PairWithEngine(Session& session, int round) {
    RoundPairing pairing;
    pairing.Round = round;
    for (const RoundPair& side : PairRoundWithEngine(session)) {
        std::string entry = side.White + "|" + side.Black;
        if (side.Black == "stop") pairing.StopPairList.push_back(entry);
        else pairing.PairList.insert(pairing.PairList.begin(), entry);  // FileOrder reads from the end
    }
    return pairing;
}

// Before round 1 a random first colour is drawn when the tournament is
// opened, so a trial's colours need not be those of the real pairing.
bool FirstColourIsDrawn(const Tournament& t) {
    return t.CurrentRound == 0 &&
           ToUpperAscii(IniReadString(OptionsFilePath(t.TournamentFolder), "Options", "ColourFor1stPlayer")) == "R";
}

}  // namespace

PairingLog SessionPairingLog(Session& session) {
    return PairingLog([&session](std::string_view line) { session.AppendToLog(line); });
}

std::optional<RoundPairing> PairRound(Session& session, int round) {
    Tournament& t = session.tournament;
    const std::string colour_before = t.ColourFor1stPlayer;
    std::optional<RoundPairing> pairing = PairInMemory(t, session.settings, round, SessionPairingLog(session));
    if (!pairing) {
        ShowPairingFailure(session, round);
        return pairing;
    }
    try {
        WriteNewRoundFile(session, t, round, pairing->FileOrder());
    } catch (...) {
        // The round was not paired after all: keep the colour for the next try.
        t.ColourFor1stPlayer = colour_before;
        throw;
    }
    t.CurrentRound = round;
    return pairing;
}

std::optional<RoundPairing> PairNextRound(Session& session) {
    Tournament& t = session.tournament;
    OpenTournament(session, t.TournamentFolder);
    if (!MayPairNextRound(session, PairingMode::Pair)) return std::nullopt;
    BusyCursor busy(session.ui);
    int round = t.CurrentRound + 1;
    // The starting list is closed: its order becomes the file's order.
    if (round == 1) WritePlayersFileInRatingOrder(session, t, PlayersFilePath(t.TournamentFolder));
    WriteRoundSettings(t, session.settings, round, SessionPairingLog(session));
    if (session.settings.JaVaFoIsUsed) return PairWithEngine(session, round);
    return PairRound(session, round);
}

PairingOutcome BTN_PAIRINGClick(Session& session, OpenReports open) {
    PairingOutcome outcome;
    CatchAndShowError(session, [&] { outcome.pairing = PairNextRound(session); });
    if (!outcome.pairing) return outcome;
    // The boards are what the director wants next: no round chooser.
    if (!OfferYesNo(session, session.tr(115, "Pairing is completed.") + "\n" +
                                 session.tr(580, "Open the report of the new round now?")))
        return outcome;
    ReportsWritten written = RoundReportOfRound(session, outcome.pairing->Round, open);
    if (written.done && !written.files.empty()) outcome.report = written.files.front();
    return outcome;
}

std::optional<RoundPairing> PairNextRoundDryRun(Session& session) {
    if (!MayPairNextRound(session, PairingMode::DryRun)) return std::nullopt;
    if (session.settings.JaVaFoIsUsed) {
        // The own algorithm's boards would not be the engine's.
        ShowWarning(session, session.tr(230,
                                        "A dry run pairs with the program's own algorithm only; it is not available "
                                        "while the external engine pairs (JaVaFoIsUsed=True)."));
        return std::nullopt;
    }
    BusyCursor busy(session.ui);
    Tournament copy = session.tournament;
    int round = copy.CurrentRound + 1;
    std::optional<RoundPairing> pairing = PairInMemory(copy, session.settings, round, PairingLog());
    if (!pairing) ShowPairingFailure(session, round);
    else if (FirstColourIsDrawn(session.tournament))
        ShowInformation(session, session.tr(581, "The colours of the first board are drawn again when the round is "
                                                 "really paired."));
    return pairing;
}

std::optional<RoundPairing> PairingDryRunCommand(Session& session) {
    std::optional<RoundPairing> pairing;
    CatchAndShowError(session, [&] { pairing = PairNextRoundDryRun(session); });
    return pairing;
}

}  // namespace veltrun
