#pragma once
// players.txt: one line per registered player,
// "on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID".
#include <filesystem>
#include <string>
#include <string_view>

namespace veltrun {

class Session;
struct Tournament;
struct TPlayer;

inline constexpr std::string_view PlayersFileHeader = "#on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID";

std::filesystem::path PlayersFilePath(const std::filesystem::path& folder);

// The seven fields of one player line, each trimmed: a blank around an alias
// would otherwise pass every check and break the round files later.
struct PlayerLineFields {
    std::string OnOff, ArrivalID, Name, ELO, FideID, NationalID, TeamID;
};
PlayerLineFields SplitPlayerLine(std::string_view line);
std::string JoinPlayerLine(const PlayerLineFields& fields);
// The line of a loaded player, as the rewrite writes it.
std::string FormatPlayerLine(const TPlayer& player);
// Whether a (trimmed) line of players.txt is a comment or empty.
bool IsPlayersFileComment(std::string_view line);

// Clears the tournament's players and loads the file with every check.
void LoadPlayers(Session& session, Tournament& t, const std::filesystem::path& path);
// Orders the players in memory by rating, then name; the file is not touched.
void SortPlayersByElo(Session& session, Tournament& t);
// Refuses, naming the file and line, while the file holds a rating or on/off
// value that loading had to convert: a rewrite would replace what the
// director typed.
void RefuseUnreadablePlayerValues(Session& session, const std::filesystem::path& path);
// The first pairing fixes the starting numbers: the file is written in the
// table order, after RefuseUnreadablePlayerValues.
void WritePlayersFileInRatingOrder(Session& session, const Tournament& t, const std::filesystem::path& path);

}  // namespace veltrun
