#include "app/command_results.h"

#include <filesystem>
#include <optional>

#include "app/show_errors.h"
#include "store/errors.h"
#include "store/file_limits.h"
#include "store/open_tournament.h"
#include "store/round_file.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

// The game lines of one round file, in their order.
std::vector<GameLine> RoundGames(const Session& session, int round) {
    const Tournament& t = session.tournament;
    std::vector<GameLine> games;
    for (const auto& line : ReadTrimmedLines(RoundFilePath(t.TournamentFolder, round), file_limit::RoundFile))
        if (!IsRoundFileComment(line)) games.push_back(ParseGameLine(line));
    return games;
}

bool GameHasLine(const Session& session, const std::string& gameId) {
    for (const GameLine& game : RoundGames(session, session.tournament.CurrentRound))
        if (game.GameId == gameId) return true;
    return false;
}

bool IsPlayedGame(const std::string& gameId) {
    for (int side = 1; side <= 2; ++side) {
        const std::string alias = GetField(gameId, '-', side);
        if (alias == "bye" || alias == "stop" || alias.empty()) return false;
    }
    return true;
}

std::string JoinedValidResults(const Tournament& t) {
    std::string text;
    for (const auto& valid : t.ValidResults) text += (text.empty() ? "" : ", ") + valid;
    return text;
}

// The command line's checks before the dialog's own: a wrong code lists the
// right ones, and a Goals game without --goals says what is missing.
void CheckTypedResult(const Session& session, const std::string& gameId, const std::string& code,
                      const std::string& goalsWhite, const std::string& goalsBlack) {
    const Tournament& t = session.tournament;
    if (code != "?-?" && !IsValidResult(t, code))
        throw myException(session.tr(105, "Game") + " (" + gameId + ") " + session.tr(106, "has not valid result") +
                          " (" + code + "). " + session.tr(503, "Valid results:") + " " + JoinedValidResults(t) + ".");
    if (t.TBsType == "Goals" && Trim(goalsWhite).empty() && Trim(goalsBlack).empty())
        throw myException(session.tr(502, "The goals of the game are missing: give them with --goals W:B."));
}

}  // namespace

std::optional<std::vector<ResultGameItem>> OpenResultEntry(Session& session) {
    std::optional<std::vector<ResultGameItem>> items;
    CatchAndShowError(session, [&] {
        GameList games = GamesToEnter(session, session.tournament);
        if (games.empty()) {
            ShowInformation(session, session.tr(112, "There is nothing to enter (all results have already been "
                                                     "inserted). Use button for pairing next round."));
            items.emplace();
            return;
        }
        items = FillGameList(session.tournament, games);
    });
    return items;
}

bool SaveResultCommand(Session& session, const ResultFields& fields) {
    return CatchAndShowError(session, [&] { SaveResult(session, fields); });
}

std::vector<EnteredResult> EnteredResults(const Session& session) {
    const Tournament& t = session.tournament;
    std::vector<EnteredResult> entered;
    for (int round = t.CurrentRound; round >= 1; --round) {
        GameList games;
        std::vector<GameLine> lines = RoundGames(session, round);
        for (size_t k = 0; k < lines.size(); ++k)
            if (lines[k].Result != "?-?" && IsPlayedGame(lines[k].GameId))
                games.push_back({round, static_cast<int>(k + 1), lines[k].Result, lines[k].GameId});
        std::vector<ResultGameItem> items = FillGameList(t, games);
        for (size_t i = 0; i < items.size(); ++i)
            entered.push_back({items[i], games[i].Result, lines[static_cast<size_t>(games[i].K - 1)].Goals});
    }
    return entered;
}

