// Language files: the line format, loading with its character sets and the
// missing-file warning (the language chooser: the main window's tests).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/language_file.h"
#include "app/startup.h"
#include "store/ini_file.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;

TEST(LanguageLines, OnlyWellFormedLinesAreStoredCleanedAndLaterLinesWin) {
    Translation t;
    ParseLanguageLines({"12|Runde", "13 |blank before bar", "0|zero", "1001|too high", "ab|letters", "14|", "15|   ",
                        "no bar at all", "# 16|comment", "  17|  padded  ", "007|leading zeros", "1000|last slot",
                        "99999999999999999999|overflow", "-18|sign", "20|a | b", "21|tab\there\x01", "22|first",
                        "22|second"},
                       t);
    auto filled = [](const std::string& slot) { return !slot.empty(); };
    EXPECT_EQ(std::count_if(t.LanguageTable.begin(), t.LanguageTable.end(), filled), 7);
    for (const auto& [id, text] : std::vector<std::pair<int, std::string>>{
             {12, "Runde"}, {17, "padded"}, {7, "leading zeros"}, {1000, "last slot"}, {20, "a  b"}, {21, "tabhere"},
             {22, "second"}})
        EXPECT_EQ(t.LanguageTable[static_cast<size_t>(id)], text) << id;
}

struct LanguageFileTest : ::testing::Test, testing::StoreFixture {};

// The settings at start: the language file (a missing one warns once and
// falls back to English), its HTML and font character sets by lower-cased name.
TEST_F(LanguageFileTest, StartLanguageAndCharacterSetsComeFromTheSettings) {
    testing::WriteBytes(session.LanguageFolder() / "Czech.TXT", "3|Kolo\r\n");
    const std::string czech = "[Options]\r\nLanguage=Czech.TXT\r\n[InternalFontCharset]\r\nczech.txt=238\r\n";
    const std::string missing = "Language file \"" + (session.LanguageFolder() / "Klingon.txt").string() +
                                "\" does not exist. Therefore, English was set as the language.";
    struct Case { std::string settings, warning; bool english; std::string charset; int font; } cases[] = {
        {"[Options]\r\nLanguage=Klingon.txt\r\n[Reports]\r\nHtmlCharset=iso-8859-2\r\n", missing, true, "iso-8859-2", 1},
        {"[Options]\r\nLanguage=\r\n", "", true, "utf-8", 1},
        {czech + "IsInternalFontCharset=true\r\n[LanguageFileAndHtmlCharset]\r\nczech.txt=windows-1250\r\n", "", false,
         "windows-1250", 238},
        {czech + "IsInternalFontCharset=false\r\n[Reports]\r\nHtmlCharset=iso-8859-2\r\n", "", false, "iso-8859-2", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings);
        testing::WriteBytes(session.SettingsFile(), c.settings);
        session.ReloadSettings();
        session.translation.EnglishBuiltIn = false;
        session.translation.LanguageTable[3] = "stale";  // a language file empties the table first
        ui.messages.clear();
        StartSession(session);
        EXPECT_EQ(ui.Texts(MessageKind::Warning), c.warning.empty() ? std::vector<std::string>{}
                                                                       : std::vector<std::string>{c.warning});
        EXPECT_EQ(session.translation.EnglishBuiltIn, c.english);
        EXPECT_EQ(session.translation.LanguageTable[3], c.english ? "stale" : "Kolo");
        EXPECT_EQ(session.translation.HtmlCharset, c.charset);
        EXPECT_EQ(session.translation.InternalFontCharset, c.font);
        if (c.warning.empty()) continue;
        // Corrected in the file: no second warning.
        EXPECT_EQ(IniReadString(session.SettingsFile(), "Options", "Language"), "English (built-in)");
        StartSession(session);
        EXPECT_EQ(ui.messages.size(), 1u);
    }
}

}  // namespace
}  // namespace veltrun
