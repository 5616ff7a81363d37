#include "store/file_limits.h"
#include "store/result_entry.h"

#include "store/errors.h"
#include "store/field_error.h"
#include "store/file_messages.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

// A goals count as typed: digits with at most one decimal separator ("." or ",").
bool IsGoalsNumber(std::string_view text) {
    std::string normal = ReplaceChar(text, ',', ".");
    size_t dot = normal.find('.');
    if (dot == std::string::npos) return IsAllDigits(normal);
    return IsAllDigits(normal.substr(0, dot)) && IsAllDigits(normal.substr(dot + 1));
}

std::string SideName(const Tournament& t, const std::string& alias) {
    int index = FindPlayerByArrivalID(t, alias);
    return index > 0 ? t.Player(index).Name : alias;
}

std::string GameNotFoundMessage(const Session& session, std::string_view gameId, int round) {
    return session.tr(31, "Fatal error: game") + " " + std::string(gameId) + " " +
           session.tr(32, "was not found in file") + " round" + std::to_string(round) + ".txt";
}

// The aliases of a game must name players before the file is changed, so a
// refused game never leaves the file and the model apart.
void CheckGameSides(Session& session, const Tournament& t, const std::string& gameId, int round) {
    for (int side = 1; side <= 2; ++side) {
        std::string alias = GetField(gameId, '-', side);
        if (alias == "bye" || alias == "stop" || FindPlayerByArrivalID(t, alias) > 0) continue;
        std::string file = "round" + std::to_string(round) + ".txt";
        Fail(session, "Fatal error (in file " + file + "). Alias (" + alias + ") not found in file players.txt.",
             session.tr(94, "Fatal error") + " (" + session.tr(99, "in file") + " " + file + "). " +
                 session.tr(102, "Alias") + " (" + alias + ") " + session.tr(103, "not found in file") +
                 " players.txt.");
    }
}

}  // namespace

GameList GamesToEnter(const Session& session, const Tournament& t) {
    if (t.CurrentRound < 1) return {};
    return BuildGameList(session, t, t.CurrentRound);
}

std::string ResultGameItem::Text() const {
    return Label + "    |" + GameId + "|" + std::to_string(Round) + "|";
}

std::vector<ResultGameItem> FillGameList(const Tournament& t, const GameList& games) {
    std::vector<ResultGameItem> items;
    for (const auto& game : games) {
        std::string white = SideName(t, GetField(game.GameId, '-', 1));
        std::string black = SideName(t, GetField(game.GameId, '-', 2));
        items.push_back({"[" + std::to_string(game.K) + "] " + white + " - " + black, game.GameId, game.Round, game.K});
    }
    return items;
}

std::vector<std::string> ResultChoices(const Tournament& t) {
    std::vector<std::string> choices = {"?-?"};
    choices.insert(choices.end(), t.ValidResults.begin(), t.ValidResults.end());
    return choices;
}

std::string CheckResultFields(const Session& session, const Tournament& t, const ResultFields& fields) {
    std::string goals = "0:0";
    if (t.TBsType == "Goals") {
        std::string white = Trim(fields.GoalsWhite), black = Trim(fields.GoalsBlack);
        std::string notEntered = session.tr(33, "Result must be entered.");
        std::string notNumber = session.tr(34, "Result must be number.");
        if (white.empty()) throw FieldError("E_GOALS1", notEntered);
        if (black.empty()) throw FieldError("E_GOALS2", notEntered);
        if (!IsGoalsNumber(white)) throw FieldError("E_GOALS1", notNumber);
        if (!IsGoalsNumber(black)) throw FieldError("E_GOALS2", notNumber);
        goals = DecimalText(ParseDecimal(white)) + ":" + DecimalText(ParseDecimal(black));
    }
    if (fields.ResultCode == "?-?") throw FieldError("CB_RESULT", session.tr(33, "Result must be entered."));
    if (!IsValidResult(t, fields.ResultCode))
        throw FieldError("CB_RESULT", session.tr(105, "Game") + " (" + fields.GameId + ") " +
                                          session.tr(106, "has not valid result") + " (" + fields.ResultCode + ").");
    return goals;
}

void SaveResult(Session& session, const ResultFields& fields) {
    Tournament& t = session.tournament;
    std::string goals = CheckResultFields(session, t, fields);
    CheckGameSides(session, t, fields.GameId, fields.Round);
    RewriteResultLine(session, t, fields.GameId, fields.ResultCode, goals, fields.Round);
    InsertGame(session, t, fields.GameId, fields.ResultCode, goals, fields.Round);
}

void RewriteResultLine(Session& session, const Tournament& t, std::string_view gameId, std::string_view resultCode,
                       std::string_view goalsText, int round) {
    auto path = RoundFilePath(t.TournamentFolder, round);
    RequireRegularFile(session, path);
    bool goals = t.TBsType == "Goals";
    std::vector<std::string> lines = ReadTrimmedLines(path, file_limit::RoundFile);
    bool found = false;
    for (auto& line : lines) {
        if (IsRoundFileComment(line)) continue;
        GameLine game = ParseGameLine(line);
        if (game.GameId != gameId) continue;
        game.Result = std::string(resultCode);
        game.Goals = std::string(goalsText);
        line = FormatGameLine(game, goals);
        found = true;
    }
    std::string file = "round" + std::to_string(round) + ".txt";
    if (!found)
        Fail(session, "Fatal error: game " + std::string(gameId) + " was not found in file " + file,
             GameNotFoundMessage(session, gameId, round));
    WriteTextLines(path, lines);
    std::string goalsPart = goals ? "[" + std::string(goalsText) + "] " : "";
    session.AppendToLog("Game " + std::string(gameId) + " (" + std::string(resultCode) + ") " + goalsPart +
                        "inserted into file " + file);
}

std::string NormaliseResultCode(std::string_view code) {
    return ReplaceChar(ReplaceChar(code, 'K', "k"), ',', ".");
}

}  // namespace veltrun
