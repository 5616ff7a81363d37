// trf and import-trf on the command line: a tournament written out and read
// back, and the refusals with their exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/commands.h"
#include "store/ini_file.h"
#include "store/text_file.h"
#include "support/temp_folder.h"

namespace veltrun::cli {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

class FideCliTest : public ::testing::Test {
protected:
    testing::TempFolder home;
    fs::path folder;

    void SetUp() override {
        ASSERT_EQ(Run({"info"}).code, 0);  // installs Veltrun.ini
        folder = home.path() / "Tourn" / "Spring Cup";
        fs::create_directories(folder);
        WriteTextLines(folder / "options.txt", {"[Options]", "MaxRound=4", "PointsType=1- 0.5 -0"});
        WriteTextLines(folder / "players.txt", {"1|A1|Müller, Jörg|2200|4711|N1|", "1|A2|Smith, Ann|2100|4712|N2|",
                                                "1|A3|Ode, Bo|1900|||", "0|A4|Late, Lu|1800|||"});
        WriteTextLines(folder / "round1.txt", {"|1-0|||A1-A2", "|1k-0k|||A3-bye", "|0k-0k|||A4-stop"});
        WriteTextLines(folder / "round2.txt", {"|0.5-0.5|||A3-A1", "|1k-0k|||A2-bye", "|0k-0k|||A4-stop"});
    }
    CliRun Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home.str()});
        std::ostringstream out, err;
        int code = RunCli(args, out, err);
        return {code, out.str(), err.str()};
    }
};

TEST_F(FideCliTest, TrfAndImportTrfRoundTripATournament) {
    auto trf = Run({"trf", "Spring Cup"});
    ASSERT_EQ(trf.code, 0) << trf.err;
    EXPECT_EQ(trf.out, (folder / "tournament.trf").string() + "\n");
    auto lines = ReadTextLines(folder / "tournament.trf");
    EXPECT_EQ(lines[0], "012 Spring Cup");
    EXPECT_EQ(lines[11].substr(0, 47), "001    1      Muller, Jorg                     ");

    fs::path national = home.path() / "out" / "national.trf";
    fs::create_directories(national.parent_path());
    auto nat = Run({"trf", folder.string(), "--national", "-o", national.string()});
    ASSERT_EQ(nat.code, 0) << nat.err;
    EXPECT_EQ(nat.out, national.string() + "\n");
    EXPECT_EQ(ReadTextLines(national)[11].substr(57, 11), "         N1");

    auto imported = Run({"import-trf", (folder / "tournament.trf").string(), "--name", "Spring Copy"});
    ASSERT_EQ(imported.code, 0) << imported.err;
    fs::path copy = home.path() / "Tourn" / "Spring Copy";
    EXPECT_EQ(imported.out, copy.string() + "\n");
    EXPECT_NE(imported.err.find("Information: TRF file conversion complete."), std::string::npos);
    auto opened = Run({"open", "Spring Copy"});
    ASSERT_EQ(opened.code, 0) << opened.err;
    EXPECT_NE(opened.out.find("Rounds: 2/4"), std::string::npos) << opened.out;
    EXPECT_EQ(ReadTextLines(copy / "round2.txt"),
              (std::vector<std::string>{"|0.5-0.5|||A3-A1", "|1k-0k|||A2-bye", "|0k-0k|||A4-stop"}));

    auto again = Run({"import-trf", (folder / "tournament.trf").string(), "--name", "Spring Copy"});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find("already exists."), std::string::npos);
}

TEST_F(FideCliTest, RefusalsExitWithOne) {
    IniWriteString(home.path() / "Veltrun.ini", "Reports", "ShortFileNameTRF16", "../escape.trf");
    auto escape = Run({"trf", "Spring Cup"});
    EXPECT_EQ(escape.code, 1);
    EXPECT_NE(escape.err.find("must be a plain file name inside the tournament folder."), std::string::npos);
    EXPECT_FALSE(fs::exists(home.path() / "Tourn" / "escape.trf"));

    auto overwrite = Run({"trf", "Spring Cup", "-o", (folder / "players.txt").string()});
    EXPECT_EQ(overwrite.code, 1);
    EXPECT_EQ(ReadTextLines(folder / "players.txt").size(), 5u);

    EXPECT_EQ(Run({"import-trf", (home.path() / "missing.trf").string()}).code, 1);
    auto hostile = Run({"import-trf", (folder / "round1.txt").string(), "--name", "../x"});
    EXPECT_EQ(hostile.code, 1);
    EXPECT_NE(hostile.err.find("\"../x\" is not a valid folder name."), std::string::npos);
    EXPECT_EQ(Run({"trf"}).code, 2);
    EXPECT_EQ(Run({"import-trf", "a", "b"}).code, 2);
}

}  // namespace
}  // namespace veltrun::cli
