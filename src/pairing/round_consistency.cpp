#include "pairing/round_consistency.h"

#include <vector>

#include "store/file_limits.h"
#include "store/round_file.h"
#include "store/text_file.h"
#include "store/tournament.h"

namespace veltrun {

std::optional<PlayerListedTwice> FindPlayerListedTwice(const Tournament& t) {
    for (int round = 1; round <= t.CurrentRound; ++round) {
        std::filesystem::path path = RoundFilePath(t.TournamentFolder, round);
        std::vector<bool> seen(t.PlayerCount() + 1, false);
        std::vector<std::string> lines = ReadTrimmedLines(path, file_limit::RoundFile);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (IsRoundFileComment(lines[i])) continue;
            std::string game = ParseGameLine(lines[i]).GameId;
            for (int side = 1; side <= 2; ++side) {
                std::string alias = Trim(GetField(game, '-', side));
                int player = FindPlayerByArrivalID(t, alias);
                if (player < 1) continue;
                if (seen[player]) return PlayerListedTwice{path, static_cast<int>(i) + 1, alias};
                seen[player] = true;
            }
        }
    }
    return std::nullopt;
}

}  // namespace veltrun
