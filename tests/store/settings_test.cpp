// The settings file: typed conversions with their fallbacks, the shipped
// defaults, where the program folder is, and what the first start installs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "store/code_page.h"
#include "store/ini_file.h"
#include "store/settings.h"
#include "store/text_file.h"
#include "store/tournament.h"
#include "support/environment_guard.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using testing::EnvironmentGuard;
using testing::TempFolder;

TEST(LoadSettingsTest, EachKeyFallsBackOnItsOwn) {
    TempFolder folder;
    const fs::path file = folder.path() / "Veltrun.ini";
    testing::WriteBytes(file,
              "[FormMain]\r\nTop=abc\r\nLeft=12\r\nWidth=\r\nHeight=400\r\nCloseQuery=1\r\n"
              "[Options]\r\nByePoints=ASLOST\r\nIsWriteAllowedToLogFile=no\r\nEloSearchMaxCountLines=x\r\n"
              "SystemPrefixForAlias=P\r\n"
              "[Reports]\r\nGoalsInfinityAtDivisionByZero=9.5\r\nGoalsDivisionNumberOfDecimalPlaces=3\r\n"
              "TeamReport_WithPlayersList=FALSE\r\nHtmlSuffix=htm\r\n"
              "[JaVaFo]\r\nJaVaFoIsUsed=True\r\nTimeoutSeconds=0\r\n");
    Settings s = LoadSettings(file);
    EXPECT_FALSE(s.FormMainTop.has_value());
    EXPECT_EQ(s.FormMainLeft, 12);
    EXPECT_FALSE(s.FormMainWidth.has_value());
    EXPECT_FALSE(s.CloseQuery);
    EXPECT_EQ(s.ByePoints, "asLost");
    EXPECT_TRUE(s.IsWriteAllowedToLogFile);
    EXPECT_EQ(s.EloSearchMaxCountLines, 10);
    EXPECT_EQ(s.GoalsInfinityAtDivisionByZero, 500);
    EXPECT_EQ(s.GoalsDivisionNumberOfDecimalPlaces, 3);
    EXPECT_FALSE(s.TeamReport_WithPlayersList);
    EXPECT_TRUE(s.JaVaFoIsUsed);
    EXPECT_EQ(s.EngineTimeoutSeconds, 300);

    testing::WriteBytes(file, "[FormMain]\r\nCloseQuery=TRUE\r\n[Options]\r\nByePoints=lost\r\nIsWriteAllowedToLogFile=FALSE\r\n"
                    "[JaVaFo]\r\nTimeoutSeconds=60\r\n");
    s = LoadSettings(file);
    EXPECT_TRUE(s.CloseQuery);
    EXPECT_EQ(s.ByePoints, "asWin");
    EXPECT_FALSE(s.IsWriteAllowedToLogFile);
    EXPECT_EQ(s.EngineTimeoutSeconds, 60);
}

TEST(ShippedSettings, EveryKeyHasAUsableValue) {
    const fs::path file = fs::path(VELTRUN_SOURCE_DIR) / "data" / "Veltrun.ini";
    Settings s = LoadSettings(file);
    EXPECT_EQ(s.Language, "English (built-in)");
    EXPECT_TRUE(s.problems.empty()) << s.problems.front().key;
    for (const std::string* name : {&s.StartListName, &s.RoundListName, &s.StandingsListName,
                                    &s.StandingsCardsListName, &s.TeamReport_ShortFileName, &s.ShortFileNameTRF16,
                                    &s.ShortFileNameTRF16National, &s.ShortFileNameJAVAFOin,
                                    &s.ShortFileNameJAVAFOout, &s.SystemPrefixForAlias, &s.DownloadUrl})
        EXPECT_FALSE(name->empty());
    EXPECT_NE(s.ShortFileNameJAVAFOin, s.ShortFileNameJAVAFOout);
    EXPECT_TRUE(UseCodePageForNonUtf8(s.NonUtf8CodePage) && CodePageForNonUtf8() == "windows-1250");
    for (const char* section : {"DefaultTBforChess", "DefaultTBforGoals"})
        for (int k = 1; k <= 5; ++k) {
            std::string code = s.Read(section, "TB" + std::to_string(k));
            EXPECT_TRUE(IsValidTieBreakCode(code)) << section << " TB" << k << "=" << code;
        }
    EXPECT_EQ(s.Read("LanguageFileAndHtmlCharset", "deutsch.txt"), "utf-8");
}

