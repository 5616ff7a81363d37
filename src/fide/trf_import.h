#pragma once
// Builds a new tournament folder under Tourn/ from a TRF16 file: options,
// players and one round file per round found in the file. The whole file is
// read and checked first; the folder appears complete or not at all.
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace veltrun {

class Session;
struct Translation;

// One game made from a round block: the round, the game id and result code.
struct TrfGame {
    int round = 0;
    std::string gameId;
    std::string code;
};

// A round block's parts: opponent number, colour letter, result letter.
struct TrfBlock {
    std::string opponent;
    std::string colour;
    std::string result;
};

// The game that one player's block stands for; prefix is SystemPrefixForAlias.
TrfGame TrfBlockToGame(int round, int ownStartNo, const TrfBlock& block, const std::string& prefix);

// A folder name that stays inside Tourn/: no separators, no "..", no control
// or forbidden characters; "TournamentFromTrf" when nothing is left.
std::string SafeTournamentName(std::string_view name);

struct TrfPlayerEntry {
    int startNo = 0;
    std::string name;
    std::string rating;
    std::string fideId;
    bool off = false;
};

// Everything the new folder will hold, read and checked without writing.
struct TrfTournament {
    std::string name;  // already safe
    int maxRound = 0;
    std::string pointsType = "1- 0.5 -0";
    std::vector<TrfPlayerEntry> players;
    std::map<int, std::vector<std::string>> roundLines;  // round -> game lines
    std::vector<std::vector<int>> forbidden;             // XXP: starting numbers kept apart
};

// aliasPrefix: SystemPrefixForAlias, which the players' aliases are made of.
TrfTournament ReadTrfFile(const Translation& tr, const std::string& aliasPrefix, const std::filesystem::path& file);

// ImportTrfFile: reads the file, creates Tourn/<name> (folderName, when not
// empty, replaces the name from the file and must itself be a safe name),
// shows the completion message and returns the new folder.
std::filesystem::path ImportTrfFile(Session& session, const std::filesystem::path& file,
                                    const std::string& folderName = "");

}  // namespace veltrun
