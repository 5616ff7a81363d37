// The tournament log: the line format, buffering, the off-switch and the
// rule that logging never stops a command.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>

#include "store/session.h"
#include "store/tournament_log.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::string FileText(const fs::path& file) { return testing::ReadBytes(file); }

TEST(TournamentLogTest, LinesAreAppendedAsDateTimeTwoBlanksAndMessage) {
    TempFolder folder;
    const fs::path file = folder.path() / "tournlog.log";
    testing::WriteBytes(file, "old line\r\n");
    {
        TournamentLog log;
        log.SetFile(file);
        log.AppendToLog("Pairing is started.");
        log.AppendToLog(" leading blank kept");
        EXPECT_EQ(FileText(file), "old line\r\n");  // buffered until the flush
        log.Flush();
        log.AppendToLog("written by the destructor");
    }
    const std::string stamp = R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d  )";
    EXPECT_TRUE(std::regex_match(FileText(file), std::regex("old line\r\n" + stamp + "Pairing is started\\.\r\n" + stamp +
                                                            " leading blank kept\r\n" + stamp + "written by the destructor\r\n")))
        << FileText(file);
}

TEST(TournamentLogTest, SwitchedOffOrWithoutFileNothingIsWritten) {
    TempFolder folder;
    testing::ScriptedUi ui;
    Session session(ui, folder.path());
    std::vector<std::string> captured;
    session.log.SetCapture(&captured);
    session.AppendToLog("no tournament open");  // lost, silently
    std::ofstream(session.SettingsFile(), std::ios::binary) << "[Options]\r\nIsWriteAllowedToLogFile=FALSE\r\n";
    session.ReloadSettings();
    session.log.SetFile(folder.path() / "tournlog.log");
    session.AppendToLog("not written");
    session.log.Flush();
    EXPECT_FALSE(fs::exists(folder.path() / "tournlog.log"));
    EXPECT_EQ(captured.size(), 2u);
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
    EXPECT_NE(FileText(folder.path() / "one.log").find("belongs to one"), std::string::npos);
    const std::string text = FileText(folder.path() / "tournlog.log");
    EXPECT_NE(text.find("two lines  here\r\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

}  // namespace
}  // namespace veltrun
