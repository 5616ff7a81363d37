#pragma once
// Runs a whole command line in-process with --home set to a test folder.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
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

inline std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file of a folder but the log, with its bytes: what a refusal must
// leave as it was.
inline std::map<std::string, std::string> FolderFiles(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename() != "tournlog.log") files[entry.path().filename().string()] = FileBytes(entry.path());
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

#ifdef VELTRUN_BINARY
// Runs the built program itself in its own process, with extra environment
// settings such as "LC_ALL=cs_CZ.UTF-8".
inline CliRun RunBinaryIn(const TempFolder& home, const std::vector<std::string>& args,
                          const std::vector<std::string>& environment = {}) {
    auto quote = [](const std::string& text) {
        std::string quoted = "'";
        for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return quoted + "'";
    };
    auto out = home.path() / ".stdout", err = home.path() / ".stderr";
    std::string command = "env";
    for (const auto& setting : environment) command += " " + quote(setting);
    command += " " + quote(VELTRUN_BINARY) + " --home " + quote(home.str());
    for (const auto& arg : args) command += " " + quote(arg);
    command += " </dev/null >" + quote(out.string()) + " 2>" + quote(err.string());
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileBytes(out), FileBytes(err)};
}
#endif

}  // namespace veltrun::testing
