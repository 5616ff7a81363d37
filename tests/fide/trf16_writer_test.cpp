// The TRF16 file: exact columns of a finished tournament, the variants, and
// fields that must never spill into the next column.
#include <gtest/gtest.h>

#include "fide/trf16_writer.h"
#include "fide/tournament_file_names.h"
#include "fide_fixture.h"
#include "store/text_utils.h"

namespace veltrun {
namespace {

using testing::FideFixture;
using testing::ReadBytes;
namespace fs = std::filesystem;

class Trf16WriterTest : public FideFixture {
protected:
    std::vector<std::string> Lines(const fs::path& file) { return ReadTextLines(file); }
    std::vector<std::string> PlayerRecords(const fs::path& file) {
        std::vector<std::string> records;
        for (const auto& line : Lines(file))
            if (line.rfind("001", 0) == 0) records.push_back(line);
        return records;
    }
};

TEST_F(Trf16WriterTest, FinishedTournamentMatchesTheHandWrittenFile) {
    Open(WriteSmallTournament());
    fs::path file = WriteTrf16File(session, "open.trf", "fide");
    EXPECT_EQ(file, TournamentFolder("Open 2024") / "open.trf");
    EXPECT_EQ(ReadBytes(file), ReadBytes(fs::path(VELTRUN_SOURCE_DIR) / "tests/fide/expected/open2024_fide.trf"));
    EXPECT_NE(std::find(logged.begin(), logged.end(), "Make TRF16 file: open.trf"), logged.end());
}

TEST_F(Trf16WriterTest, NationalVariantCarriesNationalIdentifiers) {
    Open(WriteSmallTournament());
    auto records = PlayerRecords(WriteTrf16File(session, "national.trf", "national"));
    ASSERT_EQ(records.size(), 5u);
    std::vector<std::string> ids;
    for (const auto& r : records) ids.push_back(r.substr(57, 11));
    EXPECT_EQ(ids, (std::vector<std::string>{"       1001", "           ", "         77", "          4", "           "}));
}

TEST_F(Trf16WriterTest, EngineInputLeavesOutTheDateRecords) {
    Open(WriteSmallTournament());
    fs::path file = TournamentFolder("Open 2024") / "in.trf";
    WriteTrf16To(session, file, "fide", true);
    auto lines = Lines(file);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[2], "032 Federation");
    EXPECT_EQ(lines[3], "062 5");
    for (const auto& line : lines) EXPECT_NE(line.substr(0, 3), "042");
}

TEST_F(Trf16WriterTest, BeforeTheFirstRoundRecordsEndAfterColumn91) {
    fs::path folder = WriteSmallTournament("Fresh", 5);
    for (int r = 1; r <= 3; ++r) fs::remove(folder / ("round" + std::to_string(r) + ".txt"));
    Open(folder);
    for (const auto& record : PlayerRecords(WriteTrf16File(session, "fresh.trf", "fide"))) {
        EXPECT_EQ(record.size(), 91u) << record;
        EXPECT_EQ(record.substr(80, 4), " 0.0");
    }
}

// Hostile or oversized values are cut or capped inside their own columns,
// so every record keeps the same length and every later column its place.
TEST_F(Trf16WriterTest, NoFieldSpillsIntoTheNext) {
    fs::path folder = TournamentFolder("Wide");
    fs::create_directories(folder);
    WriteTextLines(folder / "options.txt", {"[Options]", "MaxRound=40", "PointsType=3-1-0"});
    WriteTextLines(folder / "players.txt",
                   {"1|X1|Иван Петров ☃ 名前|12345|\x01" "123456789012345|ŁódźÄ|", "1|X2|O'Brien\tTab|1500|12|4|"});
    for (int r = 1; r <= 35; ++r) {
        WriteTextLines(folder / ("round" + std::to_string(r) + ".txt"), {"|3-0|||X1-X2"});
    }
    Open(folder);
    auto records = PlayerRecords(WriteTrf16File(session, "wide.trf", "fide"));
    ASSERT_EQ(records.size(), 2u);
    for (const auto& record : records) {
        EXPECT_EQ(record.size(), 91u + 10u * 35u);
        for (char c : record) EXPECT_TRUE(c >= 32 && c < 127) << record;
    }
    EXPECT_EQ(records[0].substr(48, 4), "9999");           // a five-digit rating is capped, not cut to 1234
    EXPECT_EQ(records[0].substr(57, 11), "12345678901");  // control character dropped, then cut to 11
    EXPECT_EQ(records[0].substr(80, 4), " 105");           // 105.0 points lose the decimal, not the hundreds
    EXPECT_EQ(records[1].substr(14, 33), "O'BrienTab                       ");
    EXPECT_EQ(records[0].substr(91, 10), "   2 w 1  ");
}

TEST_F(Trf16WriterTest, ThreePointSystemAndForfeitLetters) {
    fs::path folder = TournamentFolder("Three");
    fs::create_directories(folder);
    WriteTextLines(folder / "options.txt", {"[Options]", "MaxRound=3", "PointsType=3-1-0"});
    WriteTextLines(folder / "players.txt", {"1|B1|One|1900||", "1|B2|Two|1800||"});
    WriteTextLines(folder / "round1.txt", {"|1-1|||B1-B2"});
    WriteTextLines(folder / "round2.txt", {"|0-3|||B2-B1"});
    WriteTextLines(folder / "round3.txt", {"|3K-0K|||B1-B2"});
    Open(folder);
    auto records = PlayerRecords(WriteTrf16File(session, "three.trf", "fide"));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].substr(91), "   2 w =     2 b 1     2 w +  ");
    EXPECT_EQ(records[1].substr(91), "   1 b =     1 w 0     1 b -  ");
    EXPECT_EQ(records[0].substr(80, 4), " 7.0");
}

TEST_F(Trf16WriterTest, GameWithoutResultKeepsItsPairingAndBlankResult) {
    fs::path folder = WriteSmallTournament("Running", 5);
    WriteTextLines(folder / "round4.txt", {"|?-?|||A1-A2", "|1-0|||A3-A4", "|0k-0k|||A5-stop"});
    Open(folder);
    auto records = PlayerRecords(WriteTrf16File(session, "running.trf", "fide"));
    EXPECT_EQ(records[0].substr(121), "   2 w    ");
    EXPECT_EQ(records[2].substr(121), "   4 w 1  ");
}

TEST_F(Trf16WriterTest, FileNamesFromTheSettingsStayInsideTheFolder) {
    fs::path folder = WriteSmallTournament();
    Open(folder);
    for (std::string bad : {"", "../escape.trf", "sub/x.trf", "..", "a\\b.trf", "players.txt", "Round2.TXT",
                            "options.txt", "tournlog.log", "bak_round1.txt", "line\nbreak"}) {
        std::string message = FailureOf([&] { WriteTrf16File(session, bad, "fide"); });
        EXPECT_NE(message.find("The file name \"" + bad + "\""), std::string::npos) << bad << ": " << message;
    }
    EXPECT_FALSE(fs::exists(folder.parent_path() / "escape.trf"));
    EXPECT_EQ(ReadTextLines(folder / "round2.txt")[0], "|0-1|||A2-A1");
    EXPECT_TRUE(IsPlainFileName("round2 copy.txt"));
    EXPECT_FALSE(IsTournamentOwnFile("round2 copy.txt"));
}

}  // namespace
}  // namespace veltrun
