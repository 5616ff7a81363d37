// A full disk during each kind of write: the command reports the failure and
// the old file stays as it was, byte for byte.
#include <gtest/gtest.h>

#include "store/errors.h"
#include "store/atomic_file.h"
#include "store/settings.h"
#include "support/cli_run.h"

namespace veltrun {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

class FullDisk : public testing::CupCliTest {
protected:
    void SetUp() override {
        MakeCup({"Ann Alpha", "Ben Beta", "Cid Gamma", "Dan Delta"});
        WriteBytes(Cup() / "round1.txt", "# round\r\n|?-?|||AAnn-ABen\r\n|?-?|||ACid-ADan\r\n");
        ASSERT_EQ(Run({"open", "Cup"}), 0) << err;
    }
    void TearDown() override { SimulateWriteFailureAfter(-1); }

    // The command fails on the full disk, naming the file, and leaves the file as it was; at every cut-off point,
    // from an empty temporary file to all but the end, and with every byte written when the sync before the rename
    // reports the full disk (as with delayed allocation).
    void ExpectRefusedAndIntact(const std::vector<std::string>& command, const std::filesystem::path& file) {
        std::string before = ReadBytes(file);
        for (long long cut : {0LL, 1LL, static_cast<long long>(before.size() / 2), 1LL << 40}) {
            SimulateWriteFailureAfter(cut);
            EXPECT_EQ(Run(command), 1) << command[0] << " at " << cut;
            SimulateWriteFailureAfter(-1);
            EXPECT_NE(err.find(file.string()), std::string::npos) << command[0] << " at " << cut << ": " << err;
            EXPECT_EQ(ReadBytes(file), before) << command[0] << " at " << cut;
            for (const auto& entry : std::filesystem::directory_iterator(file.parent_path()))
                EXPECT_NE(entry.path().filename().string().front(), '.') << "temporary file left: " << entry.path();
        }
        EXPECT_EQ(Run({"open", "Cup"}), 0) << err;
    }
};

TEST_F(FullDisk, ResultsPlayerChangesAndReportsKeepTheirFiles) {
    ExpectRefusedAndIntact({"result", "Cup", "AAnn-ABen", "1-0"}, Cup() / "round1.txt");
    EXPECT_EQ(Run({"result", "Cup", "AAnn-ABen", "1-0"}), 0) << "the disk has room again";
    // A late entrant's stop line is written first, players.txt after it.
    std::string players = ReadBytes(Cup() / "players.txt");
    ExpectRefusedAndIntact({"add-player", "Cup", "--name", "Eve Late", "--elo", "1400"}, Cup() / "round1.txt");
    EXPECT_EQ(ReadBytes(Cup() / "players.txt"), players);
    ExpectRefusedAndIntact({"delete-player", "Cup", "ADan"}, Cup() / "players.txt");
    ASSERT_EQ(Run({"delete-player", "Cup", "ADan"}), 0) << err;
    ExpectRefusedAndIntact({"restore-player", "Cup", "ADan"}, Cup() / "players.txt");
    ASSERT_EQ(Run({"start-list", "Cup"}), 0) << err;
    ExpectRefusedAndIntact({"start-list", "Cup"}, Cup() / "startlist.html");
}

TEST_F(FullDisk, RatingListConversionKeepsTheRatingFile) {
    auto xml = home.path() / "list.xml";
    auto list = [](const std::string& name) {
        return "<playerslist>\n<player>\n<fideid>5</fideid>\n<name>" + name + "</name>\n</player>\n</playerslist>\n";
    };
    WriteBytes(xml, list("Ann"));
    ASSERT_EQ(Run({"convert-ratings", xml.string()}), 0) << err;
    WriteBytes(xml, list("Ben"));
    ExpectRefusedAndIntact({"convert-ratings", xml.string()}, home.path() / "Elo" / "elo.txt");
}

TEST_F(FullDisk, SettingsWriteKeepsTheSettingsFile) {
    auto file = home.path() / "Veltrun.ini";
    ASSERT_TRUE(std::filesystem::exists(file));
    std::string before = ReadBytes(file);
    Settings settings = LoadSettings(file);
    SimulateWriteFailureAfter(10);
    EXPECT_THROW(SaveWindowPlacement(settings, 1, 2, 300, 400), myException);
    SimulateWriteFailureAfter(-1);
    EXPECT_EQ(ReadBytes(file), before);
}

}  // namespace
}  // namespace veltrun