// An installed program (no Veltrun.ini beside it, its folder writable as for
// root) must never take its own folder; a portable copy always does.
TEST(ProgramFolderTest, HomeOptionThenEnvironmentThenPortableCopyThenDataFolder) {
    const struct {
        const char* home;
        const char* veltrunHome;
        bool portable;
        const char* xdg;
        const char* expected;  // under the test's root
    } cases[] = {
        {"given/", "from-env", true, "/x", "given"},
        {"", "from-env", true, "/x", "from-env"},
        {"", nullptr, true, "/x", "bin"},
        {"", nullptr, false, "XDG", "XDG/veltrun"},
        {"", nullptr, false, "relative", "home/.local/share/veltrun"},
        {"", nullptr, false, nullptr, "home/.local/share/veltrun"},
    };
    for (const auto& c : cases) {
        TempFolder root;
        const fs::path exe = root.path() / "bin" / "veltrun";
        fs::create_directories(exe.parent_path());
        if (c.portable) testing::WriteBytes(exe.parent_path() / "Veltrun.ini", "");
        const std::string given = *c.home ? (root.path() / c.home).string() : "";
        const std::string env = c.veltrunHome ? (root.path() / c.veltrunHome).string() : "";
        const std::string xdg = c.xdg && std::string(c.xdg) == "XDG" ? (root.path() / "XDG").string() : c.xdg ? c.xdg : "";
        EnvironmentGuard veltrunHome("VELTRUN_HOME", c.veltrunHome ? env.c_str() : nullptr);
        EnvironmentGuard dataHome("XDG_DATA_HOME", c.xdg ? xdg.c_str() : nullptr);
        EnvironmentGuard home("HOME", (root.path() / "home").c_str());
        EXPECT_EQ(ResolveProgramFolder(given, exe), root.path() / c.expected) << c.expected;
        EXPECT_TRUE(fs::is_directory(root.path() / c.expected)) << c.expected;
    }
}

TEST(InstallDefaultsTest, CopiesShippedFilesButNeverOverwrites) {
    TempFolder root;
    const fs::path exe = root.path() / "bin" / "veltrun";
    testing::WriteBytes(exe.parent_path() / "Veltrun.default.ini", "[Options]\nLanguage=Deutsch.txt\n");
    testing::WriteBytes(exe.parent_path() / "Language.default" / "Deutsch.txt", "1|Turnierordner\n");
    testing::WriteBytes(exe.parent_path() / "Language.default" / "Cesky.txt", "1|Složka\n");
    const fs::path home = root.path() / "home";
    fs::create_directories(home);
    testing::WriteBytes(home / "Language" / "Cesky.txt", "1|mine\n");

    InstallDefaults(home, exe);
    EXPECT_EQ(ReadTextLines(home / "Veltrun.ini"), (std::vector<std::string>{"[Options]", "Language=Deutsch.txt"}));
    EXPECT_EQ(ReadTextLines(home / "Language" / "Deutsch.txt"), std::vector<std::string>{"1|Turnierordner"});
    EXPECT_EQ(ReadTextLines(home / "Language" / "Cesky.txt"), std::vector<std::string>{"1|mine"});

    testing::WriteBytes(home / "Veltrun.ini", "[Options]\r\nLanguage=Cesky.txt\r\n");
    InstallDefaults(home, exe);
    EXPECT_EQ(IniReadString(home / "Veltrun.ini", "Options", "Language"), "Cesky.txt");
}

}  // namespace
}  // namespace veltrun
