// Crash safety: the real program is killed at random moments while it writes; every tournament file is then the old
// or the new version, never a mix, and the tournament still opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "support/cli_run.h"

namespace veltrun {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Files = std::map<std::string, std::string>;

// The log grows by appending and the temporary files of an interrupted write are not tournament files.
Files Snapshot(const std::filesystem::path& folder) { return testing::FolderFiles(folder, false); }

// Adding a player writes the file with the entrant appended, then in rating
// order: both are whole files with the same lines.
bool SameLines(const std::string& a, const std::string& b) {
    auto lines = [](const std::string& text) {
        std::vector<std::string> all;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) all.push_back(line);
        std::sort(all.begin(), all.end());
        return all;
    };
    return a.size() == b.size() && (b.empty() || b.back() == '\n') && lines(a) == lines(b);
}

class KillTest : public testing::CupCliTest {
protected:
    std::mt19937 random{20261206};
    int added = 0;
    bool suspended = false, forbidden = false;

    void SetUp() override {
        ASSERT_EQ(Run({"new", "Cup", "--rounds", "5", "--colour", "W"}), 0);
        for (int i = 1; i <= 8; ++i)
            ASSERT_EQ(Run({"add-player", "Cup", "--name", "Pl" + std::to_string(i) + " Smith", "--elo",
                           std::to_string(2400 - i * 10)}), 0);
        FreshRound();
    }
    std::filesystem::path RoundFile(int round) const { return Cup() / ("round" + std::to_string(round) + ".txt"); }
    int CurrentRound() const {
        int round = 1;
        while (std::filesystem::exists(RoundFile(round + 1))) ++round;
        return round;
    }
    void FreshRound() {
        std::string round = "# symbol ?-? must be replaced by valid result\r\n";
        for (int i = 1; i <= 4; ++i)
            round += "|?-?|||APl" + std::to_string(i) + "-APl" + std::to_string(i + 4) + "\r\n";
        // Every late entrant stands on a line of the round too.
        std::istringstream players(ReadBytes(Cup() / "players.txt"));
        for (std::string line; std::getline(players, line);)
            if (line.find("|ALate") != std::string::npos)
                round += "|0k-0k|||" + line.substr(2, line.find('|', 2) - 2) + "-stop\r\n";
        WriteBytes(Cup() / "round1.txt", round);
    }
    // The next writing command: a result, a late entrant, a suspension or a
    // restoration, a forbidden pair or its allowance.
    std::vector<std::string> NextCommand(int step) {
        switch (step % 3) {
            case 0: {
                // Results of the newest round; once it is complete, the next
                // round is paired; after the last round the tournament starts over.
                int current = CurrentRound();
                std::string round = ReadBytes(RoundFile(current));
                auto open = round.find("|?-?|||");
                if (open == std::string::npos && current < 5) return {"pair", "Cup"};
                if (open == std::string::npos) {
                    for (int r = 2; r <= 5; ++r) std::filesystem::remove(RoundFile(r));
                    FreshRound();
                    round = ReadBytes(RoundFile(1));
                    open = round.find("|?-?|||");
                }
                auto id = round.substr(open + 7, round.find('\r', open) - open - 7);
                const char* results[] = {"1-0", "0-1", "0.5-0.5"};
                return {"result", "Cup", id, results[(step / 3) % 3]};
            }
            case 1:
                return {"add-player", "Cup", "--name", "Late" + std::to_string(++added) + " Jones", "--elo", "1500"};
            default:
                if ((step / 3) % 2 == 0) {
                    suspended = !suspended;
                    return {suspended ? "delete-player" : "restore-player", "Cup", "APl3"};
                }
                forbidden = !forbidden;
                return {forbidden ? "forbid" : "allow", "Cup", "APl1", "APl2"};
        }
    }
    // The files the command line leaves when it runs to its end, from a copy.
    Files Finished(const std::vector<std::string>& args) {
        TempFolder copy;
        std::filesystem::create_directories(copy.path() / "Tourn");
        std::filesystem::copy(Cup(), copy.path() / "Tourn" / "Cup", std::filesystem::copy_options::recursive);
        testing::RunCliIn(copy, args);
        return Snapshot(copy.path() / "Tourn" / "Cup");
    }
};

TEST_F(KillTest, EveryFileIsTheOldOrTheNewVersionAfterSigkill) {
    // How long one run of the program takes here, to spread the kills over it.
    const auto start = std::chrono::steady_clock::now();
    testing::BinaryProcess(home.path(), {"--yes", "open", "Cup"}).Wait();
    const double runtime = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::uniform_real_distribution<double> delay(0.0, runtime * 1.3);
    // Up to 300 kills, fewer when the program is slow (sanitizers), to stay near
    // 20 s; VELTRUN_KILL_SECONDS and VELTRUN_KILL_MAX allow a longer run by hand.
    const char* seconds = std::getenv("VELTRUN_KILL_SECONDS");
    const char* most = std::getenv("VELTRUN_KILL_MAX");
    const int limit = most ? std::atoi(most) : 300;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds ? std::atoi(seconds) : 20);
    int changed = 0, kills = 0, pairings = 0;
    // A slow machine still goes on until at least one pairing was killed.
    for (int step = 0; step < limit && (step < 20 || pairings == 0 || std::chrono::steady_clock::now() < deadline);
         ++step, ++kills) {
        auto command = NextCommand(step);
        if (command[0] == "pair") ++pairings;
        Files before = Snapshot(Cup());
        std::vector<std::string> args = command;
        args.insert(args.begin(), "--yes");
        Files after = Finished(args);
        testing::BinaryProcess process(home.path(), args);
        std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long long>(delay(random) * 1000)));
        kill(process.Pid(), SIGKILL);
        process.Wait();

        Files now = Snapshot(Cup());
        for (const auto& [name, bytes] : now) {
            bool old = before.count(name) && before[name] == bytes;
            bool fresh = after.count(name) && (after[name] == bytes || (name == "players.txt" && SameLines(after[name], bytes)));
            ASSERT_TRUE(old || fresh) << name << " is neither version after " << command[0] << " (step " << step << ")";
        }
        for (const auto& [name, bytes] : before)
            ASSERT_TRUE(now.count(name) || !after.count(name)) << name << " vanished after " << command[0];
        if (now != before) ++changed;
        ASSERT_EQ(Run({"open", "Cup"}), 0) << "step " << step << ", " << command[0];
    }
    // The kills must land both before and after the writes, or the test proves little.
    EXPECT_GT(changed, 0);
    EXPECT_LT(changed, kills);
    EXPECT_GT(pairings, 0);
    std::printf("%d kills (%d while pairing), %d left a changed folder\n", kills, pairings, changed);
}

}  // namespace
}  // namespace veltrun
