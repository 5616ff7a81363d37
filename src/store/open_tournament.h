#pragma once
// Opening a tournament: the whole model rebuilt from its folder.
#include <filesystem>
#include <vector>

namespace veltrun {

class Session;

// Reads options.txt, loads players.txt (sorted by rating in memory only) and
// replays round1.txt .. round{CurrentRound}.txt; writes no file but the log. The load goes into a fresh
// model that replaces session.tournament only when all of it succeeded; on
// failure myException is thrown and the previous tournament (or none) stays
// open.
void OpenTournament(Session& session, const std::filesystem::path& folder);

// Round files in the folder that opening does not read: those after a gap in
// the numbering or beyond MaxRound, in round order.
std::vector<std::filesystem::path> UnreadRoundFiles(const std::filesystem::path& folder, int currentRound);

}  // namespace veltrun
