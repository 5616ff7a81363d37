#include "store/file_limits.h"
#include "store/round_file.h"

#include <fstream>
#include <iterator>
#include <set>

#include "store/errors.h"
#include "store/file_messages.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

bool IsNoPlayerSide(std::string_view side) { return side == "bye" || side == "stop"; }

// A player with two results in one round (or one against himself) would get
// two history entries for the round and shift every later round. A game
// without a result adds nothing, so only games with a result count.
void RequireOneGamePerRound(Session& session, const Tournament& t, const std::string& gameId, int round,
                            std::set<int>& seen) {
    for (int side = 1; side <= 2; ++side) {
        std::string alias = GetField(gameId, '-', side);
        int index = FindPlayerByArrivalID(t, alias);
        if (index <= 0 || seen.insert(index).second) continue;
        Fail(session,
             "Fatal error (in file round" + std::to_string(round) + ".txt). Player (" + alias +
                 ") has more than one game in this round.",
             session.tr(94, "Fatal error") + " (" + session.tr(99, "in file") + " round" + std::to_string(round) +
                 ".txt). " + session.tr(102, "Alias") + " (" + alias + ") " +
                 session.tr(381, "has more than one game in this round."));
    }
}

}  // namespace

std::filesystem::path RoundFilePath(const std::filesystem::path& folder, int round) {
    return folder / ("round" + std::to_string(round) + ".txt");
}

std::filesystem::path BackupRoundFilePath(const std::filesystem::path& folder, int round) {
    return folder / ("bak_round" + std::to_string(round) + ".txt");
}

bool IsRoundFileComment(std::string_view line) { return line.empty() || line.front() == '#'; }

GameLine ParseGameLine(std::string_view line) {
    return {GetField(line, '|', 2), GetField(line, '|', 3), GetField(line, '|', 4), GetField(line, '|', 5),
            GetField(line, '|', 6)};
}

std::string FormatGameLine(const GameLine& game, bool withGoals) {
    std::string line = "|" + game.Result + "|" + game.Names + "|" + game.Indexes + "|" + game.GameId;
    if (withGoals) line += "|" + game.Goals;
    return line;
}

std::string JoinSides(std::string_view white, std::string_view black) {
    return std::string(white) + "-" + std::string(black);
}

StringList WriteRoundFileHeader(const Tournament& t) {
    return {"# symbol ?-? must be replaced by valid result", "# valid results are: " + ValidResultsText(t)};
}

void LoadRoundFile(Session& session, Tournament& t, int round, const std::filesystem::path& path) {
    if (!std::filesystem::is_regular_file(path)) throw myException(FileNotExistMessage(session, path));
    session.AppendToLog("Load list of games from file (" + path.string() + ").");
    std::vector<std::string> lines = ReadTrimmedLines(path, file_limit::RoundFile);
    bool goals = t.TBsType == "Goals";
    std::set<int> seen;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsRoundFileComment(lines[i])) continue;
        GameLine game = ParseGameLine(lines[i]);
        try {
            InsertGame(session, t, game.GameId, game.Result, goals ? game.Goals : "0:0", round);
            if (game.Result != "?-?") RequireOneGamePerRound(session, t, game.GameId, round, seen);
        } catch (const myException& e) {
            throw myException(e.what() + AtFileLine(session, path, static_cast<int>(i) + 1));
        }
    }
}

std::string GameListEntry::Text() const {
    return "|" + std::to_string(Round) + "|" + std::to_string(K) + "|" + Result + "|" + GameId + "|";
}

GameList BuildGameList(const Session& session, const Tournament& t, int round) {
    GameList list;
    for (int r = 1; r <= t.CurrentRound; ++r) {
        if (round != -1 && r != round) continue;
        auto path = RoundFilePath(t.TournamentFolder, r);
        if (!std::filesystem::is_regular_file(path)) throw myException(FileNotExistMessage(session, path));
        int k = 0;
        for (const auto& line : ReadTrimmedLines(path, file_limit::RoundFile)) {
            if (IsRoundFileComment(line)) continue;
            ++k;
            GameLine game = ParseGameLine(line);
            if (game.Result == "?-?") list.push_back({r, k, game.Result, game.GameId});
        }
    }
    return list;
}

void WriteNewRoundFile(Session& session, Tournament& t, int round, const std::vector<RoundPair>& pairs) {
    std::string name = "round" + std::to_string(round) + ".txt";
    session.AppendToLog("Write into file " + name + " is starting ...");
    StringList lines = WriteRoundFileHeader(t);
    std::vector<GameLine> withoutPlayer;
    auto side = [&](const std::string& text, bool wantName) {
        if (!IsAllDigits(text)) return text;
        int index = 0;
        TryParseInt(text, index);
        const TPlayer& p = t.Player(index);
        return wantName ? p.Name : p.ArrivalID;
    };
    for (const auto& pair : pairs) {
        GameLine game;
        game.Result = DefaultResult(t, session.settings.ByePoints, "?-?", pair.White, pair.Black);
        game.Names = JoinSides(side(pair.White, true), side(pair.Black, true));
        game.Indexes = JoinSides(pair.White, pair.Black);
        game.GameId = JoinSides(side(pair.White, false), side(pair.Black, false));
        game.Goals = "0:0";
        lines.push_back(FormatGameLine(game, t.TBsType == "Goals"));
        if (IsNoPlayerSide(pair.White) || IsNoPlayerSide(pair.Black)) withoutPlayer.push_back(game);
    }
    // The model follows only a file that was really written.
    WriteTextLines(RoundFilePath(t.TournamentFolder, round), lines);
    for (const auto& game : withoutPlayer) InsertGame(session, t, game.GameId, game.Result, "0:0", round);
    session.AppendToLog("Write into file " + name + " is completed.");
    if (session.settings.IsBackupRoundFiles) BackupRoundFile(session, t, round);
}

bool BackupRoundFile(Session& session, const Tournament& t, int round) {
    std::string name = "bak_round" + std::to_string(round) + ".txt";
    try {
        std::ifstream in(RoundFilePath(t.TournamentFolder, round), std::ios::binary);
        if (!in) throw myException(name);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) throw myException(name);
        WriteFileAtomically(BackupRoundFilePath(t.TournamentFolder, round), bytes);
    } catch (const std::exception&) {
        session.AppendToLog("Backup file " + name + " was not created - fatal I/O error.");
        return false;
    }
    session.AppendToLog("Backup file " + name + " is created.");
    return true;
}

}  // namespace veltrun
