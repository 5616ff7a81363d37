#include "app/pairing_checks.h"

#include <filesystem>

#include "pairing/round_consistency.h"
#include "store/file_messages.h"
#include "store/open_tournament.h"
#include "store/round_file.h"
#include "store/session.h"

namespace veltrun {

namespace {

void ShowError(Session& session, const std::string& text) {
    ShowMessageDialog(session, text, MessageKind::Error, {Button::Ok}, Button::Ok);
}

// Every earlier result is in.
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

void RefusePlayersListedTwice(Session& session) {
    std::optional<PlayerListedTwice> twice = FindPlayerListedTwice(session.tournament);
    if (!twice) return;
    const std::string file = twice->file.filename().string();
    Fail(session, "Fatal error (in file " + file + "). Alias (" + twice->alias + ") is listed twice.",
         session.tr(94, "Fatal error") + " (" + session.tr(99, "in file") + " " + file + "). " +
             session.tr(102, "Alias") + " (" + twice->alias + ") " + session.tr(231, "is listed twice.") +
             AtFileLine(session, twice->file, twice->line));
}

}  // namespace

bool MayPairNextRound(Session& session, PairingMode mode) {
    Tournament& t = session.tournament;
    if (t.PlayerCount() < 2) {
        ShowWarning(session, session.tr(116, "The number of players is less than two."));
        return false;
    }
    if (t.CurrentRound == 0 && mode == PairingMode::Pair) {
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
        if (mode == PairingMode::Pair) session.AppendToLog("File " + quoted + " already exists. Something is wrong.");
        ShowError(session, session.tr(121, "File") + " " + quoted + " " +
                               session.tr(122, "already exists. Something is wrong."));
        return false;
    }
    return true;
}

}  // namespace veltrun
