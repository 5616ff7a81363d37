#pragma once
// round{N}.txt: the games of one round with their results, one line each:
// "|result|White name-Black name|White index-Black index|White alias-Black alias[|goals]".
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "store/text_utils.h"

namespace veltrun {

class Session;
struct Tournament;

std::filesystem::path RoundFilePath(const std::filesystem::path& folder, int round);
std::filesystem::path BackupRoundFilePath(const std::filesystem::path& folder, int round);

// Whether a trimmed line of a round file is a comment or empty.
bool IsRoundFileComment(std::string_view line);

// One game line. Fields are kept as they stand in the (trimmed) line.
struct GameLine {
    std::string Result;   // field 2, as "?-?" or "1-0"
    std::string Names;    // field 3, as "Alpha Ann-Beta Bob"; may be empty
    std::string Indexes;  // field 4, as "3-8"; may be empty
    std::string GameId;   // field 5, as "A3-A8"
    std::string Goals;    // field 6, Goals tournaments only, as "2:1"
};
GameLine ParseGameLine(std::string_view line);
// withGoals: the line ends with "|" + Goals (Goals tournaments).
std::string FormatGameLine(const GameLine& game, bool withGoals);
// "White-Black": the game id or names of two sides.
std::string JoinSides(std::string_view white, std::string_view black);

// The two comment lines that begin a newly paired round file.
StringList WriteRoundFileHeader(const Tournament& t);

// Applies every game line of the file to the players' histories. Every
// player must stand on exactly one line (a game, a bye or a "stop" line). A
// refusal names the file and the line(s).
void LoadRoundFile(Session& session, Tournament& t, int round, const std::filesystem::path& path);

// A game that still has no result: round, its position k among the file's
// game lines, its result code and game id.
struct GameListEntry {
    int Round = 0;
    int K = 0;
    std::string Result;
    std::string GameId;
    // "|3|5|?-?|A3-A8|"
    std::string Text() const;
};
using GameList = std::vector<GameListEntry>;
// The games with "?-?" of one round, or of rounds 1..CurrentRound when round is -1.
GameList BuildGameList(const Session& session, const Tournament& t, int round);

// One pairing of a new round: each side a table index in decimal, "bye" or "stop".
struct RoundPair {
    std::string White;
    std::string Black;
};
// Writes round{round}.txt for the pairs in the given order, applies the byes
// and suspensions to the model once the file is safely written, and makes the
// backup copy when the settings ask for it.
void WriteNewRoundFile(Session& session, Tournament& t, int round, const std::vector<RoundPair>& pairs);
// Copies round{round}.txt to bak_round{round}.txt; a failure is logged only.
bool BackupRoundFile(Session& session, const Tournament& t, int round);

}  // namespace veltrun
