// The tournament log: the line format, buffering, the off-switch and the
// rule that logging never stops a command.
#include <gtest/gtest.h>

#include <regex>

#include "store/open_tournament.h"
#include "store/tournament_log.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using namespace veltrun::testing;

TEST(TournamentLogTest, LinesAreAppendedAsDateTimeTwoBlanksAndMessageUnlessSwitchedOff) {
    TempFolder folder;
    const fs::path file = folder.path() / "tournlog.log";
    WriteBytes(file, "old line\r\n");
    {
        TournamentLog log;
        log.SetFile(file);
        log.AppendToLog("Pairing is started.");
        log.AppendToLog(" leading blank kept");
        EXPECT_EQ(ReadBytes(file), "old line\r\n");  // buffered until the flush
        log.Flush();
        log.AppendToLog("written by the destructor");
    }
    const std::string stamp = R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d  )";
    EXPECT_TRUE(std::regex_match(ReadBytes(file), std::regex("old line\r\n" + stamp + "Pairing is started\\.\r\n" + stamp +
                                                             " leading blank kept\r\n" + stamp + "written by the destructor\r\n")))
        << ReadBytes(file);
    // Switched off, or without a file, nothing is written.
    StoreFixture f;
    f.session.AppendToLog("no tournament open");  // lost, silently
    WriteBytes(f.session.SettingsFile(), "[Options]\r\nIsWriteAllowedToLogFile=FALSE\r\n");
    f.session.ReloadSettings();
    f.session.log.SetFile(f.home.path() / "tournlog.log");
    f.session.AppendToLog("not written");
    f.session.log.Flush();
    EXPECT_FALSE(fs::exists(f.home.path() / "tournlog.log"));
    EXPECT_EQ(f.log.size(), 2u);
}

TEST(TournamentLogTest, FileChangesFlushFirstAndFailuresAreIgnored) {
    TempFolder folder;
    TournamentLog log;
    log.SetFile(folder.path() / "missing-folder" / "tournlog.log");
    log.AppendToLog("nowhere to go");
    EXPECT_NO_THROW(log.Flush());
    log.SetFile(folder.path() / "one.log");
    log.AppendToLog("belongs to one");
    log.SetFile(folder.path() / "tournlog.log");
    log.AppendToLog("two\nlines\r\nhere");
    log.Flush();
    EXPECT_NE(ReadBytes(folder.path() / "one.log").find("belongs to one"), std::string::npos);
    EXPECT_TRUE(std::regex_match(ReadBytes(folder.path() / "tournlog.log"), std::regex("[^\n]*two lines  here\r\n")));
}

// Past its limit the log moves to tournlog.1.log, replacing an older one;
// where it cannot move, it keeps growing rather than losing lines.
TEST(TournamentLogTest, AFullLogMovesAsideOnceKept) {
    TempFolder folder;
    const fs::path file = folder.path() / "tournlog.log", kept = folder.path() / "tournlog.1.log";
    WriteBytes(kept, "older\r\n");
    TournamentLog log;
    log.SetSizeLimit(100);
    log.SetFile(file);
    for (const char* message : {"first line of the log", "second line of the log", "third line moves"}) {
        log.AppendToLog(message);
        log.Flush();
    }
    EXPECT_TRUE(std::regex_search(ReadBytes(kept), std::regex("^[^\n]*first[^\n]*\n[^\n]*second line of the log\r\n$")))
        << ReadBytes(kept);
    EXPECT_TRUE(std::regex_match(ReadBytes(file), std::regex("[^\n]*third line moves\r\n"))) << ReadBytes(file);

    fs::remove(kept);
    fs::create_directory(kept);
    for (const char* message : {"cannot move 0", "cannot move 1", "cannot move 2"}) {
        log.AppendToLog(message);
        log.Flush();
    }
    EXPECT_TRUE(std::regex_search(ReadBytes(file), std::regex("third line moves[\\s\\S]*cannot move 2\r\n$"))) << ReadBytes(file);
}

// Every command opens the tournament: one line per file read, with its
// count, and the warnings in full, never a line per player or game.
TEST(TournamentLogTest, OpeningLogsOneLinePerFile) {
    StoreFixture f;
    const fs::path cup = f.Folder();
    StoreFixture::WriteOptions(cup, 5);
    WriteBytes(cup / "players.txt", "1|P1|Ann|x|||\n1|P2|Ben|1400|||\n1|P3|Cid|1500|||\n1|P4|Dan|1400|||\n");
    WriteBytes(cup / "round1.txt", "|1-0|||P1-P2\n|1-0|||P3-P4\n");
    WriteBytes(cup / "round2.txt", "|?-?|||P2-P1\n|?-?|||P4-P3\n");
    f.session.log.SetCapture(nullptr);
    OpenTournament(f.session, cup);
    f.session.log.Flush();
    std::vector<std::string> lines;
    std::istringstream text(ReadBytes(cup / "tournlog.log"));
    for (std::string line; std::getline(text, line);) lines.push_back(line.substr(21, line.size() - 22));
    const std::vector<std::string> expected{
        "Opening tournament from folder (" + cup.string() + "). Starting ...",
        "Reading of options from file (" + (cup / "options.txt").string() + "): 5 rounds.",
        "Warning: " + f.ui.Texts(MessageKind::Warning).at(0),
        "Load list of players from file (" + (cup / "players.txt").string() + "): 4 players.",
        "Load list of games from file (" + (cup / "round1.txt").string() + "): 2 games.",
        "Load list of games from file (" + (cup / "round2.txt").string() + "): 2 games.",
        "Opening tournament from folder (" + cup.string() + ") was successfully completed."};
    EXPECT_EQ(lines, expected);
    EXPECT_NE(expected[2].find("(P1) has invalid value"), std::string::npos);
}

}  // namespace
}  // namespace veltrun
