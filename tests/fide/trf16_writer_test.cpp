// The TRF16 file: exact columns of a finished tournament, result letters,
// and fields that must never spill into the next column or leave the folder.
#include <gtest/gtest.h>

#include "fide/trf16_writer.h"
#include "fide_fixture.h"

namespace veltrun {
namespace {

using namespace veltrun::testing;

class Trf16WriterTest : public FideFixture {
protected:
    std::vector<std::string> Records(const std::string& file, const std::string& idKind = "fide") {
        std::vector<std::string> records;
        for (const auto& line : ReadTextLines(WriteTrf16File(session, file, idKind)))
            if (line.rfind("001", 0) == 0) records.push_back(line);
        return records;
    }
    fs::path TwoPlayers(const std::string& name, const std::string& options, const std::vector<std::string>& rounds) {
        fs::path folder = TournamentFolder(name);
        fs::create_directories(folder);
        WriteTextLines(folder / "options.txt", {"[Options]", "MaxRound=40", options});
        WriteTextLines(folder / "players.txt", {"1|B1|Иван ☃ O'Brien\tX|12345|123456789012345|", "1|B2|Two|1800|"});
        for (std::size_t r = 0; r < rounds.size(); ++r)
            WriteTextLines(folder / ("round" + std::to_string(r + 1) + ".txt"), {rounds[r]});
        return folder;
    }
};

TEST_F(Trf16WriterTest, FinishedTournamentMatchesTheHandWrittenFileAndNamesStayInsideTheFolder) {
    Open(WriteSmallTournament());
    fs::path file = WriteTrf16File(session, "open.trf", "fide");
    EXPECT_EQ(file, TournamentFolder("Open 2024") / "open.trf");
    EXPECT_EQ(ReadBytes(file), ReadBytes(fs::path(VELTRUN_SOURCE_DIR) / "tests/fide/expected/open2024_fide.trf"));
    EXPECT_TRUE(Logged("Make TRF16 file: open.trf"));
    const fs::path folder = TournamentFolder("Open 2024");
    for (std::string bad : {"", "../escape.trf", "sub/x.trf", "..", "a\\b.trf", "players.txt", "Round2.TXT",
                            "options.txt", "tournlog.log", "bak_round1.txt", "line\nbreak"}) {
        std::string message = ErrorOf([&] { WriteTrf16File(session, bad, "fide"); });
        EXPECT_EQ(message.rfind("The file name \"" + bad + "\" ([Reports] ShortFileNameTRF16) in the settings file", 0), 0u)
            << bad << ": " << message;
    }
    EXPECT_FALSE(fs::exists(folder.parent_path() / "escape.trf"));
    EXPECT_EQ(ReadTextLines(folder / "round2.txt")[0], "|0-1|||A2-A1");
    EXPECT_EQ(ErrorOf([&] { WriteTrf16File(session, "round2 copy.txt", "fide"); }), "");
}

TEST_F(Trf16WriterTest, ResultLettersAndNoFieldSpillsIntoTheNext) {
    Open(TwoPlayers("Three", "PointsType=3-1-0", {"|1-1|||B1-B2", "|0-3|||B2-B1", "|3K-0K|||B1-B2", "|?-?|||B2-B1"}));
    auto records = Records("three.trf");
    EXPECT_EQ(records[0].substr(80, 4) + "|" + records[0].substr(91), " 7.0|   2 w =     2 b 1     2 w +     2 b    ");
    EXPECT_EQ(records[1].substr(91), "   1 b =     1 w 0     1 b -     1 w    ");
    Open(TwoPlayers("Fresh", "", {}));  // before round 1 the records end after column 91
    for (const auto& record : Records("fresh.trf", "national")) EXPECT_EQ(record.size(), 91u);
    // Oversized or hostile values are capped or cut inside their own columns.
    Open(TwoPlayers("Wide", "PointsType=3-1-0", std::vector<std::string>(35, "|3-0|||B1-B2")));
    records = Records("wide.trf");
    for (const auto& record : records) {
        EXPECT_EQ(record.size(), 91u + 10u * 35u);
        for (char c : record) EXPECT_TRUE(c >= 32 && c < 127) << record;
    }
    // The rating is capped, not cut to 1234; 105.0 points lose the decimal, not the hundreds.
    EXPECT_EQ(records[0].substr(14, 33) + "|" + records[0].substr(48, 4) + "|" + records[0].substr(57, 11) + "|" +
                  records[0].substr(80, 4), "  O'BrienX" + std::string(23, ' ') + "|9999|12345678901| 105");
}

}  // namespace
}  // namespace veltrun
