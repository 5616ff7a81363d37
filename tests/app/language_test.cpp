// Language files: the line format, loading with its character sets and the
// missing-file warning, the start language, and the shipped German file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/catalogue.h"
#include "app/language_file.h"
#include "app/startup.h"
#include "store/ini_file.h"
#include "store/session.h"
#include "store/text_file.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedUi;
using testing::TempFolder;

std::string Slot(const Translation& t, int id) { return t.LanguageTable[static_cast<size_t>(id)]; }

TEST(LanguageLines, OnlyWellFormedLinesAreStoredCleanedAndLaterLinesWin) {
    Translation t;
    ParseLanguageLines({"12|Runde", "13 |blank before bar", "0|zero", "1001|too high", "ab|letters", "14|", "15|   ",
                        "no bar at all", "# 16|comment", "  17|  padded  ", "007|leading zeros", "1000|last slot",
                        "99999999999999999999|overflow", "-18|sign", "20|a | b", "21|tab\there\x01", "22|first",
                        "22|second"},
                       t);
    int filled = 0;
    for (const auto& slot : t.LanguageTable) filled += slot.empty() ? 0 : 1;
    EXPECT_EQ(filled, 7);
    for (const auto& [id, text] : std::vector<std::pair<int, std::string>>{
             {12, "Runde"}, {17, "padded"}, {7, "leading zeros"}, {1000, "last slot"}, {20, "a  b"}, {21, "tabhere"},
             {22, "second"}})
        EXPECT_EQ(Slot(t, id), text) << id;
}

class LanguageFileTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedUi ui;
    Session session{ui, folder.path()};

    void Settings(const std::string& text) {
        testing::WriteBytes(session.SettingsFile(), text);
        session.ReloadSettings();
    }
    std::string LanguageSetting() { return IniReadString(session.SettingsFile(), "Options", "Language"); }
};

TEST_F(LanguageFileTest, MissingFileWarnsOnceAndSwitchesToEnglish) {
    Settings("[Options]\r\nLanguage=Klingon.txt\r\n[Reports]\r\nHtmlCharset=iso-8859-2\r\n");
    session.translation.LanguageTable[3] = "kept";
    StartSession(session);
    ASSERT_EQ(ui.messages.size(), 1u);
    const fs::path path = session.LanguageFolder() / "Klingon.txt";
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(ui.messages[0].text, "Language file \"" + path.string() +
                                       "\" does not exist. Therefore, English was set as the language.");
    EXPECT_TRUE(session.translation.EnglishBuiltIn);
    EXPECT_EQ(session.translation.HtmlCharset, "iso-8859-2");
    EXPECT_EQ(Slot(session.translation, 3), "kept");
    EXPECT_EQ(LanguageSetting(), "English (built-in)");

    StartSession(session);  // corrected in the file: no second warning
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(LanguageFileTest, NoOrAnEmptyLanguageKeyMeansBuiltInEnglish) {
    for (const char* text : {"[Reports]\r\nHtmlCharset=utf-8\r\n", "[Options]\r\nLanguage=\r\n"}) {
        Settings(text);
        session.translation.EnglishBuiltIn = false;
        StartSession(session);
        EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
        EXPECT_TRUE(session.translation.EnglishBuiltIn);
    }
}

TEST_F(LanguageFileTest, CharacterSetsAreKeyedByTheLowerCasedFileName) {
    testing::WriteBytes(session.LanguageFolder() / "Czech.TXT", "3|Kolo\r\n");
    Settings("[Options]\r\nLanguage=Czech.TXT\r\n[Reports]\r\nHtmlCharset=utf-8\r\n"
             "[InternalFontCharset]\r\nIsInternalFontCharset=true\r\nczech.txt=238\r\n"
             "[LanguageFileAndHtmlCharset]\r\nczech.txt=windows-1250\r\n");
    session.translation.LanguageTable[4] = "stale";
    StartSession(session);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(session.translation.EnglishBuiltIn);
    EXPECT_EQ(session.tr(3, "Round"), "Kolo");
    EXPECT_EQ(session.tr(4, "Language ..."), "Language ...");  // the table was emptied first
    EXPECT_EQ(session.translation.InternalFontCharset, 238);
    EXPECT_EQ(session.translation.HtmlCharset, "windows-1250");

    Settings("[Options]\r\nLanguage=Czech.TXT\r\n[Reports]\r\nHtmlCharset=iso-8859-2\r\n"
             "[InternalFontCharset]\r\nIsInternalFontCharset=false\r\nczech.txt=238\r\n");
    StartSession(session);
    EXPECT_EQ(session.translation.InternalFontCharset, 1);
    EXPECT_EQ(session.translation.HtmlCharset, "iso-8859-2");
}

TEST(GermanLanguageFile, TranslatesEveryCatalogueText) {
    const fs::path file = fs::path(VELTRUN_SOURCE_DIR) / "data" / "Language" / "Deutsch.txt";
    const auto lines = ReadTextLines(file);
    for (const auto& line : lines) EXPECT_TRUE(IsValidUtf8(line)) << line;
    Translation german;
    ParseLanguageLines(lines, german);
    german.EnglishBuiltIn = false;
    for (const auto& entry : MessageCatalogue())
        EXPECT_FALSE(Slot(german, entry.id).empty()) << "no German text for " << entry.id;
    for (int id = 1; id <= LanguageSlots; ++id) {
        if (Slot(german, id).empty()) continue;
        bool known = false;
        for (const auto& entry : MessageCatalogue()) known = known || entry.id == id;
        EXPECT_TRUE(known) << "German text for unknown identifier " << id;
    }
    EXPECT_EQ(german.TranslateText(77, "Ok"), "OK");
    EXPECT_EQ(german.TranslateText(44, "Sonneborn\u2013Berger"), "Sonneborn\u2013Berger");
}

}  // namespace
}  // namespace veltrun
