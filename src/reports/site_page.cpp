#include "reports/site_page.h"

#include <filesystem>

#include "reports/html_text.h"
#include "reports/number_text.h"
#include "store/text_utils.h"

namespace veltrun {
namespace {

std::string StateText(const SiteData& d) {
    const Translation& tr = d.tr;
    const int r = d.Rounds();
    if (r == 0) return tr(612, "not started yet");
    if (!d.RoundComplete(r))
        return tr(610, "round") + " " + std::to_string(r) + " " + tr(611, "in progress");
    return tr(608, "after round") + " " + std::to_string(r) + " " + tr(609, "of") + " " +
           std::to_string(d.t.MaxRound);
}

// A text inside a CSS string.
std::string CssString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n' || c == '\r' || c == '<') {
            out += c == '<' ? "\\3c " : " ";  // nothing may close the style element
            continue;
        }
        out += c;
    }
    return out + "\"";
}

}  // namespace

SiteFrame::SiteFrame(const SiteData& d) : rounds(d.Rounds()) {
    const Translation& tr = d.tr;
    lang = HtmlEscape(tr(600, "en"));
    plainEvent = TournamentName(d.t);
    plainState = StateText(d);
    event = HtmlEscape(plainEvent);
    state = HtmlEscape(plainState);
    roundWord = HtmlEscape(tr(3, "Round"));
    links = {{"index.html", HtmlEscape(tr(601, "Overview"))},
             {"standings.html", HtmlEscape(tr(602, "Standings"))},
             {"crosstable.html", HtmlEscape(tr(603, "Crosstable"))},
             {"players.html", HtmlEscape(tr(605, "Players"))},
             {"startlist.html", HtmlEscape(tr(604, "Starting list"))}};
    for (int i = 1; i <= d.t.PlayerCount(); ++i)
        if (!Trim(d.t.Player(i).TeamID).empty()) {
            links.emplace_back("teams.html", HtmlEscape(tr(606, "Teams")));
            break;
        }
}

std::string SiteFrame::Open(const std::string& file, const std::string& plainTitle) const {
    const std::string title = HtmlEscape(plainTitle);
    std::string page;
    page.reserve(4096);
    page += "<!DOCTYPE html>\n<html lang=\"" + lang + "\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            "<meta name=\"generator\" content=\"Veltrun\">\n<title>" +
            title + " \u2013 " + event + "</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n";
    // Every printed sheet names the tournament, the state and the page.
    page += "<style>@media print{@page{@top-left{content:" + CssString(plainEvent + " \u00b7 " + plainState) +
            ";font-size:8pt}@top-right{content:" + CssString(plainTitle) + ";font-size:8pt}}}</style>\n";
    page += "</head>\n<body>\n<header class=\"site\"><p class=\"event\"><a href=\"index.html\">" + event +
            "</a></p><p class=\"state\">" + state + "</p></header>\n<nav><ul>";
    auto item = [&](const std::string& href, const std::string& label) {
        page += "<li><a href=\"" + href + "\"" + (href == file ? " aria-current=\"page\"" : "") + ">" + label +
                "</a></li>";
    };
    for (const auto& [href, label] : links) item(href, label);
    if (rounds > 0) {
        page += "<li class=\"rounds\"><span class=\"muted\">" + roundWord + "</span><ul>";
        for (int r = 1; r <= rounds; ++r) item(RoundFile(r), std::to_string(r));
        page += "</ul></li>";
    }
    page += "</ul></nav>\n<main>\n<h1>" + title + "</h1>\n";
    return page;
}

std::string RoundFile(int round) { return "round-" + std::to_string(round) + ".html"; }
std::string PlayerFile(const TPlayer& p) { return "player-" + std::to_string(p.StartNo) + ".html"; }
std::string PlayerLink(const TPlayer& p) { return "<a href=\"" + PlayerFile(p) + "\">" + HtmlEscape(p.Name) + "</a>"; }

