// Pairing benchmarks: a large field over a whole tournament, a field without
// any pairing, and a late round with only few pairings left. Every pairing
// writes its full log to a file, as in use.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>

#include <unistd.h>

#include "app/command_pairing.h"
#include "store/session.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;

std::string Alias(int index) {
    std::string alias = "A";
    alias += std::to_string(index);
    return alias;
}

class SilentUi : public Ui {
public:
    Button ShowMessage(const MessageRequest& request) override { return request.default_button; }
    std::optional<int> Choose(const ChooserRequest&) override { return std::nullopt; }
    std::optional<fs::path> ChooseFile(const FileRequest&) override { return std::nullopt; }
    void SetBusy(bool) override {}
    bool Progress(long long, long long, const std::string&) override { return true; }
    void OpenReport(const fs::path&, const std::string&) override {}
    bool Idle() override { return true; }
};

// A tournament in memory whose folder (round files, log) is a fresh
// temporary folder.
class BenchTournament {
public:
    explicit BenchTournament(const std::string& name)
        : folder_(fs::temp_directory_path() / ("veltrun-bench-" + std::to_string(::getpid()) + name)),
          session(ui_, folder_) {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        Tournament& t = session.tournament;
        t.TournamentFolder = folder_.string();
        t.LogFileName = (folder_ / "tournlog.log").string();
        t.ColourFor1stPlayer.assign(1, 'W');
        t.MaxRound = 99;
        FillValidResults(t, "1- 0.5 -0");
        session.log.SetFile(folder_ / "tournlog.log");
        session.log.SetEnabled(true);
    }
    ~BenchTournament() {
        session.log.Flush();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    void AddPlayer(int index, const std::string& team) {
        TPlayer player;
        player.ArrivalID = Alias(index);
        player.Name = "Player " + player.ArrivalID;
        player.ELO = 2800 - index / 2;
        player.StartNo = index;
        player.OnOff = 1;
        player.TeamID = team;
        session.tournament.glob_ARRAY_PLAYERS.Add(player, "full");
    }

private:
    SilentUi ui_;
    fs::path folder_;

public:
    Session session;
};

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// 2000 players in 100 teams, team-mates never paired, eleven rounds with
// random results; the pairing of every round is timed, file and log included.
// The argument is the number of forbidden groups of two to five players
// spread over the whole field.
void BM_TwoThousandPlayersElevenRounds(benchmark::State& state) {
    for (auto _ : state) {
        BenchTournament b("large");
        for (int i = 1; i <= 2000; ++i) b.AddPlayer(i, "Team " + std::to_string(i % 100));
        b.session.settings.IsForbiddenMatchAgainstTeamMembers = true;
        std::mt19937 rng(2024);
        for (int g = 0; g < state.range(0); ++g) {
            std::vector<std::string> group;
            for (int size = 2 + static_cast<int>(rng() % 4); size > 0; --size) group.push_back(Alias(1 + static_cast<int>(rng() % 2000)));
            b.session.tournament.ForbiddenGroups.push_back(group);
        }
        const char* results[] = {"1-0", "0-1", "0.5-0.5", "1-0", "0-1"};
        double slowest = 0, total = 0;
        for (int round = 1; round <= 11; ++round) {
            auto start = std::chrono::steady_clock::now();
            std::optional<RoundPairing> pairing = PairRound(b.session, round);
            b.session.log.Flush();
            double seconds = Seconds(std::chrono::steady_clock::now() - start);
            if (!pairing) {
                state.SkipWithError("a round could not be paired");
                return;
            }
            slowest = std::max(slowest, seconds);
            total += seconds;
            Tournament& t = b.session.tournament;
            for (const RoundPair& pair : pairing->FileOrder()) {
                if (!IsAllDigits(pair.White) || !IsAllDigits(pair.Black)) continue;
                std::string id = t.Player(std::stoi(pair.White)).ArrivalID + "-" + t.Player(std::stoi(pair.Black)).ArrivalID;
                InsertGame(b.session, t, id, results[rng() % 5], "0:0", round);
            }
        }
        state.SetIterationTime(total);
        state.counters["slowest_round_s"] = slowest;
        state.counters["mean_round_s"] = total / 11;
    }
}
BENCHMARK(BM_TwoThousandPlayersElevenRounds)->Arg(0)->Arg(200)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

// Two teams with the team rule on: no pairing exists at all. With an odd
// field all four ways run.
void BM_TwoTeamsWithoutPairing(benchmark::State& state) {
    int second_team = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        BenchTournament b("teams");
        for (int i = 1; i <= 20 + second_team; ++i) b.AddPlayer(i, i <= 20 ? "North" : "South");
        b.session.settings.IsForbiddenMatchAgainstTeamMembers = true;
        state.ResumeTiming();
        bool paired = PairRound(b.session, 1).has_value();
        b.session.log.Flush();
        if (paired) state.SkipWithError("paired although no pairing exists");
    }
}
BENCHMARK(BM_TwoTeamsWithoutPairing)->Arg(22)->Arg(23)->Unit(benchmark::kMillisecond);

// A late round of a 200-player event: 199 active players of whom nine in ten
// have had the bye, each has met all but a handful of the others, and the
// colours run as they fell.
void BM_LateRoundFewPairingsLeft(benchmark::State& state) {
    const int players = 200;
    std::mt19937 rng(77);
    std::vector<std::vector<char>> may_meet(players + 1, std::vector<char>(players + 1, 0));
    std::vector<int> order(players - 1);
    for (int i = 0; i < players - 1; ++i) order[i] = i + 1;
    std::shuffle(order.begin(), order.end(), rng);
    // One complete pairing is planted; a few more pairs stay possible.
    for (int i = 0; i + 1 < players - 1; i += 2) may_meet[order[i]][order[i + 1]] = may_meet[order[i + 1]][order[i]] = 1;
    for (int extra = 0; extra < 2 * players; ++extra) {
        int a = 1 + static_cast<int>(rng() % (players - 1)), b = 1 + static_cast<int>(rng() % (players - 1));
        if (a != b) may_meet[a][b] = may_meet[b][a] = 1;
    }
    int leftover = order.back();
    for (auto _ : state) {
        state.PauseTiming();
        BenchTournament b("late");
        for (int i = 1; i <= players; ++i) b.AddPlayer(i, "");
        Tournament& t = b.session.tournament;
        t.Player(players).OnOff = 0;
        std::mt19937 colours(5);
        for (int i = 1; i <= players; ++i) {
            TPlayer& p = t.Player(i);
            for (int j = 1; j <= players; ++j) {
                if (j == i || may_meet[i][j]) continue;
                p.OpponentHistory += Alias(j) + "|";
                bool white = colours() % 2 == 0;
                p.ColourHistory += white ? "W|" : "B|";
                (white ? p.WhiteCount : p.BlackCount)++;
            }
            if (i != leftover && rng() % 10 != 0) {
                p.OpponentHistory += "bye|";
                p.ColourHistory += "|";
            }
            p.Points = static_cast<double>(colours() % 40) / 2;
        }
        state.ResumeTiming();
        bool paired = PairInMemory(t, b.session.settings, 150, SessionPairingLog(b.session)).has_value();
        b.session.log.Flush();
        if (!paired) state.SkipWithError("the planted pairing was not found");
    }
}
BENCHMARK(BM_LateRoundFewPairingsLeft)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veltrun
