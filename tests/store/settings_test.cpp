// The settings file: the ini format it is read and written in, typed
// conversions with their fallbacks, the shipped defaults and where the program
// folder is (what the first start installs is checked on the installed program).
#include <gtest/gtest.h>

#include "store/code_page.h"
#include "store/ini_file.h"
#include "store/text_file.h"
#include "support/environment_guard.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using namespace veltrun::testing;

// Each key falls back on its own; the words of the Windows program are read
// in any case. (The range of every value is checked through "info".)
TEST(LoadSettingsTest, EachKeyFallsBackOnItsOwnAndTheShippedFileIsUsable) {
    TempFolder folder;
    const fs::path file = folder.path() / "Veltrun.ini";
    WriteBytes(file, "[FormMain]\r\nTop=abc\r\nLeft=12\r\nWidth=\r\nCloseQuery=1\r\n[Options]\r\nByePoints=ASLOST\r\n"
                     "[Reports]\r\nGoalsDivisionNumberOfDecimalPlaces=3\r\nTeamReport_WithPlayersList=FALSE\r\n"
                     "[JaVaFo]\r\nJaVaFoIsUsed=True\r\nTimeoutSeconds=60\r\n");
    Settings s = LoadSettings(file);
    EXPECT_FALSE(s.FormMainTop.has_value() || s.FormMainWidth.has_value() || s.CloseQuery || s.TeamReport_WithPlayersList);
    EXPECT_TRUE(s.JaVaFoIsUsed);
    EXPECT_EQ(std::to_string(s.FormMainLeft.value_or(-1)) + " " + s.ByePoints + " " +
                  std::to_string(s.GoalsDivisionNumberOfDecimalPlaces) + " " + std::to_string(s.EngineTimeoutSeconds),
              "12 asLost 3 60");
    WriteBytes(file, "[FormMain]\r\nCloseQuery=TRUE\r\n[Options]\r\nIsWriteAllowedToLogFile=FALSE\r\n");
    s = LoadSettings(file);
    EXPECT_TRUE(s.CloseQuery && !s.IsWriteAllowedToLogFile);
    // Every key of the shipped file has a usable value; its report names are used by the report tests.
    s = LoadSettings(fs::path(VELTRUN_SOURCE_DIR) / "data" / "Veltrun.ini");
    EXPECT_EQ(s.Language, "English (built-in)");
    EXPECT_TRUE(s.problems.empty()) << s.problems.front().key;
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
    // expected: under the test's root
    const struct { const char *home, *veltrunHome; bool portable; const char *xdg, *expected; } cases[] = {
        {"given/", "from-env", true, "/x", "given"}, {"", "from-env", true, "/x", "from-env"}, {"", nullptr, true, "/x", "bin"},
        {"", nullptr, false, "XDG", "XDG/veltrun"}, {"", nullptr, false, "relative", "home/.local/share/veltrun"},
        {"", nullptr, false, nullptr, "home/.local/share/veltrun"}};
    for (const auto& c : cases) {
        TempFolder root;
        const fs::path exe = root.path() / "bin" / "veltrun";
        fs::create_directories(exe.parent_path());
        if (c.portable) WriteBytes(exe.parent_path() / "Veltrun.ini", "");
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

using Lines = std::vector<std::string>;

const Lines kSettings = {"; Veltrun settings", "[General]", "Language=English", "# the browser that opens reports",
                          "Browser = firefox ", "", "[DefaultTBforChess]", "TB1=BH", "TB2=midBH", "", "", "[Report]",
                          "Title=Open"};

TEST(IniFileTest, ReadsIgnoringCaseAndCommentsInLfAndCp1250FilesAndWritesKeepingEveryOtherLine) {
    TempFolder temp;
    const fs::path folder = temp.path(), file = folder / "Veltrun.ini";
    WriteTextLines(file, kSettings);
    EXPECT_EQ(IniReadString(file, "General", "Browser"), "firefox");
    EXPECT_EQ(IniReadString(file, "general", "LANGUAGE"), "English");
    EXPECT_EQ(IniReadString(file, "defaulttbforchess", "tb2"), "midBH");
    EXPECT_EQ(IniReadString(file, "Report", "Language"), "");  // key of another section
    EXPECT_EQ(IniReadString(folder / "none.ini", "General", "Language"), "");
    WriteBytes(file, "[S]\n;Key=one\n#Key=two\nno equals sign\nFormula=a=b=c\n[ Spaced ]\n  Key  =  three  \n");
    EXPECT_EQ(IniReadString(file, "S", "Key") + "|" + IniReadString(file, "S", "Formula") + "|" +
                  IniReadString(file, "Spaced", "key"), "|a=b=c|three");
    // One reading answers many keys: a repeated key, a section that comes again, any case.
    WriteBytes(file, "[S]\nKey=1\n[T]\nKey=2\nkey=3\n[s]\nOther=4\n");
    const IniFileLines ini = ReadIniFile(file);
    EXPECT_EQ(ini.Value("S", "Key") + ini.Value("t", "KEY") + ini.Value("S", "other") + ini.Value("T", "Other"), "124");
    WriteBytes(file, "[Tournament]\nName=\x8A" "af\xE1\xF8 Cup\nRounds=9\r\n");
    EXPECT_EQ(IniReadString(file, "Tournament", "Name"), "Šafář Cup");
    IniWriteString(file, "Tournament", "Rounds", "7");
    EXPECT_EQ(ReadBytes(file), "[Tournament]\r\nName=Šafář Cup\r\nRounds=7\r\n");
    // Writing keeps every other line and creates what is missing.
    WriteTextLines(file, kSettings);
    IniWriteString(file, "general", "BROWSER", "chromium");
    IniWriteString(file, "DefaultTBforChess", "TB3", "Sonneborn");
    IniWriteString(file, "General", "Theme", "dark");
    IniWriteString(file, "Window", "Left", "120");
    Lines expected = kSettings;
    expected[4] = "Browser=chromium";  // the key keeps its own spelling
    expected.insert(expected.begin() + 9, "TB3=Sonneborn");
    expected.insert(expected.begin() + 5, "Theme=dark");
    expected.insert(expected.end(), {"[Window]", "Left=120"});
    EXPECT_EQ(ReadTextLines(file), expected);
    EXPECT_EQ(IniReadString(file, "General", "Browser"), "chromium");
    WriteTextLines(file, {"[Empty]", "", "[Other]", "a=1"});
    IniWriteString(file, "Empty", "k", "v");
    EXPECT_EQ(ReadTextLines(file), (Lines{"[Empty]", "k=v", "", "[Other]", "a=1"}));
    fs::path fresh = folder / "options.txt";
    IniWriteString(fresh, "Tournament", "MaxRound", "9");
    IniWriteString(fresh, "Tournament", "CurrentRound", "0");
    EXPECT_EQ(ReadTextLines(fresh), (Lines{"[Tournament]", "MaxRound=9", "CurrentRound=0"}));
    // A value with line breaks cannot add keys.
    IniWriteString(fresh, "Tournament", "Name", "evil\r\n[Tournament]\nAdmin=true");
    EXPECT_EQ(ReadTextLines(fresh).size(), 4u);
    EXPECT_EQ(IniReadString(fresh, "Tournament", "Admin"), "");
}

}  // namespace
}  // namespace veltrun
