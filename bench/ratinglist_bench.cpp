// Rating list speed: conversion of a synthetic 1.2-million-player XML list in
// FIDE's layout against `wc -l` over the same file (in this process and by the
// program itself), loading elo.txt, searching
// it, and the command-line search against `grep -ci` over elo.txt.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "ratinglist/rating_lines.h"
#include "ratinglist/rating_search.h"
#include "ratinglist/xml_rating_list.h"

namespace {

namespace fs = std::filesystem;
using namespace veltrun;

constexpr int kPlayers = 1'200'000;
constexpr const char* kNoMatch = "zqxjv";

const char* const kSurnames[] = {"Müller", "Novák", "Dvořák", "Łukasiewicz", "Østergaard", "Šťastný", "Petrović",
                                 "Gonçalves", "Núñez", "Çelik", "Kovács", "Jürgens", "Smith", "Ivanov", "Nakamura",
                                 "O&apos;Neill", "Van den Berg", "Garcia", "Kowalski", "Nielsen", "Popescu", "Horváth"};
const char* const kFirstNames[] = {"Jürgen", "Anna", "Łukasz", "Zoë", "José", "Søren", "Ağca", "Jiří", "Peter",
                                   "Marie", "Ivan", "Élodie", "Tomáš", "John", "Ana", "Mihai"};
const char* const kCountries[] = {"GER", "CZE", "POL", "FRA", "ESP", "IND", "USA", "RUS", "NOR", "HUN", "TUR"};
const char* const kTitles[] = {"", "", "", "CM", "FM", "IM", "GM", "WFM", "WIM", "WGM"};

struct Data {
    fs::path folder;
    fs::path xml;
    fs::path home;
    fs::path elo;
    long long xmlBytes = 0;
};

template <std::size_t N>
const char* Pick(const char* const (&list)[N], std::mt19937& random) {
    return list[random() % N];
}

void WritePlayer(std::string& out, int i, std::mt19937& random) {
    out += "<player>\n";
    if (i % 1000 != 999) out += "<fideid>" + std::to_string(100000 + i * 7) + "</fideid>\n";
    out += std::string("<name>") + Pick(kSurnames, random) + ", " + Pick(kFirstNames, random) + "</name>\n";
    out += std::string("<country>") + Pick(kCountries, random) + "</country>\n";
    out += i % 4 == 0 ? "<sex>F</sex>\n" : "<sex>M</sex>\n";
    out += std::string("<title>") + Pick(kTitles, random) + "</title>\n";
    out += "<w_title></w_title>\n<o_title></o_title>\n<foa_title></foa_title>\n";
    int rating = 1000 + static_cast<int>(random() % 1800);
    out += "<rating>" + std::to_string(rating) + "</rating>\n<games>0</games>\n<k>40</k>\n";
    if (i % 5 != 0)
        out += "<rapid_rating>" + std::to_string(rating - 20) + "</rapid_rating>\n<rapid_games>3</rapid_games>\n<rapid_k>20</rapid_k>\n";
    if (i % 7 != 0)
        out += "<blitz_rating>" + std::to_string(rating - 40) + "</blitz_rating>\n<blitz_games>0</blitz_games>\n<blitz_k>20</blitz_k>\n";
    if (i % 17 != 0) out += "<birthday>" + std::to_string(1940 + random() % 70) + "</birthday>\n";
    out += i % 3 == 0 ? "<flag>i</flag>\n" : "<flag></flag>\n";
    out += "</player>\n";
}

Data MakeData() {
    Data d;
    d.folder = fs::temp_directory_path() / ("veltrun-ratinglist-bench-" + std::to_string(getpid()));
    d.home = d.folder / "home";
    fs::create_directories(d.home / "Elo");
    d.xml = d.folder / "players_list_xml_foa.xml";
    d.elo = d.home / "Elo" / "elo.txt";
    std::FILE* f = std::fopen(d.xml.c_str(), "wb");
    std::mt19937 random(20240601);
    std::string chunk = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<playerslist>\n";
    for (int i = 0; i < kPlayers; ++i) {
        WritePlayer(chunk, i, random);
        if (chunk.size() > (1 << 20)) {
            std::fwrite(chunk.data(), 1, chunk.size(), f);
            chunk.clear();
        }
    }
    chunk += "</playerslist>\n";
    std::fwrite(chunk.data(), 1, chunk.size(), f);
    std::fclose(f);
    d.xmlBytes = static_cast<long long>(fs::file_size(d.xml));
    return d;
}

const Data& TheData() {
    static Data data = MakeData();
    return data;
}

struct Cleanup {
    ~Cleanup() {
        std::error_code ec;
        fs::remove_all(fs::temp_directory_path() / ("veltrun-ratinglist-bench-" + std::to_string(getpid())), ec);
    }
} cleanup;

long ReadStatusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::string(key).size());
    return 0;
}

// Resets the peak resident size, so the next peak is the conversion's own.
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

