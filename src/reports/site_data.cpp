#include "reports/site_data.h"

#include "standings/standings_order.h"
#include "store/round_file.h"
#include "store/player_history.h"
#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {
namespace {

bool SameOnEveryKey(const TPlayer& a, const TPlayer& b) {
    if (a.Points != b.Points) return false;
    for (int k = 1; k <= 5; ++k)
        if (a.TBValue(k) != b.TBValue(k)) return false;
    return true;
}

std::vector<SiteGame> ParseRound(const std::vector<std::string>& lines) {
    std::vector<SiteGame> games;
    int board = 0;
    for (const std::string& raw : lines) {
        const std::string line = Trim(raw);
        if (IsRoundFileComment(line)) continue;
        const GameLine parsed = ParseGameLine(line);
        SiteGame game;
        game.white = Trim(GetField(parsed.GameId, '-', 1));
        game.black = Trim(GetField(parsed.GameId, '-', 2));
        game.result = Trim(parsed.Result);
        game.goals = Trim(parsed.Goals);
        const auto special = [](const std::string& side) { return side == "bye" || side == "stop"; };
        if (!special(game.white) && !special(game.black)) game.board = ++board;
        games.push_back(std::move(game));
    }
    return games;
}

}  // namespace

std::vector<std::vector<std::string>> ReadRoundFiles(const Tournament& t) {
    std::vector<std::vector<std::string>> rounds;
    const std::filesystem::path folder(t.TournamentFolder);
    for (int r = 1; r <= t.CurrentRound; ++r) rounds.push_back(ReadTextLines(RoundFilePath(folder, r)));
    return rounds;
}

SiteData::SiteData(const Tournament& tournament, const Translation& translation, int topN,
                   std::vector<std::vector<std::string>> roundLines)
    : t(tournament), tr(translation), teamTopN(topN), index(tournament), order(PlayersByPlace(tournament)) {
    const int n = t.PlayerCount();
    rank.assign(static_cast<size_t>(n) + 1, "");
    for (size_t i = 0; i < order.size();) {
        size_t j = i + 1;
        while (j < order.size() && SameOnEveryKey(t.Player(order[i]), t.Player(order[j]))) ++j;
        std::string text = std::to_string(i + 1);
        if (j - i > 1) text += "\u2013" + std::to_string(j);
        for (size_t m = i; m < j; ++m) rank[static_cast<size_t>(order[m])] = text;
        i = j;
    }
    for (const auto& lines : roundLines) rounds.push_back(ParseRound(lines));
    const size_t r = rounds.size();
    seats.assign(static_cast<size_t>(n) + 1, std::vector<SiteSeat>(r));
    for (size_t k = 0; k < r; ++k)
        for (const SiteGame& game : rounds[k]) {
            const auto [whiteScore, blackScore] = ResultPoints(game.result);
            const int w = index.Find(game.white), b = index.Find(game.black);
            if (w > 0) seats[static_cast<size_t>(w)][k] = {&game, true, game.black, whiteScore};
            if (b > 0) seats[static_cast<size_t>(b)][k] = {&game, false, game.white, blackScore};
        }
    // Points before each round, from the histories the loader built.
    before.assign(static_cast<size_t>(n) + 1, std::vector<double>(r, 0.0));
    for (int i = 1; i <= n; ++i) {
        const std::vector<RoundEntry> entries = ReadHistory(t.Player(i), static_cast<int>(r));
        double sum = 0;
        for (size_t k = 0; k < r; ++k) {
            before[static_cast<size_t>(i)][k] = sum;
            sum += entries[k].points;
        }
    }
}

bool SiteData::RoundComplete(int r) const {
    for (const SiteGame& game : rounds[static_cast<size_t>(r - 1)])
        if (game.Pending()) return false;
    return true;
}

}  // namespace veltrun
