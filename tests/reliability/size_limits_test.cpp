// Oversized and degenerate inputs: every reader refuses a file larger than its kind can be, naming it, and a long TRF
// line costs time linear in its length; fields longer than every file can hold are cut where they enter.
#include <gtest/gtest.h>

#include <fstream>

#include "fide/engine_output.h"
#include "store/file_limits.h"
#include "store/session.h"
#include "support/cli_run.h"
#include "support/scripted_ui.h"

namespace veltrun {
namespace {

using testing::ReadBytes;
using testing::TrfRecord;
using testing::WriteBytes;
namespace fs = std::filesystem;

class SizeLimits : public testing::CupCliTest {
protected:
    void SetUp() override { MakeCup({"Ann Alpha", "Ben Beta"}); }
    // The peak memory of this process from now on, in MB (Linux resets it on request).
    static void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }
    static long PeakMegabytes() {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6)) / 1024;
        return 0;
    }
};

TEST_F(SizeLimits, EveryReaderRefusesAFileLargerThanItsKindNamingIt) {
    const std::string blankLines(5 * file_limit::MiB, '\n');
    struct Case { fs::path file; std::string bytes; std::vector<std::string> command; std::string expected; };
    std::string comments;
    while (comments.size() <= 4 * file_limit::MiB) comments += "#" + std::string(98, 'c') + "\n";
    std::vector<Case> cases{
        {home.path() / "blank.trf", blankLines, {"import-trf", (home.path() / "blank.trf").string()}, "larger than 4 MB"},
        {"/dev/zero", "", {"import-trf", "/dev/zero"}, "/dev/zero"},
        {Cup() / "players.txt", comments + "1|X|Xavier|1500\n", {"open", "Cup"}, "larger than 4 MB"},
        {Cup() / "round1.txt", comments, {"open", "Cup"}, "larger than 2 MB"},
        {Cup() / "options.txt", "[Options]\nMaxRound=3\n" + blankLines, {"open", "Cup"}, "larger than 1 MB"},
        {home.path() / "Language" / "Huge.txt", blankLines, {"--lang", "Huge", "info"}, "larger than 2 MB"},
        {home.path() / "Elo" / "elo.txt", "1|" + std::string(5 * file_limit::MiB, 'a') + "|\n", {"search", "aaa"},
         "File too large"},
        {home.path() / "Veltrun.ini", "[Options]\n" + blankLines, {"info"}, "larger than 1 MB"},
    };
    for (const Case& c : cases) {
        std::string before = c.file.string().rfind("/dev/", 0) == 0 ? "" : ReadBytes(c.file);
        if (!c.bytes.empty()) WriteBytes(c.file, c.bytes);
        EXPECT_EQ(Run(c.command), 1) << c.file;
        EXPECT_NE(err.find(c.file.string()), std::string::npos) << err.substr(0, 300);
        EXPECT_NE(err.find(c.expected), std::string::npos) << err.substr(0, 300);
        EXPECT_EQ(err.find("filesystem error"), std::string::npos) << err.substr(0, 300);
        if (!c.bytes.empty()) WriteBytes(c.file, before);
    }
    EXPECT_FALSE(fs::exists(home.path() / "Tourn" / "TournamentFromTrf"));

    // The engine's answer is read a line at a time and refused above 1 MB.
    testing::ScriptedUi ui;
    Session session(ui, home.path());
    WriteBytes(home.path() / "out.txt", blankLines);
    EXPECT_THROW(ReadEngineOutput(session, home.path() / "out.txt"), FileTooLarge);

    // Just under the limit, a TRF of blank lines costs little memory: it is
    // read a line at a time. A long padded line takes time linear in its length.
    WriteBytes(home.path() / "blank.trf", std::string(1000000, '\n'));
    ResetPeak();
    long before = PeakMegabytes();
    EXPECT_EQ(Run({"import-trf", (home.path() / "blank.trf").string()}), 1);
    EXPECT_LT(PeakMegabytes() - before, 24);
    WriteBytes(home.path() / "long.trf", "012 Long\n" +
                                             TrfRecord(1, "A", "1500", "", "   2 w 1  " + std::string(900 * 1024, ' ') + "x") +
                                             "\n" + TrfRecord(2, "B", "1500", "", "   1 b 0  ") + "\n");
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Run({"import-trf", (home.path() / "long.trf").string()}), 1);  // the "x" stands in round 92162
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_NE(err.find("Round 92162: the round is beyond"), std::string::npos) << err.substr(0, 300);
}

TEST_F(SizeLimits, LongFieldsAreCutWhereTheyEnterWithAWarning) {
    const std::string longName = std::string(300, 'Z') + "ü";
    // Typed in: cut with a warning, and the tournament opens again.
    ASSERT_EQ(Run({"add-player", "Cup", "--name", "Ä" + longName, "--elo", "1600", "--fide-id", std::string(50, '7')}), 0)
        << err;
    EXPECT_NE(err.find("Warning: Name was cut to 200 characters"), std::string::npos) << err;
    EXPECT_NE(err.find("FIDE ID was cut to 40 characters"), std::string::npos) << err;
    std::string players = ReadBytes(Cup() / "players.txt");
    EXPECT_NE(players.find("|Ä" + std::string(199, 'Z') + "|1600|" + std::string(40, '7') + "|"), std::string::npos);
    EXPECT_EQ(Run({"open", "Cup"}), 0) << err;

    // From the rating list: conversion (both readers) and a hand-made elo.txt.
    std::string huge(2 * file_limit::MiB, 'Q');
    for (const std::string layout : {"\n", " "}) {
        WriteBytes(home.path() / "list.xml", "<playerslist>" + layout + "<player>" + layout + "<fideid>5</fideid>" +
                                                 layout + "<name>" + huge + "</name>" + layout + "</player>" + layout +
                                                 "</playerslist>\n");
        ASSERT_EQ(Run({"convert-ratings", (home.path() / "list.xml").string()}), 0) << err;
        EXPECT_NE(err.find("Warning: Players of the rating list with a field cut to the length Veltrun keeps: 1."),
                  std::string::npos) << err;
        EXPECT_EQ(ReadBytes(home.path() / "Elo" / "elo.txt"), "5|" + std::string(200, 'Q') + std::string(8, '|') + "\r\n")
            << layout;
    }
    WriteBytes(home.path() / "Elo" / "elo.txt", "6|Yves " + huge + "|FRA|M|2000|||||\r\n");
    ASSERT_EQ(Run({"search", "yves"}), 0) << err;
    EXPECT_LT(out.size(), 3000u);
    ASSERT_EQ(Run({"add-player", "Cup", "--search", "yves", "--pick", "3"}), 0) << err;
    EXPECT_NE(ReadBytes(Cup() / "players.txt").find("|Yves " + std::string(195, 'Q') + "|2000|6|"), std::string::npos);
    EXPECT_EQ(Run({"open", "Cup"}), 0) << err;
}

}  // namespace
}  // namespace veltrun