namespace {

// CorrectResult once the entered result is known.
Correction CorrectEntered(Session& session, const EnteredResult& old, const ResultFields& fields) {
    const Tournament& t = session.tournament;
    const std::string goals = CheckResultFields(session, t, fields);
    const bool withGoals = t.TBsType == "Goals";
    auto shown = [&](const std::string& code, const std::string& goalsText) {
        return withGoals ? code + " (" + goalsText + ")" : code;
    };
    const std::string before = shown(old.result, old.goals), after = shown(fields.ResultCode, goals);
    const std::string game = session.tr(3, "Round") + " " + std::to_string(fields.Round) + ", " +
                             session.tr(105, "Game") + " " + old.item.Label;
    if (before == after) {
        ShowInformation(session, game + "\n" + session.tr(485, "The game already has this result; nothing was changed."));
        return Correction::unchanged;
    }
    if (!AskYesNo(session, game + "\n" + session.tr(505, "Change the result") + " " + before + " " +
                               session.tr(506, "to") + " " + after + "?",
                  Button::No))
        return Correction::declined;
    if (fields.Round < t.CurrentRound &&
        !AskYesNo(session, session.tr(507, "Later rounds were paired from the old result; their pairings stay as "
                                           "they are. Change the result all the same?"),
                  Button::No))
        return Correction::declined;
    RewriteResultLine(session, t, fields.GameId, fields.ResultCode, goals, fields.Round);
    session.AppendToLog("Result of game " + fields.GameId + " in round" + std::to_string(fields.Round) +
                        ".txt corrected from " + before + " to " + after);
    // Points, colours and opponents are replayed from the files.
    OpenTournament(session, std::filesystem::path(t.TournamentFolder));
    return Correction::changed;
}

}  // namespace

Correction CorrectResult(Session& session, const ResultFields& fields) {
    for (const EnteredResult& entered : EnteredResults(session))
        if (entered.item.GameId == fields.GameId && entered.item.Round == fields.Round)
            return CorrectEntered(session, entered, fields);
    // Not entered yet: an ordinary entry.
    SaveResult(session, fields);
    return Correction::changed;
}

ResultEntered EnterResultCommand(Session& session, const std::string& gameId, const std::string& resultCode,
                                 const std::string& goalsWhite, const std::string& goalsBlack, bool correct) {
    const std::string code = NormaliseResultCode(resultCode);
    ResultEntered done;
    if (correct) {
        std::optional<Correction> correction;
        const bool ok = CatchAndShowError(session, [&] {
            CheckTypedResult(session, gameId, code, goalsWhite, goalsBlack);
            for (const EnteredResult& entered : EnteredResults(session)) {
                if (entered.item.GameId != gameId) continue;
                done.round = entered.item.Round;
                correction = CorrectEntered(session, entered, {gameId, done.round, code, goalsWhite, goalsBlack});
                if (correction == Correction::declined) throw myException(session.tr(508, "The result was not changed."));
                return;
            }
        });
        if (!ok) return {};
        if (correction) {
            done.outcome = correction == Correction::unchanged ? ResultOutcome::unchanged : ResultOutcome::saved;
            return done;
        }
        // A game without a result yet is entered as usual.
    }
    auto items = OpenResultEntry(session);
    if (!items || items->empty()) return {};
    const bool saved = CatchAndShowError(session, [&] {
        const Tournament& t = session.tournament;
        for (const auto& item : *items) {
            if (item.GameId != gameId) continue;
            CheckTypedResult(session, gameId, code, goalsWhite, goalsBlack);
            SaveResult(session, {gameId, item.Round, code, goalsWhite, goalsBlack});
            done.round = item.Round;
            return;
        }
        if (GameHasLine(session, gameId))
            throw myException(session.tr(105, "Game") + " (" + gameId + ") " +
                              session.tr(202, "already has a result.") + " " +
                              session.tr(504, "Change it with --correct."));
        throw myException(session.tr(31, "Fatal error: game") + " " + gameId + " " +
                          session.tr(32, "was not found in file") + " round" + std::to_string(t.CurrentRound) +
                          ".txt");
    });
    if (saved) done.outcome = ResultOutcome::saved;
    return done;
}

}  // namespace veltrun
