#pragma once
// Runs a whole command line in-process with --home set to a test folder.
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "support/temp_folder.h"

namespace veltrun::testing {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

inline CliRun RunCliIn(const TempFolder& home, std::vector<std::string> args) {
    args.insert(args.begin(), {"--home", home.str()});
    std::ostringstream out, err;
    int code = cli::RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

}  // namespace veltrun::testing
