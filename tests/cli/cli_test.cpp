// The command line as a director uses it: global options, exit codes, messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "support/cli_run.h"
#include "store/tournament_lock.h"
#include "support/store_fixture.h"
#include "support/temp_folder.h"

namespace veltrun::cli {
namespace {

using testing::CliRun;

CliRun RunVeltrun(std::vector<std::string> args) {
    std::ostringstream out, err;
    int code = RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(CommandLine, UsageErrorsExitWithTwo) {
    testing::TempFolder home;
    for (std::vector<std::string> args : {std::vector<std::string>{"no-such-command"}, {"info", "--bogus"},
                                          {"translate", "1", "2"}, {"translate", "abc"}}) {
        auto run = testing::RunCliIn(home, args);
        EXPECT_EQ(run.code, 2) << args[0];
        EXPECT_NE(run.err.find("Usage error:"), std::string::npos) << run.err;
    }
    EXPECT_EQ(RunVeltrun({"--home"}).code, 2);
    EXPECT_EQ(RunVeltrun({}).code, 2);
}

TEST(CommandLine, HelpAndVersion) {
    auto help = RunVeltrun({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("info"), std::string::npos);
    EXPECT_NE(help.out.find("translate ID"), std::string::npos);
    auto version = RunVeltrun({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.rfind("veltrun ", 0), 0u);
    testing::TempFolder home;
    auto commandHelp = RunVeltrun({"--home", home.str(), "translate", "--help"});
    EXPECT_EQ(commandHelp.code, 0);
    EXPECT_NE(commandHelp.out.find("Usage: veltrun translate ID"), std::string::npos);
}

TEST(CommandLine, InfoCreatesTheProgramFolder) {
    testing::TempFolder home;
    auto folder = home.path() / "new-home";
    auto info = RunVeltrun({"--home", folder.string(), "info"});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_TRUE(std::filesystem::exists(folder / "Veltrun.ini"));
    EXPECT_NE(info.out.find("Program folder: " + folder.string()), std::string::npos);
    EXPECT_NE(info.out.find("[Options] IsWriteAllowedToLogFile = True"), std::string::npos);
    EXPECT_NE(info.out.find("Language: English (built-in)"), std::string::npos);
}

// A value outside its range or form is a warning naming the key; the default
// is used and the settings file stays as it was. An empty file warns of nothing.
TEST(CommandLine, SettingsOutsideTheirRangeTakeTheDefault) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
        const char* shown;  // the line of "info"
    } cases[] = {
        {"Reports", "GoalsDivisionNumberOfDecimalPlaces", "100000", "[Reports] GoalsDivisionNumberOfDecimalPlaces = 1"},
        {"Reports", "GoalsInfinityAtDivisionByZero", "-1", "[Reports] GoalsInfinityAtDivisionByZero = 500"},
        {"Options", "SystemPrefixForAlias", "X|", "[Options] SystemPrefixForAlias = A"},
        {"Options", "SystemPrefixForAlias", "X-", "[Options] SystemPrefixForAlias = A"},
        {"Options", "Language", "../../x.txt", "Language: English (built-in)"},
        {"Options", "ByePoints", "lost", "[Options] ByePoints = asWin"},
        {"Options", "EloSearchMaxCountLines", "-5", "[Options] EloSearchMaxCountLines = 10"},
        {"Options", "IsWriteAllowedToLogFile", "no", "[Options] IsWriteAllowedToLogFile = True"},
        {"Reports", "HtmlCharset", "utf-8\"><script>", "[Reports] HtmlCharset = utf-8"},
        {"Reports", "EnhancedCharForDraw", "<b>", "[Reports] EnhancedCharForDraw = ½"},
        {"Reports", "TeamReport_TopNplayers", "0", "[Reports] TeamReport_TopNplayers = 1"},
        {"Reports", "StartListSortingType", "rating", "[Reports] StartListSortingType = 2"},
        {"FideRatingList", "DownloadUrl", "file:///etc/passwd", "[FideRatingList] DownloadUrl = https://"},
        {"FormMain", "Width", "-40", "[FormMain] Width = (designed placement)"},
        {"JaVaFo", "TimeoutSeconds", "0", "[JaVaFo] TimeoutSeconds = 300"},
    };
    for (const auto& c : cases) {
        testing::TempFolder home;
        const std::string ini = std::string("[") + c.section + "]\r\n" + c.key + "=" + c.value + "\r\n";
        testing::WriteBytes(home.path() / "Veltrun.ini", ini);
        auto info = testing::RunCliIn(home, {"info"});
        ASSERT_EQ(info.code, 0) << info.err;
        EXPECT_NE(info.out.find(c.shown), std::string::npos) << c.key << "=" << c.value << "\n" << info.out;
        EXPECT_NE(info.err.find(std::string("Warning: The setting [") + c.section + "] " + c.key + "=" + c.value +
                                " in the file " + (home.path() / "Veltrun.ini").string() + " is not allowed."),
                  std::string::npos)
            << info.err;
        EXPECT_EQ(testing::ReadBytes(home.path() / "Veltrun.ini"), ini);
    }
    testing::TempFolder home;
    testing::WriteBytes(home.path() / "Veltrun.ini", "");
    auto info = testing::RunCliIn(home, {"info"});
    EXPECT_EQ(info.err, "");
    EXPECT_NE(info.out.find("Language: English (built-in)"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("[Options] SystemPrefixForAlias = A"), std::string::npos) << info.out;
}

TEST(CommandLine, TranslateUsesTheChosenLanguage) {
    testing::TempFolder home;
    auto english = RunVeltrun({"--home", home.str(), "translate", "13"});
    ASSERT_EQ(english.code, 0) << english.err;
    EXPECT_EQ(english.out, "Pairing\n");
    std::filesystem::create_directories(home.path() / "Language");
    std::ofstream(home.path() / "Language" / "Test.txt") << "# test\r\n13|Paarung\r\n";
    auto german = RunVeltrun({"--home", home.str(), "--lang", "Test.txt", "translate", "13"});
    ASSERT_EQ(german.code, 0) << german.err;
    EXPECT_EQ(german.out, "Paarung\n");
    EXPECT_EQ(RunVeltrun({"--home", home.str(), "--lang", "Missing", "translate", "13"}).code, 2);
}

TEST(CommandLine, ArgumentParsing) {
    std::vector<OptionSpec> allowed{{"--rounds", true, ""}, {"--dry-run", false, ""}};
    CommandArgs args({"Name", "--rounds", "9", "--dry-run", "--", "--x"}, allowed);
    EXPECT_EQ(args.Positional(), (std::vector<std::string>{"Name", "--x"}));
    EXPECT_EQ(args.IntValue("--rounds", 0), 9);
    EXPECT_TRUE(args.Has("--dry-run"));
    CommandArgs inlineValue({"--rounds=7"}, allowed);
    EXPECT_EQ(inlineValue.IntValue("--rounds", 0), 7);
    EXPECT_THROW(CommandArgs({"--rounds"}, allowed), UsageError);
    EXPECT_THROW(CommandArgs({"--dry-run=1"}, allowed), UsageError);
    CommandArgs notNumber({"--rounds", "x"}, allowed);
    EXPECT_THROW(notNumber.IntValue("--rounds", 0), UsageError);
    // A negative number is an argument, not an option.
    CommandArgs negative({"-5"}, allowed);
    EXPECT_EQ(negative.Positional().at(0), "-5");
}

TEST(CommandLine, GlobalOptionsBeforeOrAfterTheCommand) {
    auto g = ParseGlobalOptions({"--home", "/h", "--no", "new", "X", "--yes", "--lang=Deutsch.txt", "--", "--no"});
    EXPECT_EQ(g.home, "/h");
    EXPECT_EQ(g.lang, "Deutsch.txt");
    ASSERT_TRUE(g.answer.has_value());
    EXPECT_TRUE(*g.answer);
    EXPECT_EQ(g.command, "new");
    EXPECT_EQ(g.rest, (std::vector<std::string>{"X", "--", "--no"}));
}

#ifdef VELTRUN_BINARY
// Without a terminal a question nobody answers changes nothing and says how to answer.
TEST(CommandLine, UnansweredQuestionSaysNothingChanged) {
    testing::TempFolder home;
    ASSERT_EQ(testing::RunBinaryIn(home, {"new", "Q", "--rounds", "3"}).code, 0);
    for (const char* name : {"Ann A", "Bob B"})
        ASSERT_EQ(testing::RunBinaryIn(home, {"add-player", "Q", "--name", name, "--elo", "1500"}).code, 0);
    auto unanswered = testing::RunBinaryIn(home, {"pair", "Q"});
    EXPECT_EQ(unanswered.code, 1);
    EXPECT_NE(unanswered.err.find("Information: Nothing was changed: answer with --yes or --no."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(home.path() / "Tourn" / "Q" / "round1.txt"));
    EXPECT_EQ(testing::RunBinaryIn(home, {"pair", "Q", "--yes"}).code, 0);
    EXPECT_TRUE(std::filesystem::exists(home.path() / "Tourn" / "Q" / "round1.txt"));
}
#endif

}  // namespace
}  // namespace veltrun::cli

namespace veltrun::cli {
namespace {

TEST(CommandLine, ASecondProcessCannotChangeALockedTournament) {
    testing::TempFolder home;
    auto folder = home.path() / "Tourn" / "Locked";
    std::filesystem::create_directories(folder);
    TournamentLock other;  // stands for another Veltrun process holding the folder
    ASSERT_TRUE(other.TryLock(folder));
    auto run = RunVeltrun({"--home", home.str(), "open", "Locked"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("Error: The tournament is in use by another Veltrun process."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "players.txt"));
    other.Unlock();
    TournamentLock again;
    EXPECT_TRUE(again.TryLock(folder));
}

}  // namespace
}  // namespace veltrun::cli
