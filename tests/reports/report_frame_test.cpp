// What every report shares: escaping of tournament text, the bytes in the
// declared character set, the atomic write and the browser launch.
#include <gtest/gtest.h>

#include "app/command_reports.h"
#include "report_fixture.h"
#include "reports/number_text.h"

namespace veltrun {
namespace {

using testing::Contains;
using testing::ReportFixture;

TEST(NumberText, HalvesRoundAwayFromZeroOnTheDecimalForm) {
    // 1.005 is 1.00499999... in binary; no "-0.0".
    EXPECT_EQ(FixedText(1849.5, 0) + " " + FixedText(-0.25, 1) + " " + FixedText(1.005, 2), "1850 -0.3 1.01");
    EXPECT_EQ(FixedText(9.96, 1) + " " + FixedText(-0.04, 1) + " " + FixedText(0.125, 2), "10.0 0.0 0.13");
    EXPECT_EQ(DefaultNumberText(-0.0) + " " + DefaultNumberText(0.1 + 0.2), "0 0.3");
}

// A player whose name and alias are markup, in a team whose name is markup.
TEST(Escaping, TournamentTextShowsLiterallyInEveryReport) {
    ReportFixture f;
    f.Options("1- 0.5 -0", "Chess", {"BH"});
    f.Players({"1|X<i>|<b>&\"x\"|2000|||<T&T>", "1|Y|Plain|1900|||<T&T>"});
    f.RoundFile(1, {"|1-0|||X<i>-Y"});
    f.Setting("Reports", "TeamReport_IsUsed", "true");
    // A language file is as untrusted as a name: every text of it holds markup.
    std::string language;
    for (int id = 1; id <= LanguageSlots; ++id) language += std::to_string(id) + "|Ro\"und<b>\r\n";
    testing::WriteBytes(f.home.path() / "Language" / "Markup.txt", language);
    f.Setting("Options", "Language", "Markup.txt");
    f.Open();
    ASSERT_TRUE(StartListCommand(f.session).done);
    ASSERT_TRUE(RoundReportOfRound(f.session, 1).done);
    ASSERT_TRUE(StandingsAndCardsCommand(f.session).done);
    for (const std::string report : {"startlist.html", "round1.html", "standings_cards.html", "teams.html"}) {
        const std::string page = f.Report(report);
        for (const char* part : {"&lt;b&gt;&amp;&quot;x&quot;", "Ro&quot;und&lt;b&gt;"}) EXPECT_TRUE(Contains(page, part)) << report;
        for (const char* part : {"<b>", "<i>", "&\""}) EXPECT_FALSE(Contains(page, part)) << report << part;
    }
    for (const char* part : {"<A HREF=\"#X&lt;i&gt;\">", "<div id=\"X&lt;i&gt;\"> </div>"})
        EXPECT_TRUE(Contains(f.Report("standings_cards.html"), part)) << part;
    EXPECT_TRUE(Contains(f.Report("teams.html"), "&nbsp;&lt;T&amp;T&gt;&nbsp;"));
}

// Letters the declared character set lacks become numeric references; only
// labels browsers know are declared (a refused one warns: see the command line).
TEST(Charset, BytesFollowTheDeclaredCharset) {
    const struct { std::string setting, declared, bytes; } cases[] = {
        {"ISO-8859-1", "ISO-8859-1", "M\xFCller &#321;ukasz \x80"},  // read as windows-1252 by every browser
        {"windows-1250", "windows-1250", "M\xFCller \xA3ukasz \x80"},
        {" Latin2 ", "Latin2", "M\xFCller \xA3ukasz &#8364;"},
        {"utf-8", "utf-8", "Müller Łukasz €"},
    };
    for (const auto& c : cases) {
        ReportFixture f;
        f.Options("1- 0.5 -0", "Chess", {});
        f.Players({"1|A1|Müller Łukasz €|2000|||"});
        f.Setting("Reports", "HtmlCharset", c.setting);
        f.Open();
        ASSERT_TRUE(StartListCommand(f.session).done);
        const std::string page = f.Report("startlist.html");
        EXPECT_TRUE(Contains(page, "CHARSET=" + c.declared + "\">") && Contains(page, c.bytes)) << c.setting;
    }
}

// The report opens in the desktop's browser or the configured one; a missing
// browser warns with every path and keeps the report; a failed write keeps
// the old report and opens nothing.
TEST(Browser, OpensWrittenReportsOnly) {
    ReportFixture f;
    f.Options("1- 0.5 -0", "Chess", {});
    f.Players({"1|A1|Müller Łukasz|2000|||"});
    f.Open();
    ASSERT_TRUE(StartListCommand(f.session).done);
    auto browse_with = [&f](const std::string& browser) {
        f.Setting("WebBrowser", "ExePath", browser);
        f.session.ReloadSettings();
        return StartListCommand(f.session).done;
    };
    const std::string browser = (f.home.path() / "mybrowser").string();
    std::ofstream(browser) << "#!/bin/sh\n";
    ASSERT_TRUE(browse_with(browser));
    EXPECT_EQ(f.ui.browsers, (std::vector<std::string>{"", browser}));

    f.ui.opened_reports.clear();
    SimulateWriteFailureAfter(100);  // the file it leaves: FullDisk in the reliability tests
    EXPECT_FALSE(StartListCommand(f.session).done);
    SimulateWriteFailureAfter(-1);

    const std::string gone = (f.home.path() / "gone" / "firefox").string();
    EXPECT_TRUE(browse_with(gone));
    EXPECT_TRUE(f.ui.opened_reports.empty());
    const auto warnings = f.ui.Texts(MessageKind::Warning);
    ASSERT_EQ(warnings.size(), 1u);
    for (const auto& path : {gone, (f.home.path() / "Veltrun.ini").string(), (f.folder / "startlist.html").string()})
        EXPECT_TRUE(Contains(warnings[0], "\n" + path)) << warnings[0];
}

}  // namespace
}  // namespace veltrun
