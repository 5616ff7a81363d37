#pragma once
// A whole demo tournament: generated players, every round paired and played
// with seeded random results, and every report written.
#include <filesystem>
#include <vector>

#include "app/command_reports.h"

namespace veltrun {

class Session;

struct DemoOptions {
    int players = 64;
    int rounds = 9;
    unsigned seed = 0;
    int teams = 0;  // 0: no teams
    OpenReports open = OpenReports::No;
};

struct DemoResult {
    bool done = false;  // false: a step was refused or failed (the reason was shown)
    std::filesystem::path folder;
    std::vector<std::filesystem::path> reports;
};

// Creates "Demo{YYYYMMDD-HHMMSS}" under Tourn/ and plays it through.
DemoResult RunDemo(Session& session, const DemoOptions& options);

}  // namespace veltrun
