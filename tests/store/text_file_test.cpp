#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "store/errors.h"
#include "store/text_file.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
protected:
    void TearDown() override { SimulateWriteFailureAfter(-1); }
    static void WriteRaw(const fs::path& file, const std::string& bytes) { testing::WriteBytes(file, bytes); }
    static std::string ReadRaw(const fs::path& file) { return testing::ReadBytes(file); }
    std::vector<std::string> FolderEntries() const { return testing::FolderEntries(folder_); }
    // Runs f, which must throw myException whose text contains every part.
    template <typename F>
    static void ExpectError(F f, std::initializer_list<std::string> parts) {
        try {
            f();
            ADD_FAILURE() << "no error";
        } catch (const myException& e) {
            for (const auto& part : parts) EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
        }
    }

    testing::TempFolder temp_;
    fs::path folder_ = temp_.path();
};

TEST(TextEncodingTest, Utf8ValidationRejectsIllFormedSequences) {
    EXPECT_TRUE(IsValidUtf8("Čapek Žďár 東京 \xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));      // overlong "/" in three bytes
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("ab\xC4"));            // cut off at the end
    EXPECT_FALSE(IsValidUtf8("\xC4z"));             // continuation missing
    EXPECT_FALSE(IsValidUtf8("\x8A" "af\xE1\xF8"));  // cp1250 "Šafář"
}

TEST(TextEncodingTest, Cp1250RoundTripsEveryMappedByteAndLinesAreDecoded) {
    for (int b = 0x20; b <= 0xFF; ++b) {
        std::string byte(1, static_cast<char>(b));
        std::string text = Cp1250ToUtf8(byte);
        EXPECT_TRUE(IsValidUtf8(text)) << b;
        if (text == "\xEF\xBF\xBD") {
            EXPECT_TRUE(b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) << b;
            continue;
        }
        EXPECT_EQ(Utf8ToCp1250(text), byte) << b;
    }
    EXPECT_EQ(Cp1250ToUtf8("\x8A" "af\xE1\xF8 \x80 \xB9\xE6"), "Šafář € ąć");
    EXPECT_EQ(DecodeLine("Dvořák"), "Dvořák");
    EXPECT_EQ(DecodeLine("Dvo\xF8\xE1k"), "Dvořák");
    // A cp1250 line that happens to hold a valid-looking pair stays cp1250 as a whole.
    EXPECT_EQ(DecodeLine("\xC4\x8D \xE8"), "ÄŤ č");
}

TEST_F(TextFileTest, ReadsMixedEncodingsAndLineEnds) {
    fs::path file = folder_ / "players.txt";
    WriteRaw(file, "\xEF\xBB\xBF" "1|A01|Dvořák\r\n1|A02|Dvo\xF8\xE1k\n\n  spaced  \r\ncr\ralone\r\rlast\r");
    EXPECT_EQ(ReadTextLines(file), (std::vector<std::string>{"1|A01|Dvořák", "1|A02|Dvořák", "", "  spaced  ", "cr",
                                                              "alone", "", "last"}));
    EXPECT_EQ(ReadTrimmedLines(file)[3], "spaced");
    // A CR LF split between two reads of the file is one line end.
    WriteRaw(file, std::string(65535, 'x') + "\r\ny\r");
    EXPECT_EQ(ReadTextLines(file), (std::vector<std::string>{std::string(65535, 'x'), "y"}));
}

TEST_F(TextFileTest, LineEndingsAtTheEndOfTheFile) {
    fs::path file = folder_ / "a.txt";
    WriteRaw(file, "one");
    EXPECT_EQ(ReadTextLines(file), (std::vector<std::string>{"one"}));
    WriteRaw(file, "one\r\n\r\n");
    EXPECT_EQ(ReadTextLines(file), (std::vector<std::string>{"one", ""}));
    WriteRaw(file, "\xEF\xBB\xBF");
    EXPECT_TRUE(ReadTextLines(file).empty());
    WriteRaw(file, "\xEF\xBB\xBF\xEF\xBB\xBF" "x");  // a repeated mark is no text either: it would not survive a rewrite
    EXPECT_EQ(ReadTextLines(file), (std::vector<std::string>{"x"}));
    WriteRaw(file, "a\n\xEF\xBB\xBF" "b");  // only the first line may carry the mark
    EXPECT_EQ(ReadTextLines(file), (std::vector<std::string>{"a", "\xEF\xBB\xBF" "b"}));
}

TEST_F(TextFileTest, UnreadableFilesAndOverlongLinesGiveAnErrorNamingThem) {
    fs::path missing = folder_ / "missing.txt";
    ExpectError([&] { ReadTextLines(missing); }, {missing.string(), "No such file"});
    ExpectError([&] { ReadTextLines(folder_); }, {folder_.string()});
    fs::path file = folder_ / "hostile.txt";
    const std::size_t mb = 1024 * 1024;
    WriteRaw(file, "a\nb\n" + std::string(mb, 'x') + "\r\nc\n");
    EXPECT_EQ(ReadTextLines(file).at(2).size(), mb);  // exactly 1 MB is still a line
    WriteRaw(file, "a\nb\n" + std::string(mb + 1, 'x') + "\nc\n");
    ExpectError([&] { ReadTextLines(file); }, {"Line 3", file.string()});
    WriteRaw(file, std::string(3 * mb, 'y'));  // no line end at all
    ExpectError([&] { ReadTextLines(file); }, {"Line 1", file.string()});
}

TEST_F(TextFileTest, WritesUtf8WithCrLfAndReadsItBack) {
    fs::path file = folder_ / "round1.txt";
    std::vector<std::string> lines = {"A01-A02|1-0", "", "Šafář|bye"};
    WriteTextLines(file, lines);
    EXPECT_EQ(ReadRaw(file), "A01-A02|1-0\r\n\r\nŠafář|bye\r\n");
    EXPECT_EQ(ReadTextLines(file), lines);
    WriteTextLines(file, {});
    EXPECT_EQ(ReadRaw(file), "");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"round1.txt"}));
}