double CpuMs(int who) {
    rusage usage{};
    getrusage(who, &usage);
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Runs a shell command; the machine may be shared, so its CPU time is reported too.
void RunShell(benchmark::State& state, const std::string& command) {
    double before = CpuMs(RUSAGE_CHILDREN);
    for (auto _ : state)
        if (std::system(command.c_str()) != 0 && command.rfind("grep", 0) != 0) state.SkipWithError("command failed");
    state.counters["cpu_ms_per_run"] = (CpuMs(RUSAGE_CHILDREN) - before) / static_cast<double>(state.iterations());
}

void BM_WcLines(benchmark::State& state) {
    const Data& d = TheData();
    RunShell(state, "wc -l '" + d.xml.string() + "' > /dev/null");
    state.SetBytesProcessed(state.iterations() * d.xmlBytes);
}

double WallMs(const std::function<void()>& run) {
    auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Also times `wc -l` over the same file in the same run: speed_vs_wc_l is
// the conversion's speed as a share of its speed (the aim is 1/3 or more).
void Convert(benchmark::State& state, bool quick) {
    const Data& d = TheData();
    ConversionOptions options;
    options.allowQuickReader = quick;
    long long players = 0;
    ResetPeakMemory();
    long before = ReadStatusKb("VmRSS:");
    double convertMs = 0;
    for (auto _ : state) convertMs += WallMs([&] { players = ConvertXmlRatingFile(d.xml, d.elo, options); });
    long peak = ReadStatusKb("VmHWM:");
    std::string wc = "wc -l '" + d.xml.string() + "' > /dev/null";
    double wcMs = 0;  // the mean, as for the conversion
    for (int i = 0; i < 5; ++i) wcMs += WallMs([&] { benchmark::DoNotOptimize(std::system(wc.c_str())); }) / 5;
    state.SetBytesProcessed(state.iterations() * d.xmlBytes);
    state.counters["players"] = static_cast<double>(players);
    state.counters["peak_rss_growth_MB"] = static_cast<double>(peak - before) / 1024.0;
    state.counters["speed_vs_wc_l"] = wcMs / (convertMs / static_cast<double>(state.iterations()));
}

// The program as a director runs it, start and final sync included, against
// `wc -l`, taking turns so that both meet the same machine: times_wc_l is the
// ratio of the medians (the aim is 3.5 or less).
void BM_ConvertWithProgram(benchmark::State& state) {
    const Data& d = TheData();
    const std::string convert = std::string(VELTRUN_PROGRAM) + " --home '" + d.home.string() + "' convert-ratings '" +
                                d.xml.string() + "' > /dev/null 2>&1";
    const std::string wc = "wc -l '" + d.xml.string() + "' > /dev/null";
    std::vector<double> convertMs;
    std::vector<double> wcMs;
    for (auto _ : state) {
        convertMs.push_back(WallMs([&] { benchmark::DoNotOptimize(std::system(convert.c_str())); }));
        wcMs.push_back(WallMs([&] { benchmark::DoNotOptimize(std::system(wc.c_str())); }));
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    state.counters["program_ms"] = median(convertMs);
    state.counters["wc_l_ms"] = median(wcMs);
    state.counters["times_wc_l"] = median(convertMs) / median(wcMs);
}

void BM_ConvertXml(benchmark::State& state) { Convert(state, true); }
void BM_ConvertXmlExpatOnly(benchmark::State& state) { Convert(state, false); }

void BM_LoadRatingLines(benchmark::State& state) {
    const Data& d = TheData();
    if (!fs::exists(d.elo)) ConvertXmlRatingFile(d.xml, d.elo);
    std::size_t lines = 0;
    for (auto _ : state) {
        RatingLines ratingLines;
        ratingLines.AddFile("elo.txt", d.elo);
        lines = ratingLines.Size();
    }
    state.counters["lines"] = static_cast<double>(lines);
}

RatingLines& LoadedLines() {
    static RatingLines lines = [] {
        RatingLines l;
        const Data& d = TheData();
        if (!fs::exists(d.elo)) ConvertXmlRatingFile(d.xml, d.elo);
        l.AddFile("elo.txt", d.elo);
        return l;
    }();
    return lines;
}

void BM_SearchNoMatch(benchmark::State& state) {
    RatingLines& lines = LoadedLines();
    for (auto _ : state) benchmark::DoNotOptimize(SearchRatingLines(lines, kNoMatch, 10, true));
}

void BM_SearchAccentedName(benchmark::State& state) {
    RatingLines& lines = LoadedLines();
    for (auto _ : state) benchmark::DoNotOptimize(SearchRatingLines(lines, "Dvorak Zoe", 10, true));
}

void BM_CliSearch(benchmark::State& state) {
    const Data& d = TheData();
    if (!fs::exists(d.elo)) ConvertXmlRatingFile(d.xml, d.elo);
    double before = CpuMs(RUSAGE_SELF);  // both threads of the search
    for (auto _ : state) {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(cli::RunCli({"--home", d.home.string(), "search", kNoMatch}, out, err));
    }
    state.counters["cpu_ms_per_run"] = (CpuMs(RUSAGE_SELF) - before) / static_cast<double>(state.iterations());
}

void BM_GrepCi(benchmark::State& state) {
    const Data& d = TheData();
    if (!fs::exists(d.elo)) ConvertXmlRatingFile(d.xml, d.elo);
    RunShell(state, std::string("grep -ci ") + kNoMatch + " '" + d.elo.string() + "' > /dev/null");
}

}  // namespace

BENCHMARK(BM_WcLines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_ConvertWithProgram)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(9);
BENCHMARK(BM_ConvertXml)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_ConvertXmlExpatOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_LoadRatingLines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_SearchNoMatch)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SearchAccentedName)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliSearch)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_GrepCi)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
