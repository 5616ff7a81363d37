// The published site: what each page says for small hand-made tournaments,
// and the structure every page shares.
#include <gtest/gtest.h>

#include <functional>

#include "app/command_publish.h"
#include "app/language_file.h"
#include "report_fixture.h"
#include "reports/site_folder.h"
#include "store/errors.h"

namespace veltrun::testing {
namespace {

namespace fs = std::filesystem;

// Six players, three rounds, the last one not complete. Zeman is suspended
// after a bye; Late joined in round 2 (absent in round 1, then a bye).
//   R1: A1-A3 1-0, A4-A2 ½-½, A5 bye, A6 absent
//   R2: A2-A1 0-1, A3-A4 1k-0k, A6 bye, A5 absent
//   R3: A1-A4 ?-?, A3-A2 ½-½, A5 and A6 absent
// Points: A1 2, A3 1.5, A2 1 (BH 4), A5 and A6 1 (equal on everything), A4 0.5.
void ChessTournament(ReportFixture& f) {
    f.Options("1- 0.5 -0", "Chess", {"BH", "-", "SB"}, 7);
    f.Players({"1|A1|Nováková, Jana|2210|||Brno", "1|A2|Tom <b> & Co|2105|||Praha", "1|A3|Müller, Hans|1980|||Brno",
               "1|A4|O'Brien, Pat|1850|||", "0|A5|Zeman, Petr|0|||Praha", "1|A6|Late, Lucy|1500|||"});
    f.RoundFile(1, {"|1-0|||A1-A3", "|0.5-0.5|||A4-A2", "|1k-0k|||A5-bye", "|0k-0k|||A6-stop"});
    f.RoundFile(2, {"|0-1|||A2-A1", "|1k-0k|||A3-A4", "|1k-0k|||A6-bye", "|0k-0k|||A5-stop"});
    f.RoundFile(3, {"|?-?|||A1-A4", "|0.5-0.5|||A3-A2", "|0k-0k|||A5-stop", "|0k-0k|||A6-stop"});
}

void GoalsTournament(ReportFixture& f) {
    f.Options("3-1-0", "Goals", {"G1"});
    f.Players({"1|H|Home Side|0|||", "1|V|Visitors|0|||"});
    f.RoundFile(1, {"|3-0|||H-V|2:1"});
}

struct PageCase {
    const char* name;
    std::function<void(ReportFixture&)> setup;
    const char* language;  // "" for English
    const char* page;
    std::vector<std::string> present, absent;
};

const std::string W = "<abbr title=\"White\">w</abbr>", B = "<abbr title=\"Black\">b</abbr>";
const std::string Forfeit(const char* mark) { return std::string("<abbr class=\"ff\" title=\"forfeit\">") + mark + "</abbr>"; }

const std::vector<PageCase> Cases = {
    {"index", ChessTournament, "", "index.html",
     {"<title>Overview \u2013 Small</title>", "round 3 in progress", "<dt>Players</dt><dd>6</dd>",
      "<dd>3 / 7</dd>", "href=\"teams.html\"", "href=\"round-3.html\""}, {}},
    {"standings", ChessTournament, "", "standings.html",
     {"<a href=\"player-2.html\">Tom &lt;b&gt; &amp; Co</a>", "Nováková, Jana",
      "<abbr title=\"Buchholz\">BH</abbr>", "<dt>SB</dt><dd>Sonneborn\u2013Berger</dd>",
      "<td class=\"num\">4\u20135</td><td class=\"num\">6</td><th scope=\"row\" class=\"sticky name\"><a "
      "href=\"player-6.html\">Zeman, Petr</a><span class=\"tag\">suspended</span>",
      "<td class=\"num pts\">1.5</td>"}, {"Tom <b>"}},
    {"crosstable", ChessTournament, "", "crosstable.html",
     // A3 (rank 2) won by forfeit against A4 (rank 6) with White; A1's third game is pending.
     {"<td>6" + W + " " + Forfeit("+") + "</td>", "<td>2" + B + " " + Forfeit("\u2212") + "</td>",
      "<td><span class=\"bye\">bye 1</span></td>", "<td><span class=\"absent\">absent</span></td>",
      "<td>6" + W + "</td>", "<td>2" + B + " \u00bd</td>"}, {}},
    {"round with bye and absence", ChessTournament, "", "round-1.html",
     {"<td class=\"bye\">bye 1</td>", "<span class=\"absent\">absent:</span> <a href=\"player-5.html\">Late, Lucy</a>",
      "<td class=\"num\">\u00bd\u2013\u00bd</td>"}, {}},
    {"round in progress", ChessTournament, "", "round-3.html",
     {"<td class=\"num\">2.0</td><td class=\"num\"></td><td class=\"num\">0.5</td>",
      "<td class=\"num\">1.0</td><td class=\"num\">\u00bd\u2013\u00bd</td>"}, {}},
    {"player card", ChessTournament, "", "player-2.html",
     {"<title>Tom &lt;b&gt; &amp; Co \u2013 Small</title>", "<dt>performance</dt>",
      "<td>" + W + "</td><td class=\"name\"><a href=\"player-1.html\">Nováková, Jana</a></td><td "
      "class=\"num\">2210</td><td class=\"num\">2.0</td><td class=\"num\">0</td>"}, {}},
    {"forfeit in a card", ChessTournament, "", "player-4.html",
     {"<td class=\"num\">" + Forfeit("\u2212") + "</td>", "<td class=\"num\"></td></tr>"}, {}},
    {"teams", ChessTournament, "", "teams.html",
     {"<th scope=\"row\" class=\"sticky name\">Brno</th><td class=\"num pts\">3.5</td>"}, {}},
    {"German", ChessTournament, "Deutsch.txt", "crosstable.html",
     {"<html lang=\"de\">", "spielfrei 1", "<abbr title=\"Schwarz\">s</abbr>", "Runde 3 läuft"}, {">bye"}},
    {"Goals", GoalsTournament, "", "round-1.html",
     {"2:1 <small>(3\u20130)</small>", "after round 1 of 5", "<th scope=\"col\">home</th>"}, {}},
    {"Goals standings", GoalsTournament, "", "standings.html",
     {"<td class=\"num pts\">3</td><td class=\"num\">2:1</td><td class=\"num\">2</td>",
      "<abbr title=\"more goals scored\">G1</abbr>"}, {}},
    {"Goals card", GoalsTournament, "", "player-2.html",
     {"<td class=\"num\">0</td><td class=\"num\">1:2</td>", "<th scope=\"col\" class=\"num\">Goals</th>"},
     {"<dt>performance</dt>", "teams.html"}},
};

std::string Publish(ReportFixture& f, const PageCase& c) {
    c.setup(f);
    f.Open();
    if (*c.language) LoadLanguageFile(f.session, fs::path(VELTRUN_SOURCE_DIR) / "data" / "Language" / c.language);
    EXPECT_TRUE(PublishCommand(f.session, {}, OpenReports::No).done) << c.name;
    return ReadBytes(f.folder / "site" / c.page);
}

TEST(PublishedSite, PagesSayWhatHappened) {
    for (const PageCase& c : Cases) {
        ReportFixture f;
        const std::string page = Publish(f, c);
        for (const std::string& text : c.present) EXPECT_TRUE(Contains(page, text)) << c.name << ": " << text;
        for (const std::string& text : c.absent) EXPECT_FALSE(Contains(page, text)) << c.name << ": " << text;
    }
}

// A cheap structural check of every page: an HTML5 doctype, the language, the
// character set, a viewport, a title, headings with scope, balanced tables.
// A failure while a new site is written leaves that site whole and no
// temporary folder behind.
TEST(PublishedSite, EveryPageHasTheSameSoundFrameAndAFailedBuildKeepsIt) {
    ReportFixture f;
    Publish(f, Cases[0]);
    int pages = 0;
    for (const auto& entry : fs::directory_iterator(f.folder / "site")) {
        if (entry.path().extension() != ".html") continue;
        ++pages;
        const std::string page = ReadBytes(entry.path()), name = entry.path().filename().string();
        EXPECT_EQ(page.rfind("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n", 0), 0u) << name;
        EXPECT_TRUE(Contains(page, "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">") &&
                    Contains(page, "<title>")) << name;
        auto count = [&page](const std::string& tag) {
            size_t n = 0;
            for (size_t at = page.find(tag); at != std::string::npos; at = page.find(tag, at + 1)) ++n;
            return n;
        };
        EXPECT_EQ(count("<table"), count("</table>")) << name;
        EXPECT_EQ(count("<th ") + count("<th>"), count("<th scope=")) << name;
        EXPECT_EQ(count("<th scope=") == 0, name == "index.html") << name;
        EXPECT_EQ(page.substr(page.size() - 8), "</html>\n") << name;
    }
    EXPECT_EQ(pages, 6 + 3 + 6);  // index, standings, crosstable, startlist, teams, players; rounds; players
    EXPECT_TRUE(fs::exists(f.folder / "site" / "style.css"));

    const fs::path site = f.folder / "site";
    const std::string before = ReadBytes(site / "standings.html");
    EXPECT_THROW(ReplaceSiteFolder(f.session.translation, site,
                                   [](const SitePageSink& sink) {
                                       sink("standings.html", "half");
                                       throw myException("disk full");
                                   }),
                 myException);
    EXPECT_EQ(ReadBytes(site / "standings.html"), before);
    for (const auto& entry : fs::directory_iterator(f.folder))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

}  // namespace
}  // namespace veltrun::testing