TEST_F(TextFileTest, RewriteKeepsTheFilePermissions) {
    fs::path file = folder_ / "private.txt";
    WriteTextLines(file, {"x"});
    ::chmod(file.c_str(), 0600);
    WriteTextLines(file, {"y"});
    struct stat state {};
    ASSERT_EQ(::stat(file.c_str(), &state), 0);
    EXPECT_EQ(state.st_mode & 0777, 0600u);
}

TEST_F(TextFileTest, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    fs::path file = folder_ / "players.txt";
    WriteTextLines(file, {"1|A01|Old"});
    SimulateWriteFailureAfter(4);
    ExpectError([&] { WriteTextLines(file, {"1|A01|New", "1|A02|Other"}); }, {file.string(), "No space left"});
    EXPECT_EQ(ReadRaw(file), "1|A01|Old\r\n");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"players.txt"}));

    SimulateWriteFailureAfter(0);
    EXPECT_THROW(WriteFileAtomically(folder_ / "fresh.html", "<html>"), myException);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"players.txt"}));
}

TEST_F(TextFileTest, WriteAndAppendIntoAMissingFolderOrOverAFolderFail) {
    fs::path file = folder_ / "no such folder" / "options.txt";
    ExpectError([&] { WriteTextLines(file, {"[Tournament]"}); }, {file.string(), "No such file"});
    fs::path target = folder_ / "Tourn";
    fs::create_directories(target / "inside");
    ExpectError([&] { WriteFileAtomically(target, "data"); }, {target.string()});
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"Tourn"}));
    fs::path log = folder_ / "tournlog.log";
    EXPECT_TRUE(AppendTextLine(log, "first"));
    EXPECT_TRUE(AppendTextLine(log, "Šafář"));
    EXPECT_EQ(ReadRaw(log), "first\r\nŠafář\r\n");
    EXPECT_FALSE(AppendTextLine(folder_ / "missing" / "tournlog.log", "lost"));
    EXPECT_FALSE(AppendTextLine(folder_, "into a folder"));
}

}  // namespace
}  // namespace veltrun
