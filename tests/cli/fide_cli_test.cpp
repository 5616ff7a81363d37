// trf and import-trf on the command line: a tournament written out and read
// back, and the refusals with their exit codes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/cli_run.h"
#include "support/environment_guard.h"
#include "store/ini_file.h"
#include "store/text_file.h"

namespace veltrun::cli {
namespace {

namespace fs = std::filesystem;

class FideCliTest : public testing::CliTest {
protected:
    fs::path folder = Folder("Spring Cup");

    void SetUp() override {
        ASSERT_EQ(Run({"info"}).code, 0);  // installs Veltrun.ini
        fs::create_directories(folder);
        WriteTextLines(folder / "options.txt", {"[Options]", "MaxRound=4", "PointsType=1- 0.5 -0"});
        WriteTextLines(folder / "players.txt", {"1|A1|Müller, Jörg|2200|4711|N1|", "1|A2|Smith, Ann|2100|4712|N2|",
                                                "1|A3|Ode, Bo|1900|||", "0|A4|Late, Lu|1800|||"});
        WriteTextLines(folder / "round1.txt", {"|1-0|||A1-A2", "|1k-0k|||A3-bye", "|0k-0k|||A4-stop"});
        WriteTextLines(folder / "round2.txt", {"|0.5-0.5|||A3-A1", "|1k-0k|||A2-bye", "|0k-0k|||A4-stop"});
    }
};

TEST_F(FideCliTest, TrfFilesWrittenAndImported) {
    WriteTextLines(folder / "forbidden.txt", {"# siblings", "A3 A1", "A2\tA4 A1"});
    EXPECT_EQ(Run({"trf", "Spring Cup"}).out, (folder / "tournament.trf").string() + "\n");
    auto lines = ReadTextLines(folder / "tournament.trf");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"XXZ    4", "XXP 3 1", "XXP 2 4 1"}));

    fs::path national = home.path() / "out" / "national.trf";
    fs::create_directories(national.parent_path());
    EXPECT_EQ(Run({"trf", folder.string(), "--national", "-o", national.string()}).out, national.string() + "\n");
    EXPECT_EQ(ReadTextLines(national)[11].substr(57, 11), "         N1");

    auto imported = Run({"import-trf", (folder / "tournament.trf").string(), "--name", "Spring Copy"});
    ASSERT_EQ(imported.code, 0) << imported.err;
    fs::path copy = home.path() / "Tourn" / "Spring Copy";
    EXPECT_EQ(imported.out, copy.string() + "\n");
    EXPECT_NE(imported.err.find("Information: TRF file conversion complete."), std::string::npos);
    EXPECT_EQ(ReadTextLines(copy / "round2.txt"),
              (std::vector<std::string>{"|0.5-0.5|||A3-A1", "|1k-0k|||A2-bye", "|0k-0k|||A4-stop"}));
    EXPECT_EQ(Run({"forbidden", "Spring Copy"}).out, "1: [A3] Ode, Bo, [A1] Muller, Jorg\n2: [A2] Smith, Ann, [A4] Late, Lu, [A1] Muller, Jorg\n");

    auto again = Run({"import-trf", (folder / "tournament.trf").string(), "--name", "Spring Copy"});
    EXPECT_NE(again.err.find("already exists."), std::string::npos);
    // -o never names a file of the tournament.
    EXPECT_EQ(Run({"trf", "Spring Cup", "-o", (folder / "players.txt").string()}).code, 1);
    EXPECT_EQ(ReadTextLines(folder / "players.txt").size(), 4u);

    // The standings with cards write the TRF files the settings ask for, under a plain name only.
    fs::path ini = home.path() / "Veltrun.ini";
    IniWriteString(ini, "Reports", "MakeOutputTRF16", "true");
    IniWriteString(ini, "Reports", "MakeOutputTRF16National", "true");
    ASSERT_EQ(Run({"standings", "Spring Cup", "--cards"}).code, 0);
    EXPECT_EQ(ReadTextLines(folder / "tournament.trf")[11].substr(57, 11), "       4711");
    EXPECT_EQ(ReadTextLines(folder / "tournament_national.trf")[11].substr(57, 11), "         N1");

    IniWriteString(ini, "Reports", "ShortFileNameTRF16National", "../national.trf");
    EXPECT_EQ(Run({"standings", "Spring Cup", "--cards"}).code, 1);
    EXPECT_FALSE(fs::exists(folder.parent_path() / "national.trf"));
}

// With JaVaFoIsUsed on, "pair" goes through the engine: here a fake "java"
// first on PATH that answers with a prepared pairing.
TEST_F(FideCliTest, PairUsesTheEngineWhenTheSettingsSaySo) {
    fs::path bin = home.path() / "bin";
    fs::create_directories(bin);
    std::ofstream(bin / "java") << "#!/bin/sh\n[ \"$1 $2 $5\" = \"-ea -jar -p\" ] && [ -f \"$4\" ] || exit 9\n"
                                   "printf '3\\n1 3\\n2 0\\n' > \"$6\"\n";
    fs::permissions(bin / "java", fs::perms::owner_all);
    WriteTextLines(home.path() / "javafo.jar", {"not a real jar"});
    IniWriteString(home.path() / "Veltrun.ini", "JaVaFo", "JaVaFoIsUsed", "true");
    testing::EnvironmentGuard path("PATH", testing::PathWithFirst(bin.string()).c_str());
    EXPECT_EQ(Run({"pair", "Spring Cup", "--dry-run"}).code, 1);  // a trial cannot show the engine's boards
    auto paired = Run({"pair", "Spring Cup"});
    ASSERT_EQ(paired.code, 0) << paired.err;
    // The engine's "1 3" and "2 0" became the game and the bye.
    EXPECT_EQ(ReadTextLines(folder / "round3.txt").at(3), "|?-?|Müller, Jörg-Ode, Bo|1-3|A1-A3");
    EXPECT_EQ(ReadTextLines(folder / "round3.txt").at(4), "|1k-0k|Smith, Ann-bye|2-bye|A2-bye");

    // The program itself with bbpPairings: a stand-in that refuses a file without its records.
    fs::remove(folder / "round3.txt");
    fs::copy_file(fs::path(VELTRUN_SOURCE_DIR) / "tests/fide/fake_bbppairings.sh", home.path() / "bbpPairings.exe");
    IniWriteString(home.path() / "Veltrun.ini", "JaVaFo", "Command", "bbpPairings.exe --burstein {in} -p {out}");
    WriteTextLines(home.path() / "answer.txt", {"3", "1 3", "2 0"});
    const std::string answer = "FAKE_ANSWER=" + (home.path() / "answer.txt").string();
    auto none = testing::RunBinaryIn(home, {"pair", "Spring Cup"}, {answer, "FAKE_MODE=none"});
    EXPECT_EQ(none.code, 1);
    EXPECT_NE(none.err.find("The pairing engine found no pairing for the next round"), std::string::npos) << none.err;
    EXPECT_FALSE(fs::exists(folder / "round3.txt"));
    auto bbp = testing::RunBinaryIn(home, {"pair", "Spring Cup"}, {answer});
    ASSERT_EQ(bbp.code, 0) << bbp.err;
    EXPECT_EQ(ReadTextLines(folder / "round3.txt").at(3), "|?-?|Müller, Jörg-Ode, Bo|1-3|A1-A3");
}

}  // namespace
}  // namespace veltrun::cli
