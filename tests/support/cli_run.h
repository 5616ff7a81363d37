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

// Every file of a folder but the log, with its bytes: what a refusal must leave as it was. Without the
// temporary files (".name") of an interrupted write, what a reader takes for the tournament.
inline std::map<std::string, std::string> FolderFiles(const std::filesystem::path& folder, bool withTemporary = true) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        if (name != "tournlog.log" && (withTemporary || name.front() != '.')) files[name] = ReadBytes(entry.path());
    }
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

// A program folder with the tournament "Cup" made through the commands, run as a director who answers
// yes to every question.
class CupCliTest : public ::testing::Test {
protected:
    TempFolder home;
    std::string out, err;  // of the last run

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "--yes");
        auto run = RunCliIn(home, std::move(args));
        out = run.out, err = run.err;
        return run.code;
    }
    std::filesystem::path Cup() const { return home.path() / "Tourn" / "Cup"; }
    void MakeCup(const std::vector<std::string>& names) {
        ASSERT_EQ(Run({"new", "Cup", "--rounds", "3"}), 0) << err;
        for (const auto& name : names) ASSERT_EQ(Run({"add-player", "Cup", "--name", name, "--elo", "1500"}), 0) << err;
    }
};

}  // namespace veltrun::testing
