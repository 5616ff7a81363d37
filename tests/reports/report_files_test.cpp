// Every report of one small tournament, byte for byte against the expected
// files: page frame, header rows, rows, cards, team lists and CR LF line ends.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/command_reports.h"
#include "report_fixture.h"

namespace veltrun {
namespace {

using testing::ReadBytes;
using testing::ReportFixture;

const std::filesystem::path Expected = std::filesystem::path(VELTRUN_SOURCE_DIR) / "tests" / "reports" / "expected";

// VELTRUN_WRITE_EXPECTED=1 rewrites the expected files after a deliberate change.
void ExpectSameAsExpected(const ReportFixture& f, const std::string& report, const std::string& expectedName) {
    const std::string actual = f.Report(report);
    if (std::getenv("VELTRUN_WRITE_EXPECTED")) {
        std::ofstream(Expected / expectedName, std::ios::binary) << actual;
        return;
    }
    EXPECT_EQ(actual, ReadBytes(Expected / expectedName)) << expectedName;
}

TEST(SmallTournamentReports, EveryReportAsExpected) {
    ReportFixture f;
    testing::WriteSmallTournament(f);
    f.Setting("Reports", "TeamReport_IsUsed", "true");
    f.Setting("Reports", "TeamReport_TopNplayers", "1");
    f.Open();
    // Starting list by rating and alphabetically; rounds with a bye, a suspension and a missing result.
    ASSERT_TRUE(StartListCommand(f.session).done);
    ExpectSameAsExpected(f, "startlist.html", "startlist.html");
    f.Setting("Reports", "StartListSortingType", "1");
    f.session.ReloadSettings();
    ASSERT_TRUE(StartListCommand(f.session).done);
    ASSERT_TRUE(RoundReportOfRound(f.session, 1).done && RoundReportOfRound(f.session, 3).done);
    f.ui.opened_reports.clear();
    ASSERT_TRUE(StandingsCommand(f.session, false).done);
    ReportsWritten written = StandingsAndCardsCommand(f.session);
    ASSERT_TRUE(written.done);
    EXPECT_EQ(written.files,
              (std::vector<std::filesystem::path>{f.folder / "standings_cards.html", f.folder / "teams.html"}));
    ExpectSameAsExpected(f, "startlist.html", "startlist_alphabetical.html");
    for (const char* report : {"round1.html", "round3.html", "standings.html", "standings_cards.html", "teams.html"})
        ExpectSameAsExpected(f, report, report);
    // Standings and standings with cards are opened; the team report is not.
    EXPECT_EQ(f.ui.opened_reports,
              (std::vector<std::filesystem::path>{f.folder / "standings.html", f.folder / "standings_cards.html"}));
}

}  // namespace
}  // namespace veltrun
