// Publishing a large tournament: 2000 players, 11 rounds, round files on
// disk; the standings order and the whole site, every player's page included,
// written and swapped into place.
#include <benchmark/benchmark.h>

#include <string>

#include "app/command_publish.h"
#include "big_tournament.h"

namespace veltrun {
namespace {

// Each run publishes into a folder of its own: ext4 is slow to hand out inodes
// freed within the last minute, and replacing the site again and again within
// seconds is not what happens between two rounds.
void BM_PublishWholeSite(benchmark::State& state) {
    static bench::BigTournament data({"veltrun-publish-bench", true, true});
    int run = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            PublishCommand(data.session, data.folder / ("site" + std::to_string(++run)), OpenReports::No));
}
BENCHMARK(BM_PublishWholeSite)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace veltrun
