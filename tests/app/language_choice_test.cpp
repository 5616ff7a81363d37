// The language command: what the chooser offers and what a choice changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/command_language.h"
#include "store/ini_file.h"
#include "store/session.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedUi;
using testing::TempFolder;

TEST(LanguageChoice, OffersBuiltInEnglishFirstAndOnlyTextFiles) {
    TempFolder home;
    ScriptedUi ui;
    Session session(ui, home.path());
    // A missing folder is created and English is still offered.
    EXPECT_EQ(LanguageChoices(session), std::vector<std::string>{"English (built-in)"});
    EXPECT_TRUE(fs::is_directory(session.LanguageFolder()));

    for (const char* name : {"Czech.TXT", "notes.doc", ".hidden.txt", "Polski.txt"})
        std::ofstream(session.LanguageFolder() / name) << "1|x\n";
    fs::create_directories(session.LanguageFolder() / "old.txt");
    EXPECT_EQ(LanguageChoices(session), (std::vector<std::string>{"English (built-in)", "Czech.TXT", "Polski.txt"}));
}

// Storing a choice and the switch of every window are checked through the
// main window; here only what the window cannot show.
TEST(LanguageChoice, EnglishKeepsTheTableAndClosingChangesNothing) {
    TempFolder home;
    ScriptedUi ui;
    Session session(ui, home.path());
    fs::create_directories(session.LanguageFolder());
    std::ofstream(session.LanguageFolder() / "Test.txt") << "13|Auslosung\n";
    ui.choices = {1, 0, std::nullopt};
    EXPECT_TRUE(LanguageCommand(session));
    EXPECT_TRUE(LanguageCommand(session));
    EXPECT_EQ(session.tr(13, "Pairing"), "Pairing");
    EXPECT_EQ(session.translation.LanguageTable[13], "Auslosung");
    EXPECT_FALSE(LanguageCommand(session));
    EXPECT_EQ(IniReadString(session.SettingsFile(), "Options", "Language"), "English (built-in)");
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace veltrun
