#pragma once
// The frame of every page of the published site and the small pieces that
// several pages share: links to players, game results, colours.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "reports/site_data.h"

namespace veltrun {

// Texts every page carries, already escaped.
struct SiteFrame {
    explicit SiteFrame(const SiteData& data);

    std::string lang, event, state, roundWord;  // escaped
    std::string plainEvent, plainState;
    std::vector<std::pair<std::string, std::string>> links;  // file, label
    int rounds = 0;

    // From the doctype to the opening of <main>, with the navigation and the
    // current page marked. `title` is plain text.
    std::string Open(const std::string& file, const std::string& title) const;
    static std::string_view Close() { return "</main>\n</body>\n</html>\n"; }
};

std::string RoundFile(int round);
std::string PlayerFile(const TPlayer& p);
std::string PlayerLink(const TPlayer& p);
// A single game's points: "½" for a half, "1", "3" ...
std::string ScoreText(double points);
// The tournament's name: its folder's name.
std::string TournamentName(const Tournament& t);
// "<abbr title=...>" of a colour letter: w/b in chess, h/a in Goals.
std::string ColourMark(const SiteData& data, bool first);
// A game's result as the round page shows it (empty while pending).
std::string GameResult(const SiteData& data, const SiteGame& game);
// One player's result in one round, for cards and the crosstable; with the
// opponent's rank in front when `withRank`.
std::string SeatResult(const SiteData& data, const SiteSeat& seat, bool withRank);
// "+" or "−" of a forfeited game, for the seat's player.
std::string ForfeitMark(const SiteData& data, const SiteSeat& seat);
// The legend of the marks used in results.
std::string ResultLegend(const SiteData& data);
// "<th scope=col>" with the class when given.
std::string ColumnHead(const std::string& text, const char* cls = nullptr);
std::string SuspendedTag(const SiteData& data, const TPlayer& p);

}  // namespace veltrun
