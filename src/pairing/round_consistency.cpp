#include "pairing/round_consistency.h"

#include <vector>

#include "store/file_limits.h"
#include "store/file_messages.h"
#include "store/round_file.h"
#include "store/session.h"
#include "store/text_file.h"

namespace veltrun {

void RefusePlayersListedTwice(Session& session) {
    const Tournament& t = session.tournament;
    for (int round = 1; round <= t.CurrentRound; ++round) {
        std::filesystem::path path = RoundFilePath(t.TournamentFolder, round);
        std::vector<int> line_of(t.PlayerCount() + 1, 0);
        std::vector<std::string> lines = ReadTrimmedLines(path, file_limit::RoundFile);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (IsRoundFileComment(lines[i])) continue;
            std::string game = ParseGameLine(lines[i]).GameId;
            for (int side = 1; side <= 2; ++side) {
                std::string alias = Trim(GetField(game, '-', side));
                int player = FindPlayerByArrivalID(t, alias);
                if (player < 1) continue;
                if (line_of[player] == 0) {
                    line_of[player] = static_cast<int>(i) + 1;
                    continue;
                }
                std::string file = "round" + std::to_string(round) + ".txt";
                Fail(session, "Fatal error (in file " + file + "). Alias (" + alias + ") is listed twice.",
                     session.tr(94, "Fatal error") + " (" + session.tr(99, "in file") + " " + file + "). " +
                         session.tr(102, "Alias") + " (" + alias + ") " + session.tr(231, "is listed twice.") +
                         AtFileLine(session, path, static_cast<int>(i) + 1));
            }
        }
    }
}

}  // namespace veltrun
