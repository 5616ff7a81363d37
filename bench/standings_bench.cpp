// Standings of a large tournament: 2000 players, 11 rounds. Every tie-break,
// the standings order, and the standings report with player cards.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "reports/standings_report.h"
#include "standings/standings_order.h"
#include "standings/tie_breaks.h"
#include "store/session.h"
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

// Random pairings (repeats allowed) with results that favour the higher rating.
struct BigTournament {
    QuietUi ui;
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "veltrun-standings-bench";
    Session session{ui, folder};

    BigTournament() {
        std::filesystem::create_directories(folder);
        Tournament& t = session.tournament;
        t.TournamentFolder = folder.string();
        t.PointsType = "1- 0.5 -0";
        FillValidResults(t, t.PointsType);
        t.TB1 = "BH";
        t.TB2 = "SB";
        t.TB3 = "DiEnc";
        t.TB4 = "midBH";
        t.TB5 = "cWin";
        session.settings.StandingsCardsListName = "standings_cards";
        session.settings.HtmlSuffix = "html";
        std::mt19937 random(7);
        for (int i = 1; i <= Players; ++i) {
            TPlayer p;
            p.ArrivalID = std::string("P").append(std::to_string(i));
            p.Name = "Player Nr. " + std::to_string(i);
            p.ELO = 2700 - i / 2;
            p.OnOff = 1;
            t.glob_ARRAY_PLAYERS.Add(p, "full");
            t.Player(i).StartNo = i;
        }
        std::vector<int> order(Players);
        for (int r = 1; r <= Rounds; ++r) {
            t.CurrentRound = r;
            for (int i = 0; i < Players; ++i) order[i] = i + 1;
            std::shuffle(order.begin(), order.end(), random);
            for (int i = 0; i + 1 < Players; i += 2) {
                const int w = order[i], b = order[i + 1];
                const int roll = static_cast<int>(random() % 100) + (t.Player(w).ELO - t.Player(b).ELO) / 20;
                const char* result = roll > 60 ? "1-0" : roll > 30 ? "0.5-0.5" : "0-1";
                InsertGame(session, t, t.Player(w).ArrivalID + "-" + t.Player(b).ArrivalID, result, "0:0", r);
            }
        }
    }
};

BigTournament& Data() {
    static BigTournament data;
    return data;
}

void BM_AllThirteenTieBreaksAndOrder(benchmark::State& state) {
    Tournament& t = Data().session.tournament;
    const char* codes[] = {"BH", "midBH", "BHcut1", "DiEnc", "SB", "PS", "cWin", "cWinBl", "cBlack",
                           "G1", "-G2", "G1-G2", "G1/G2"};
    for (auto _ : state) {
        TieBreakCalculator calculator(t, {});
        double sum = 0;
        for (int i = 1; i <= t.PlayerCount(); ++i)
            for (const char* code : codes) sum += calculator.Value(i, code);
        ResetPlaces(t);
        ComputeAllTieBreaks(t, {});
        SortStandings(t);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_AllThirteenTieBreaksAndOrder)->Unit(benchmark::kMillisecond);

void BM_StandingsWithCardsReport(benchmark::State& state) {
    Session& session = Data().session;
    for (auto _ : state) {
        ComputeStandings(session);
        benchmark::DoNotOptimize(WriteStandingsReport(session, true));
    }
}
BENCHMARK(BM_StandingsWithCardsReport)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veltrun
