// The command line as a director uses it: global options, exit codes, messages.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "cli/arguments.h"
#include "store/tournament_lock.h"
#include "support/cli_run.h"
#include "support/store_fixture.h"

namespace veltrun::cli {
namespace {

// Every way to call a command wrongly, with its exit code and the reason given; none of them creates a tournament.
TEST(CommandLine, ExitCodesAndReasons) {
    testing::TempFolder home;
    testing::WriteBytes(home.path() / "Language" / "Test.txt", "# test\r\n13|Paarung\r\n");
    const struct { std::vector<std::string> args; int code; std::string part; } cases[] = {  // part: of out or err
        {{}, 2, "Usage:"},
        {{"--home"}, 2, "Option --home needs a value."},
        {{"no-such-command"}, 2, "Usage error:"},
        {{"info", "--bogus"}, 2, "Usage error: Unknown option --bogus."},
        {{"translate", "1", "2"}, 2, "Too many arguments."},
        {{"translate", "abc"}, 2, "ID must be a whole number"},
        {{"--lang", "Missing", "translate", "13"}, 2, "No language file \"Missing\""},
        {{"--help"}, 0, "translate ID"},
        {{"--version"}, 0, "veltrun "},
        {{"translate", "--help"}, 0, "Usage: veltrun translate ID"},
        {{"translate", "13"}, 0, "Pairing\n"},
        {{"--lang", "Test.txt", "translate", "13"}, 0, "Paarung\n"},
        {{"translate", "13", "--lang", "Test.txt"}, 0, "Paarung\n"},  // global options may follow the command,
        {{"translate", "--", "13", "--lang", "Test.txt"}, 2, "Too many arguments."},  // up to a "--", which ends options
        {{"translate", "--", "--x"}, 2, "ID must be a whole number"},
        {{"translate", "-5"}, 2, "ID must be a whole number"},  // a negative number is an argument
        {{"demo", "--players", "1"}, 2, "--players must be between 2 and 2000."},
        {{"demo", "--players", "6", "--rounds", "6"}, 2, "--rounds must be at least 1"},
        {{"demo", "--teams", "-1"}, 2, "--teams must be between 0"},
        {{"new", "Other"}, 2, "Missing option --rounds."},
        {{"new", "..", "--rounds", "3"}, 1, "Error:"},
        {{"new", "X", "--rounds", "3", "--tb", "BH,G1"}, 2, "Tie-break \"G1\" is not one of the Chess codes"},
        {{"new", "X", "--rounds", "3", "--colour", "Q"}, 2, "must be one of"},
        {{"new", "X", "--rounds", "3", "--points", "2-1-0"}, 2, "--points must be"},
        {{"new", "X", "--rounds=3.0"}, 1, "Error: Number of rounds must be a positive integer."},
        {{"open", "Missing"}, 1, "Error: There is no tournament of this name in the folder "},
        {{"open", (home.path() / "Language" / "Test.txt").string()}, 1, "Test.txt\" is not a tournament folder."},
        {{"pair"}, 2, "Missing argument."},
        {{"pair", "--dry-run=1", "X"}, 2, "Option --dry-run takes no value."},
        {{"round-report", "Cup", "two"}, 2, "R must be a round number"},
        {{"standings", "Cup", "--perf"}, 2, "--perf goes with --print."},
        {{"publish", "Cup", "--out"}, 2, "Option --out needs a value."},
        {{"players", "Cup", "--active", "--suspended"}, 2, "Give --active or --suspended, not both."},
        {{"convert-ratings", "-o", "x.txt"}, 2, "-o needs the XML file."},
        {{"search", "x", "--max", "0"}, 2, "--max needs a whole number of at least 1."},
        {{"search", "Zazadad"}, 1, ""},  // no rating file yet
        {{"import-trf", (home.path() / "missing.trf").string()}, 1, "missing.trf"},
    };
    for (const auto& c : cases) {
        auto run = testing::RunCliIn(home, c.args);
        const std::string shown = run.out + run.err;
        EXPECT_EQ(run.code, c.code) << (c.args.empty() ? "" : c.args[0]) << shown;
        EXPECT_NE(shown.find(c.part), std::string::npos) << c.part << "\n" << shown;
    }
    const auto tourn = home.path() / "Tourn";
    EXPECT_TRUE(!std::filesystem::exists(tourn) || std::filesystem::is_empty(tourn));
}

// A value outside its range or form is a warning naming the key; the default
// is used and the settings file stays as it was. An empty file warns of nothing.
TEST(CommandLine, SettingsOutsideTheirRangeTakeTheDefault) {
    const struct { const char *section, *key, *value, *shown; } cases[] = {  // shown: the line of "info"
        {"Reports", "GoalsDivisionNumberOfDecimalPlaces", "100000", "[Reports] GoalsDivisionNumberOfDecimalPlaces = 1"},
        {"Options", "SystemPrefixForAlias", "X|", "[Options] SystemPrefixForAlias = A"},
        {"Options", "Language", "../../x.txt", "Language: English (built-in)"},
        {"Reports", "HtmlCharset", "utf-8\"><script>", "[Reports] HtmlCharset = utf-8"},
        {"Reports", "HtmlCharset", "cp852", "[Reports] HtmlCharset = utf-8"},  // browsers do not know it
        {"Reports", "HtmlCharset", "utf-16", "[Reports] HtmlCharset = utf-8"},  // a page cannot declare it
        {"Reports", "HtmlCharset", "windows-125", "[Reports] HtmlCharset = utf-8"},
        {"Reports", "EnhancedCharForDraw", "<b>", "[Reports] EnhancedCharForDraw = ½"},
        {"FideRatingList", "DownloadUrl", "file:///etc/passwd", "[FideRatingList] DownloadUrl = https://"},
        {"FormMain", "Width", "-40", "[FormMain] Width = (designed placement)"},
        {"JaVaFo", "TimeoutSeconds", "0", "[JaVaFo] TimeoutSeconds = 300"},
        {"JaVaFo", "Command", "bbpPairings.exe --dutch {in}", "[JaVaFo] Command = java -ea -jar {jar} {in} -p {out}"},
        {"JaVaFo", "Command", "x {in} -p {out} {input}", "[JaVaFo] Command = java -ea"},
        {"JaVaFo", "Command", "\"x {in} -p {out}", "[JaVaFo] Command = java -ea"},
        {"JaVaFo", "Command", "{in} {out}", "[JaVaFo] Command = java -ea"},
    };
    for (const auto& c : cases) {
        testing::TempFolder home;
        const std::string ini = std::string("[") + c.section + "]\r\n" + c.key + "=" + c.value + "\r\n";
        testing::WriteBytes(home.path() / "Veltrun.ini", ini);
        auto info = testing::RunCliIn(home, {"info"});
        ASSERT_EQ(info.code, 0) << info.err;
        EXPECT_NE(info.out.find(c.shown), std::string::npos) << c.key << "=" << c.value << "\n" << info.out;
        const std::string warning = std::string("Warning: The setting [") + c.section + "] " + c.key + "=" + c.value +
                                    " in the file " + (home.path() / "Veltrun.ini").string() + " is not allowed.";
        EXPECT_NE(info.err.find(warning), std::string::npos) << info.err;
        EXPECT_EQ(testing::ReadBytes(home.path() / "Veltrun.ini"), ini);
    }
    testing::TempFolder home;
    testing::WriteBytes(home.path() / "Veltrun.ini", "");
    auto info = testing::RunCliIn(home, {"info"});
    EXPECT_EQ(info.err, "");
    EXPECT_NE(info.out.find("[Options] SystemPrefixForAlias = A"), std::string::npos) << info.out;
}

// Every command whose first argument is a tournament, as its usage says.
TEST(CommandLine, ASecondProcessCannotChangeALockedTournament) {
    testing::TempFolder home;
    auto folder = home.path() / "Tourn" / "Locked";
    std::filesystem::create_directories(folder);
    TournamentLock other;  // stands for another Veltrun process holding the folder
    ASSERT_TRUE(other.TryLock(folder));
    int commands = 0;
    for (const Command& command : CommandTable()) {
        if ((command.usage + " ").rfind(command.name + " T ", 0) != 0) continue;
        std::vector<std::string> args{command.name, "Locked"};
        args.resize(static_cast<size_t>(command.minPositional) + 1, "A1");
        auto run = testing::RunCliIn(home, args);
        EXPECT_EQ(run.code, 1) << command.name;
        EXPECT_NE(run.err.find("Error: The tournament is in use by another Veltrun process."), std::string::npos)
            << command.name << ": " << run.err;
        ++commands;
    }
    EXPECT_GE(commands, 17);
    EXPECT_FALSE(std::filesystem::exists(folder / "players.txt"));
    other.Unlock();
    TournamentLock again;
    EXPECT_TRUE(again.TryLock(folder));
}

// demo: a whole tournament played through, every report written, the same for the same seed.
TEST(CommandLine, DemoPlaysEveryRoundAndWritesEveryReportReproducibly) {
    testing::TempFolder home;
    const std::vector<std::string> demo = {"demo", "--players", "9", "--rounds", "3", "--seed", "11", "--teams", "2"};
    auto first = testing::RunCliIn(home, demo), second = testing::RunCliIn(home, demo);
    ASSERT_EQ(first.code + second.code, 0) << first.err << second.err;
    EXPECT_NE(second.err.find("Round 3/3 played"), std::string::npos);
    std::vector<std::string> lines;
    std::istringstream in(first.out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 1u + 1 + 3 + 2 + 1);  // tournament, start list, rounds, standings twice, teams
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_TRUE(std::filesystem::exists(lines[i])) << lines[i];
    const std::filesystem::path folder = std::filesystem::path(lines[1]).parent_path();
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(testing::ReadBytes(folder / ("round" + std::to_string(r) + ".txt")).find("?-?|"), std::string::npos);
    // Two demos in the same second get two folders; one seed gives one tournament.
    const std::string other = second.out.substr(second.out.find('\n') + 1);
    const auto otherFolder = std::filesystem::path(other.substr(0, other.find('\n'))).parent_path();
    EXPECT_NE(otherFolder, folder);
    auto standingsOf = [&](const std::filesystem::path& f) { return testing::RunCliIn(home, {"standings", f.string(), "--print"}).out; };
    EXPECT_EQ(standingsOf(folder), standingsOf(otherFolder));
}

// Commands start without Qt, which only the window loads, from a module beside the program; a program without a
// loadable module says why and shows the commands instead of the window.
TEST(CommandLine, OnlyTheWindowLoadsQt) {
#ifndef VELTRUN_HAS_GUI
    GTEST_SKIP() << "a build without the desktop program";
#endif
    testing::TempFolder home;
    auto run = [&](const std::filesystem::path& binary, const std::string& args) {  // exit code, stdout and stderr
        std::string command = "LD_DEBUG=libs QT_QPA_PLATFORM=offscreen '" + binary.string() + "' " + args + " 2>&1";
        std::string shown;
        FILE* pipe = popen(command.c_str(), "r");
        for (char part[4096]; size_t n = fread(part, 1, sizeof part, pipe);) shown.append(part, n);
        return std::pair{WEXITSTATUS(pclose(pipe)), shown};
    };
    const std::string inHome = "--home '" + home.str() + "' ";
    const struct { std::string args; bool qt; } cases[] = {
        {inHome + "--version", false}, {inHome + "translate 1", false}, {"--has-gui", true}};
    for (const auto& c : cases) {
        auto [code, shown] = run(VELTRUN_BINARY, c.args);
        EXPECT_EQ(code, 0) << c.args;
        EXPECT_EQ(shown.find("libQt6Core") != std::string::npos, c.qt) << c.args;
    }
    // A copy of the program without its module, then with a module that is no module.
    const auto copy = home.path() / "bin" / "veltrun", module = home.path() / "bin" / "veltrun-window.so";
    std::filesystem::create_directories(copy.parent_path());
    std::filesystem::copy_file(VELTRUN_BINARY, copy);
    for (const std::string reason : {"No such file or directory", "invalid ELF header"}) {
        auto [code, shown] = run(copy, inHome);
        EXPECT_EQ(code, 2);
        EXPECT_NE(shown.find("The desktop program could not be loaded: " + module.string() + ": "), std::string::npos);
        EXPECT_NE(shown.find(reason), std::string::npos) << reason;
        EXPECT_NE(shown.find("translate ID"), std::string::npos);
        EXPECT_EQ(run(copy, "--has-gui").first, 1);
        testing::WriteBytes(module, std::string(256, '#'));
    }
}

}  // namespace
}  // namespace veltrun::cli
