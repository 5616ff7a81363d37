#pragma once
// Runs a whole command line in-process with --home set to a test folder.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "support/binary_run.h"

namespace veltrun::testing {

struct CliRun { int code; std::string out, err; };

inline CliRun RunCliIn(const TempFolder& home, std::vector<std::string> args) {
    args.insert(args.begin(), {"--home", home.str()});
    std::ostringstream out, err;
    int code = cli::RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

// Every file of a folder but the log, with its bytes: what a refusal must
// leave as it was.
inline std::map<std::string, std::string> FolderFiles(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename() != "tournlog.log") files[entry.path().filename().string()] = ReadBytes(entry.path());
    return files;
}

// A test with a program folder of its own, running command lines in it.
class CliTest : public ::testing::Test {
protected:
    TempFolder home;
    CliRun Run(std::vector<std::string> args) { return RunCliIn(home, std::move(args)); }
    std::filesystem::path Folder(const std::string& name) const { return home.path() / "Tourn" / name; }
    std::map<std::string, std::string> Snapshot(const std::string& name) const { return FolderFiles(Folder(name)); }
};

}  // namespace veltrun::testing
