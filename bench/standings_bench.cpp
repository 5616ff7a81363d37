// Standings of a large tournament: 2000 players, 11 rounds. Every tie-break,
// the standings order, and the standings report with player cards.
#include <benchmark/benchmark.h>

#include "big_tournament.h"
#include "reports/standings_report.h"
#include "standings/standings_order.h"
#include "standings/tie_breaks.h"

namespace veltrun {
namespace {

bench::BigTournament& Data() {
    static bench::BigTournament data({"veltrun-standings-bench"});
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
        ComputeStandings(session.tournament, GoalsQuotientRuleOf(session.settings));
        benchmark::DoNotOptimize(WriteStandingsReport(session, true));
    }
}
BENCHMARK(BM_StandingsWithCardsReport)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veltrun
