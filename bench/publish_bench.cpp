// Publishing a large tournament: 2000 players, 11 rounds, round files on
// disk; the standings order and the whole site, every player's page included,
// written and swapped into place.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/command_publish.h"
#include "store/round_file.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/tournament.h"

namespace veltrun {
namespace {

class QuietUi : public Ui {
public:
    Button ShowMessage(const MessageRequest& r) override { return r.default_button; }
    std::optional<int> Choose(const ChooserRequest& r) override { return r.preselected; }
    std::optional<std::filesystem::path> ChooseFile(const FileRequest&) override { return std::nullopt; }
    void SetBusy(bool) override {}
    bool Progress(long long, long long, const std::string&) override { return true; }
    void OpenReport(const std::filesystem::path&, const std::string&) override {}
    bool Idle() override { return true; }
};

constexpr int Players = 2000;
constexpr int Rounds = 11;

// Random pairings (repeats allowed) with results that favour the higher
// rating; every round also written as its round file.
struct BigTournament {
    QuietUi ui;
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "veltrun-publish-bench";
    Session session{ui, folder};

    BigTournament() {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        Tournament& t = session.tournament;
        t.TournamentFolder = folder.string();
        t.MaxRound = Rounds;
        t.PointsType = "1- 0.5 -0";
        FillValidResults(t, t.PointsType);
        t.TB1 = "BH";
        t.TB2 = "SB";
        t.TB3 = "DiEnc";
        t.TB4 = "midBH";
        t.TB5 = "cWin";
        std::mt19937 random(7);
        for (int i = 1; i <= Players; ++i) {
            TPlayer p;
            p.ArrivalID = std::string("P").append(std::to_string(i));
            p.Name = "Player Nr. " + std::to_string(i);
            p.ELO = 2700 - i / 2;
            p.OnOff = 1;
            p.TeamID = "Club " + std::to_string(i % 50);
            t.glob_ARRAY_PLAYERS.Add(p, "full");
            t.Player(i).StartNo = i;
        }
        std::vector<int> order(Players);
        for (int r = 1; r <= Rounds; ++r) {
            t.CurrentRound = r;
            for (int i = 0; i < Players; ++i) order[i] = i + 1;
            std::shuffle(order.begin(), order.end(), random);
            std::vector<std::string> lines;
            for (int i = 0; i + 1 < Players; i += 2) {
                const int w = order[i], b = order[i + 1];
                const int roll = static_cast<int>(random() % 100) + (t.Player(w).ELO - t.Player(b).ELO) / 20;
                const char* result = roll > 95 ? "1k-0k" : roll > 60 ? "1-0" : roll > 30 ? "0.5-0.5" : "0-1";
                const std::string game = t.Player(w).ArrivalID + "-" + t.Player(b).ArrivalID;
                InsertGame(session, t, game, result, "0:0", r);
                lines.push_back(std::string("|") + result + "|||" + game);
            }
            WriteTextLines(RoundFilePath(folder, r), lines);
        }
    }
};

// Each run publishes into a folder of its own: ext4 is slow to hand out inodes
// freed within the last minute, and replacing the site again and again within
// seconds is not what happens between two rounds.
void BM_PublishWholeSite(benchmark::State& state) {
    static BigTournament data;
    int run = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            PublishCommand(data.session, data.folder / ("site" + std::to_string(++run)), OpenReports::No));
}
BENCHMARK(BM_PublishWholeSite)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace veltrun
