// Text files as readers and writers meet them: encodings, line ends,
// byte-order marks, hostile sizes, and writes that fail (a full disk is met
// through the commands, see the reliability tests).
#include <gmock/gmock.h>
#include <sys/stat.h>

#include "store/text_file.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using namespace veltrun::testing;
using ::testing::AllOf;
using ::testing::HasSubstr;
using Lines = std::vector<std::string>;

TEST(TextEncodingTest, Utf8ValidationAndCp1250BothWaysAndLinesDecoded) {
    const std::vector<std::pair<std::string, bool>> cases{
        {"Čapek Žďár 東京 \xF0\x9F\x98\x80", true}, {"1234567\xC4\x8D across a word", true},
        {"\xF4\x8F\xBF\xBF", true},                 // U+10FFFF, the last
        {"\xC0\xAF", false}, {"\xE0\x80\xAF", false}, {"\xF0\x8F\xBF\xBF", false},  // overlong forms
        {"\xED\xA0\x80", false},                    // a surrogate
        {"\xF4\x90\x80\x80", false},                // beyond U+10FFFF
        {"ab\xC4", false}, {"\xC4z", false},        // cut off, continuation missing
        {"12345678\xC4", false},                    // after a word of ASCII
        {"\x8A" "af\xE1\xF8", false},               // cp1250 "Šafář"
    };
    for (const auto& [bytes, valid] : cases) EXPECT_EQ(IsValidUtf8(bytes), valid) << bytes;
    EXPECT_EQ(Cp1250ToUtf8("\x8A" "af\xE1\xF8 \x80 \xB9\xE6 \x81"), "Šafář € ąć \xEF\xBF\xBD");  // 0x81 is unused
    EXPECT_EQ(Utf8ToCp1250("Šafář € ąć 東 \xC4"), "\x8A" "af\xE1\xF8 \x80 \xB9\xE6 ? ?");
    EXPECT_EQ(DecodeLine("Dvořák") + DecodeLine("Dvo\xF8\xE1k"), "DvořákDvořák");
    // A cp1250 line that happens to hold a valid-looking pair stays cp1250 as a whole.
    EXPECT_EQ(DecodeLine("\xC4\x8D \xE8"), "ÄŤ č");
}

TEST(TextFileTest, ReadsMixedEncodingsLineEndsAndByteOrderMarks) {
    TempFolder temp;
    const std::vector<std::pair<std::string, Lines>> cases{
        {"\xEF\xBB\xBF" "1|A01|Dvořák\r\n1|A02|Dvo\xF8\xE1k\n\n  spaced  \r\ncr\ralone\r\rlast\r",
         {"1|A01|Dvořák", "1|A02|Dvořák", "", "  spaced  ", "cr", "alone", "", "last"}},
        {std::string(65535, 'x') + "\r\ny\r", {std::string(65535, 'x'), "y"}},  // a CR LF split between two reads
        {"one", {"one"}},
        {"one\r\n\r\n", {"one", ""}},
        {"\xEF\xBB\xBF", {}},
        {"\xEF\xBB\xBF\xEF\xBB\xBF" "x", {"x"}},  // a repeated mark would not survive a rewrite either
        {"a\n\xEF\xBB\xBF" "b", {"a", "\xEF\xBB\xBF" "b"}},  // only the first line may carry the mark
    };
    fs::path file = temp.path() / "players.txt";
    for (const auto& [bytes, lines] : cases) {
        WriteBytes(file, bytes);
        EXPECT_EQ(ReadTextLines(file), lines) << bytes;
    }
    WriteBytes(file, cases[0].first);
    EXPECT_EQ(ReadTrimmedLines(file), (Lines{"1|A01|Dvořák", "1|A02|Dvořák", "", "spaced", "cr", "alone", "", "last"}));
}

// Appending is met through the tournament log.
TEST(TextFileTest, WritesAndReadsThatFailNameTheFileAndWritesKeepItsMode) {
    TempFolder temp;
    const fs::path folder = temp.path();
    fs::path file = folder / "round1.txt";
    Lines lines = {"A01-A02|1-0", "", "Šafář|bye"};
    WriteTextLines(file, lines);
    EXPECT_EQ(ReadBytes(file), "A01-A02|1-0\r\n\r\nŠafář|bye\r\n");
    EXPECT_EQ(ReadTextLines(file), lines);
    ::chmod(file.c_str(), 0600);
    WriteTextLines(file, {});
    EXPECT_EQ(ReadBytes(file), "");
    struct stat state {};
    ASSERT_EQ(::stat(file.c_str(), &state), 0);
    EXPECT_EQ(state.st_mode & 0777, 0600u);

    fs::path lost = folder / "no such folder" / "options.txt", target = folder / "Tourn";
    EXPECT_THAT(ErrorOf([&] { WriteTextLines(lost, {"[Tournament]"}); }), AllOf(HasSubstr(lost.string()), HasSubstr("No such file")));
    fs::create_directories(target / "inside");
    EXPECT_THAT(ErrorOf([&] { WriteFileAtomically(target, "data"); }), HasSubstr(target.string()));
    EXPECT_TRUE(fs::is_directory(target / "inside"));
    EXPECT_EQ(FolderEntries(folder), (Lines{"Tourn", "round1.txt"}));
    // Unreadable files and overlong lines give an error naming them.
    fs::path missing = folder / "missing.txt", hostile = folder / "hostile.txt";
    EXPECT_THAT(ErrorOf([&] { ReadTextLines(missing); }), AllOf(HasSubstr(missing.string()), HasSubstr("No such file")));
    EXPECT_THAT(ErrorOf([&] { ReadTextLines(folder); }), HasSubstr(folder.string()));
    const std::size_t mb = 1024 * 1024;
    WriteBytes(hostile, "a\nb\n" + std::string(mb, 'x') + "\r\nc\n");
    EXPECT_EQ(ReadTextLines(hostile).at(2).size(), mb);  // exactly 1 MB is still a line
    WriteBytes(hostile, "a\nb\n" + std::string(mb + 1, 'x') + "\nc\n");
    EXPECT_THAT(ErrorOf([&] { ReadTextLines(hostile); }), AllOf(HasSubstr("Line 3"), HasSubstr(hostile.string())));
    WriteBytes(hostile, std::string(3 * mb, 'y'));  // no line end at all
    EXPECT_THAT(ErrorOf([&] { ReadTextLines(hostile); }), AllOf(HasSubstr("Line 1"), HasSubstr(hostile.string())));
}

}  // namespace
}  // namespace veltrun
