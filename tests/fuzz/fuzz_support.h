#pragma once
// Shared pieces of the fuzz targets: the entry point, a private scratch folder
// per process, a session whose log goes to memory, a comparable picture of the
// players, and checks that stop the run with a message when a property fails.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "support/store_fixture.h"

// Defines libFuzzer's entry point; the body gets the input as `input` and returns nothing.
#define VELTRUN_FUZZ_TARGET                                                                      \
    static void FuzzOne(std::string_view input);                                                 \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {                    \
        FuzzOne(std::string_view(reinterpret_cast<const char*>(data), size));                    \
        return 0;                                                                                \
    }                                                                                            \
    static void FuzzOne(std::string_view input)

namespace veltrun::fuzz {

using testing::ReadBytes;
using testing::WriteBytes;

inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        auto p = std::filesystem::temp_directory_path() / ("veltrun-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(p);
        return p;
    }();
    return folder;
}

inline void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

// Runs f and tells whether it refused; no refusal without a message that names what was wrong.
template <typename F>
bool Refused(F&& f) {
    try { f(); } catch (const myException& e) {
        Require(std::string_view(e.what()).size() > 0, "refusal has a message");
        return true;
    }
    return false;
}

inline std::filesystem::path FreshTournamentFolder() {
    auto folder = ScratchFolder() / "home" / "Tourn" / "Cup";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

struct FuzzSession {
    testing::ScriptedUi ui;
    std::vector<std::string> log;
    Session session{ui, ScratchFolder() / "home"};
    FuzzSession() {
        session.log.SetCapture(&log);
        session.random.seed(1);
    }
};

// Every stored and replayed value of every player, one text per player.
inline std::vector<std::string> PlayerPicture(const Tournament& t) {
    std::vector<std::string> picture;
    for (int i = 1; i <= t.PlayerCount(); ++i) {
        const TPlayer& p = t.Player(i);
        picture.push_back(p.ArrivalID + "|" + p.Name + "|" + std::to_string(p.ELO) + "|" + p.FideID + "|" + p.NationalID + "|" +
                          p.TeamID + "|" + std::to_string(p.OnOff) + "|" + testing::Histories(p) + "|" + p.GoalsHistory + "|" +
                          std::to_string(p.GoalsFor) + ":" + std::to_string(p.GoalsAgainst) + "|" +
                          std::to_string(p.WhiteCount) + "/" + std::to_string(p.BlackCount));
    }
    return picture;
}

}  // namespace veltrun::fuzz
