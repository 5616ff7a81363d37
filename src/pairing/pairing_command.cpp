#include "pairing/pairing_command.h"

#include <filesystem>

#include "fide/engine_bridge.h"
#include "pairing/round_consistency.h"
#include "pairing/round_settings.h"
#include "store/open_tournament.h"
#include "store/players_file.h"
#include "store/round_file.h"
#include "store/session.h"

namespace veltrun {

namespace {

enum class Mode { Pair, DryRun };

void ShowError(Session& session, const std::string& text) {
    ShowMessageDialog(session, text, MessageKind::Error, {Button::Ok}, Button::Ok);
}

// Check 3: every earlier result is in.
bool ResultsComplete(Session& session) {
    Tournament& t = session.tournament;
    GameList missing = BuildGameList(session, t, -1);
    if (missing.empty()) return true;
    if (!BuildGameList(session, t, t.CurrentRound).empty()) {
        ShowWarning(session, session.tr(118, "Some results have yet to be inserted. Use button for adding of results."));
        return false;
    }
    std::string text =
        session.tr(119, "Fatal error detected. Some results of PREVIOUS rounds are missing. Error log:") + " \n";
    for (const GameListEntry& game : missing)
        text += "Round: " + std::to_string(game.Round) + ", Board: " + std::to_string(game.K) + ", Game: " +
                game.GameId + "\n";
    ShowError(session, text);
    return false;
}

// Checks 1 to 5 in their order; false after the refusal was shown.
bool MayPairNextRound(Session& session, Mode mode) {
    Tournament& t = session.tournament;
    if (t.PlayerCount() < 2) {
        ShowWarning(session, session.tr(116, "The number of players is less than two."));
        return false;
    }
    if (t.CurrentRound == 0 && mode == Mode::Pair) {
        Button answer = ShowMessageDialog(
            session, session.tr(117, "Do you want to close the starting list of players and pair the 1st round?"),
            MessageKind::Warning, {Button::Yes, Button::No}, Button::No);
        if (answer != Button::Yes) return false;
        OpenTournament(session, t.TournamentFolder);
    }
    RefusePlayersListedTwice(session);
    if (t.CurrentRound >= 1 && !ResultsComplete(session)) return false;
    if (t.CurrentRound >= t.MaxRound) {
        ShowInformation(session, session.tr(120, "Tournament is over."));
        return false;
    }
    std::filesystem::path file = RoundFilePath(t.TournamentFolder, t.CurrentRound + 1);
    if (std::filesystem::exists(file)) {
        std::string quoted = '"' + file.string();
        quoted += '"';
        if (mode == Mode::Pair) session.AppendToLog("File " + quoted + " already exists. Something is wrong.");
        ShowError(session, session.tr(121, "File") + " " + quoted + " " +
                               session.tr(122, "already exists. Something is wrong."));
        return false;
    }
    return true;
}

// The external engine takes the place of PairRound when the settings ask for
// it; its round comes back in the driver's form for the callers.
std::optional<RoundPairing> PairWithEngine(Session& session, int round) {
    WriteRoundSettings(session, round);
    RoundPairing pairing;
    pairing.Round = round;
    for (const RoundPair& side : PairRoundWithEngine(session)) {
        std::string entry = side.White + "|" + side.Black;
        if (side.Black == "stop") pairing.StopPairList.push_back(entry);
        else pairing.PairList.insert(pairing.PairList.begin(), entry);  // FileOrder reads from the end
    }
    return pairing;
}

}  // namespace

std::optional<RoundPairing> PairNextRound(Session& session) {
    Tournament& t = session.tournament;
    if (!MayPairNextRound(session, Mode::Pair)) return std::nullopt;
    BusyCursor busy(session.ui);
    if (t.CurrentRound >= 1) {
        // The files are authoritative: results corrected by hand count.
        int checked = t.CurrentRound;
        OpenTournament(session, t.TournamentFolder);
        if (t.CurrentRound != checked && !MayPairNextRound(session, Mode::Pair)) return std::nullopt;
    }
    int round = t.CurrentRound + 1;
    // The starting list is closed: its order becomes the file's order.
    if (round == 1) WritePlayersFileInRatingOrder(session, t, PlayersFilePath(t.TournamentFolder));
    if (session.settings.JaVaFoIsUsed) return PairWithEngine(session, round);
    WriteRoundSettings(session, round);
    return PairRound(session, round);
}

std::optional<RoundPairing> PairNextRoundDryRun(Session& session) {
    if (!MayPairNextRound(session, Mode::DryRun)) return std::nullopt;
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
    return pairing;
}

}  // namespace veltrun
