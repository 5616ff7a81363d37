// The report commands on the command line: files written and named on
// stdout, the TSV standings, the site, and the browser only with --open.
#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "store/ini_file.h"
#include "store/text_file.h"

namespace veltrun::cli {
namespace {

class ReportCli : public testing::CliTest {
protected:
    std::filesystem::path folder = Folder("Cup");

    void SetUp() override {
        ASSERT_EQ(Run({"info"}).code, 0);  // installs the default settings
        std::filesystem::create_directories(folder);
        WriteTextLines(folder / "options.txt", {"[Options]", "MaxRound=5", "ColourFor1stPlayer=W", "PointsType=1- 0.5 -0",
                                                "TBsType=Chess", "TB1=BH", "TB2=-", "TB3=SB", "TB4=-", "TB5=-"});
        WriteTextLines(folder / "players.txt", {"1|A1|Anna|2200|||North", "1|B2|Boris|2000|||South",
                                                "1|C3|Cyril|1800|||North"});
    }
    void TwoRounds() {
        // R1: A1-B2 1-0, C3 bye; R2: C3-A1 0.5-0.5, B2 bye.  A1 1.5, B2 1, C3 1.5
        WriteTextLines(folder / "round1.txt", {"|1-0|||A1-B2", "|1k-0k|||C3-bye"});
        WriteTextLines(folder / "round2.txt", {"|0.5-0.5|||C3-A1", "|1k-0k|||B2-bye"});
    }
};

// Each report command prints the files it wrote; before a round is paired the round report and standings refuse.
TEST_F(ReportCli, EachReportCommandWritesItsFileAndPrintsThePath) {
    EXPECT_EQ(Run({"standings", "Cup"}).err, "Information: No round has been pair yet.\n");
    EXPECT_EQ(Run({"round-report", "Cup"}).code, 1);
    TwoRounds();
    EXPECT_NE(Run({"round-report", "Cup", "7"}).err.find("Round 7 has not been paired."), std::string::npos);

    // A browser is only tried with --open.
    IniWriteString(home.path() / "Veltrun.ini", "WebBrowser", "ExePath", (home.path() / "no-browser").string());
    IniWriteString(home.path() / "Veltrun.ini", "Reports", "TeamReport_IsUsed", "true");
    const struct { std::vector<std::string> args, files; } cases[] = {
        {{"start-list", "Cup"}, {"startlist.html"}},
        {{"round-report", "Cup"}, {"round2.html"}},  // no terminal: the current round
        {{"round-report", "Cup", "1"}, {"round1.html"}},
        {{"standings", folder.string()}, {"standings.html"}},
        {{"standings", "Cup", "--cards"}, {"standings_cards.html", "teams.html"}},
        {{"team-report", "Cup"}, {"teams.html"}},
    };
    for (const auto& c : cases) {
        auto run = Run(c.args);
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.err, "");
        std::string paths;
        for (const auto& file : c.files) {
            paths += (folder / file).string() + "\n";
            EXPECT_TRUE(std::filesystem::exists(folder / file)) << file;
        }
        EXPECT_EQ(run.out, paths);
    }
    auto open = Run({"start-list", "Cup", "--open"});
    EXPECT_EQ(open.code, 0);
    EXPECT_NE(open.err.find("Warning: Could not find web browser"), std::string::npos);

    // --print gives tab-separated standings and writes nothing.
    std::filesystem::remove(folder / "standings.html");
    // A1 and C3 on 1.5: BH 1 + 1.5 = 2.5 against 0 + 1.5 = 1.5.
    EXPECT_EQ(Run({"standings", "Cup", "--print"}).out,
              "place\tArrivalID\tName\tELO\tPoints\tBH\tSB\n"
              "1\tA1\tAnna\t2200\t1.5\t2.5\t1.75\n"
              "2\tC3\tCyril\t1800\t1.5\t1.5\t0.75\n"
              "3\tB2\tBoris\t2000\t1\t1.5\t0\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "standings.html"));
    // Anna: 1.5 from games against 2000 and 1800: 75 % of average 1900; 300
    // above it she expects 86 - 9/13 per cent of two games.
    EXPECT_EQ(Run({"standings", "Cup", "--print", "--perf"}).out.rfind(
                  "place\tArrivalID\tName\tELO\tPoints\tBH\tSB\tn\tw\taverage\twe\tperformance\n"
                  "1\tA1\tAnna\t2200\t1.5\t2.5\t1.75\t2\t1.5\t1900\t1.71\t2093\n", 0),
              0u);
}

// The site replaces an earlier one as a whole; a folder of other files is never touched.
TEST_F(ReportCli, PublishWritesTheSiteAsAWhole) {
    namespace fs = std::filesystem;
    TwoRounds();
    const fs::path site = folder / "site";
    EXPECT_EQ(Run({"publish", "Cup"}).out, (site / "index.html").string() + "\n");
    WriteTextLines(site / "stale.html", {"old"});
    EXPECT_EQ(Run({"publish", "Cup", "--out", site.string()}).code, 0);
    EXPECT_FALSE(fs::exists(site / "stale.html"));
    for (const auto& entry : fs::directory_iterator(folder))  // no temporary folder is left behind
        EXPECT_EQ(entry.path().filename().string().find(".site"), std::string::npos) << entry.path();

    const fs::path foreign = home.path() / "mine";
    fs::create_directories(foreign);
    WriteTextLines(foreign / "notes.txt", {"keep me"});
    auto refused = Run({"publish", "Cup", "--out", foreign.string()});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("Error: The folder " + foreign.string() + " is neither empty nor a published site"),
              std::string::npos) << refused.err;
    EXPECT_EQ(testing::FolderFiles(foreign), (std::map<std::string, std::string>{{"notes.txt", "keep me\r\n"}}));
    EXPECT_EQ(Run({"publish", "Cup", "--out", (home.path() / "no" / "site").string()}).code, 1);
}

}  // namespace
}  // namespace veltrun::cli
