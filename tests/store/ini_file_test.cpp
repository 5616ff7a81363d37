#include <gtest/gtest.h>

#include <filesystem>

#include "store/errors.h"
#include "store/ini_file.h"
#include "store/text_file.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class IniFileTest : public ::testing::Test {
protected:
    void WriteRaw(const std::string& bytes) { testing::WriteBytes(file_, bytes); }
    std::string ReadRaw() const { return testing::ReadBytes(file_); }

    testing::TempFolder temp_;
    fs::path folder_ = temp_.path();
    fs::path file_ = folder_ / "Veltrun.ini";
};

const Lines kSettings = {
    "; Veltrun settings",
    "[General]",
    "Language=English",
    "# the browser that opens reports",
    "Browser = firefox ",
    "",
    "[DefaultTBforChess]",
    "TB1=BH",
    "TB2=midBH",
    "",
    "",
    "[Report]",
    "Title=Open",
};

TEST_F(IniFileTest, ReadsValuesIgnoringCaseOfNamesAndComments) {
    WriteTextLines(file_, kSettings);
    EXPECT_EQ(IniReadString(file_, "General", "Browser"), "firefox");
    EXPECT_EQ(IniReadString(file_, "general", "LANGUAGE"), "English");
    EXPECT_EQ(IniReadString(file_, "defaulttbforchess", "tb2"), "midBH");
    EXPECT_EQ(IniReadString(file_, "Report", "Language"), "");  // key of another section
    EXPECT_EQ(IniReadString(folder_ / "none.ini", "General", "Language"), "");
    WriteRaw("[S]\n;Key=one\n#Key=two\nno equals sign\nFormula=a=b=c\n[ Spaced ]\n  Key  =  three  \n");
    EXPECT_EQ(IniReadString(file_, "S", "Key"), "");
    EXPECT_EQ(IniReadString(file_, "S", "Formula"), "a=b=c");
    EXPECT_EQ(IniReadString(file_, "Spaced", "key"), "three");
}

TEST_F(IniFileTest, ReadsLfAndCp1250Files) {
    WriteRaw("[Tournament]\nName=\x8A" "af\xE1\xF8 Cup\nRounds=9\r\n");
    EXPECT_EQ(IniReadString(file_, "Tournament", "Name"), "Šafář Cup");
    EXPECT_EQ(IniReadString(file_, "Tournament", "Rounds"), "9");
    IniWriteString(file_, "Tournament", "Rounds", "7");
    EXPECT_EQ(ReadRaw(), "[Tournament]\r\nName=Šafář Cup\r\nRounds=7\r\n");
}

TEST_F(IniFileTest, WritingKeepsEveryOtherLineAndCreatesWhatIsMissing) {
    WriteTextLines(file_, kSettings);
    IniWriteString(file_, "general", "BROWSER", "chromium");
    Lines expected = kSettings;
    expected[4] = "Browser=chromium";  // the key keeps its own spelling
    EXPECT_EQ(ReadTextLines(file_), expected);
    EXPECT_EQ(IniReadString(file_, "General", "Browser"), "chromium");
    WriteTextLines(file_, kSettings);
    IniWriteString(file_, "DefaultTBforChess", "TB3", "Sonneborn");
    IniWriteString(file_, "General", "Theme", "dark");
    expected = kSettings;
    expected.insert(expected.begin() + 9, "TB3=Sonneborn");
    expected.insert(expected.begin() + 5, "Theme=dark");
    EXPECT_EQ(ReadTextLines(file_), expected);

    WriteTextLines(file_, {"[Empty]", "", "[Other]", "a=1"});
    IniWriteString(file_, "Empty", "k", "v");
    EXPECT_EQ(ReadTextLines(file_), (Lines{"[Empty]", "k=v", "", "[Other]", "a=1"}));
    WriteTextLines(file_, kSettings);
    IniWriteString(file_, "Window", "Left", "120");
    expected = kSettings;
    expected.push_back("[Window]");
    expected.push_back("Left=120");
    EXPECT_EQ(ReadTextLines(file_), expected);

    fs::path fresh = folder_ / "options.txt";
    IniWriteString(fresh, "Tournament", "MaxRound", "9");
    IniWriteString(fresh, "Tournament", "CurrentRound", "0");
    EXPECT_EQ(ReadTextLines(fresh), (Lines{"[Tournament]", "MaxRound=9", "CurrentRound=0"}));
}

TEST_F(IniFileTest, ValueWithLineBreaksCannotAddKeys) {
    WriteTextLines(file_, {"[S]", "Name=x"});
    IniWriteString(file_, "S", "Name", "evil\r\n[S]\nAdmin=true");
    EXPECT_EQ(ReadTextLines(file_).size(), 2u);
    EXPECT_EQ(IniReadString(file_, "S", "Admin"), "");
}

}  // namespace
}  // namespace veltrun