std::string ScoreText(double points) {
    if (points == 0.5) return "\u00bd";
    return DefaultNumberText(points);
}

std::string TournamentName(const Tournament& t) {
    std::filesystem::path folder(t.TournamentFolder);
    if (!folder.has_filename()) folder = folder.parent_path();
    return folder.filename().string();
}

std::string ColourMark(const SiteData& d, bool first) {
    const Translation& tr = d.tr;
    const std::string title = d.Goals() ? (first ? tr(625, "home") : tr(626, "away"))
                                        : (first ? tr(623, "White") : tr(624, "Black"));
    const std::string letter = d.Goals() ? (first ? tr(647, "h") : tr(648, "a"))
                                         : (first ? tr(645, "w") : tr(646, "b"));
    return "<abbr title=\"" + HtmlEscape(title) + "\">" + HtmlEscape(letter) + "</abbr>";
}

std::string GameResult(const SiteData& d, const SiteGame& game) {
    if (game.Pending()) return "";
    const auto [white, black] = ResultPoints(game.result);
    if (game.Forfeit()) {
        auto mark = [](double mine, double theirs) { return mine > theirs ? "+" : "\u2212"; };
        return "<abbr class=\"ff\" title=\"" + HtmlEscape(d.tr(632, "forfeit")) + "\">" +
               mark(white, black) + " : " + mark(black, white) + "</abbr>";
    }
    std::string text = ScoreText(white) + "\u2013" + ScoreText(black);
    if (d.Goals() && !game.goals.empty())
        text = HtmlEscape(game.goals) + " <small>(" + text + ")</small>";
    return text;
}

std::string SeatResult(const SiteData& d, const SiteSeat& seat, bool withRank) {
    const Translation& tr = d.tr;
    if (!seat.game) return "";
    if (seat.opponent == "bye")
        return "<span class=\"bye\">" + HtmlEscape(tr(630, "bye")) + " " + ScoreText(seat.score) + "</span>";
    if (seat.opponent == "stop") return "<span class=\"absent\">" + HtmlEscape(tr(631, "absent")) + "</span>";
    std::string text;
    if (withRank) {
        const int o = d.index.Find(seat.opponent);
        if (o > 0) text = std::to_string(d.t.Player(o).Place);
    }
    text += ColourMark(d, seat.first);
    if (seat.game->Pending()) return text;
    if (seat.game->Forfeit()) return text + " " + ForfeitMark(d, seat);
    return text + " " + ScoreText(seat.score);
}

std::string ForfeitMark(const SiteData& d, const SiteSeat& seat) {
    const auto [white, black] = ResultPoints(seat.game->result);
    const double theirs = seat.first ? black : white;
    return "<abbr class=\"ff\" title=\"" + HtmlEscape(d.tr(632, "forfeit")) + "\">" +
           (seat.score > theirs ? "+" : "\u2212") + "</abbr>";
}

std::string ResultLegend(const SiteData& d) {
    const Translation& tr = d.tr;
    return "<dl class=\"legend\"><dt>+</dt><dd>" + HtmlEscape(tr(643, "won by forfeit")) + "</dd><dt>\u2212</dt><dd>" +
           HtmlEscape(tr(644, "lost by forfeit")) + "</dd><dt>" + ColourMark(d, true) + " " + ColourMark(d, false) +
           "</dt><dd>" + HtmlEscape(d.Goals() ? tr(625, "home") + ", " + tr(626, "away")
                                              : tr(623, "White") + ", " + tr(624, "Black")) +
           "</dd></dl>\n";
}

std::string ColumnHead(const std::string& text, const char* cls) {
    return std::string("<th scope=\"col\"") + (cls ? std::string(" class=\"") + cls + "\"" : "") + ">" + text + "</th>";
}

std::string SuspendedTag(const SiteData& d, const TPlayer& p) {
    if (p.OnOff != 0) return "";
    return "<span class=\"tag\">" + HtmlEscape(d.tr(633, "suspended")) + "</span>";
}

}  // namespace veltrun
