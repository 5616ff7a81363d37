// Changes to the field of players: adding (also late), deleting, suspending
// and restoring, with the files and the model kept in step.
#include <gtest/gtest.h>

#include <unistd.h>

#include "app/command_players.h"
#include "pairing/player_changes.h"
#include "store/errors.h"
#include "store/field_error.h"
#include "store/open_tournament.h"
#include "store/settings.h"
#include "store/text_file.h"
#include "store/tournament.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

using namespace testing;

std::filesystem::path Running(StoreFixture& f, int rounds) {
    auto folder = f.Folder();
    WriteBytes(folder / "options.txt", "[Options]\nMaxRound=9\n");
    WriteBytes(folder / "players.txt", "1|A1|Ann|2400|||\n1|A2|Ben|2300|||\n1|A3|Cid|2200|||\n0|A4|Dan|2100|||\n");
    for (int r = 1; r <= rounds; ++r)
        WriteBytes(folder / ("round" + std::to_string(r) + ".txt"), "|1-0|||A1-A2\n|1k-0k|||A3-bye\n|0k-0k|||A4-stop\n");
    OpenTournament(f.session, folder);
    return folder;
}

AddPlayerFields Named(const std::string& name, const std::string& elo) { return {name, elo, "", "", ""}; }

// The field and the message of a refusal, or "".
std::string Refusal(StoreFixture& f, const AddPlayerFields& fields) {
    try { AddPlayer(f.session, fields); } catch (const FieldError& e) { return e.Field() + ": " + e.what(); }
    return "";
}

TEST(AddPlayer, GeneratedAliasesAlwaysLoadAgain) {
    const std::vector<std::string> nine = {"P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8", "P9"};
    std::vector<std::string> ten = nine;
    ten.back() = "P10";
    const struct { std::string prefix; bool numbers; std::vector<std::string> taken; std::string name, alias; } cases[] = {
        {"", false, {}, "Alpha Beta Gamma", "Alpha"}, {"", false, {"ALPHA"}, "Alpha Beta", "2"},
        {"", false, {}, "\xC4\x8C\x61pek Karel", "Capek"},  // Čapek
        {"", false, {}, "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD Petrov", "1"},  // Cyrillic first name
        {"", false, {}, "bye Bob", "1"}, {"", false, {}, "Stop Steve", "1"},
        {"A-", false, {}, "Ann Ash", "AAnn"}, {"A-", false, {"AAnn", "A2"}, "Ann Other", "A3"},
        {"P", true, nine, "X", "P10"}, {"P", true, ten, "X", "P10d1"},
        {"P", true, {"P1", "P2", "P3", "P4", "P5", "P6", "P7", "p10", "P10D1"}, "X", "P10d1d1"},
    };
    for (const auto& c : cases) {
        Settings s;
        s.SystemPrefixForAlias = c.prefix;
        s.ArrUseNumbersOnly = c.numbers;
        Tournament t;
        for (const auto& alias : c.taken) {
            TPlayer p;
            p.ArrivalID = alias, p.Name = "Name of " + alias;
            t.glob_ARRAY_PLAYERS.Add(p, "full");
        }
        EXPECT_EQ(GenerateArrivalID(t, s, c.name), c.alias) << c.name;
    }
}

TEST(AddPlayer, FieldChecksAndCleaning) {
    StoreFixture f;
    auto folder = Running(f, 0);
    std::string untouched = ReadBytes(folder / "players.txt");
    EXPECT_EQ(Refusal(f, Named("  ", "1")), "E_PLAYER: Player name must be entered.");
    EXPECT_EQ(Refusal(f, Named("||", "1")), "E_PLAYER: Player name must be entered.");
    EXPECT_EQ(Refusal(f, Named("Eve", " ")), "E_ELO: ELO must be entered.");
    EXPECT_EQ(ReadBytes(folder / "players.txt"), untouched);

    EXPECT_EQ(AddPlayer(f.session, {" Alpha-Beta|Gamma ", "0", " 12|34 ", "", "North"}), "Alpha");
    std::string written = ReadBytes(folder / "players.txt");
    EXPECT_EQ(written.substr(written.find("0|A4|")), "0|A4|Dan|2100|||\r\n1|Alpha|Alpha BetaGamma|0|1234||North\r\n");
    ASSERT_EQ(f.session.tournament.PlayerCount(), 5);
    EXPECT_EQ(std::pair(f.session.tournament.Player(5).StartNo, f.session.tournament.Player(5).OnOff), std::pair(5, 1));
    EXPECT_TRUE(f.Logged("Add player: Alpha BetaGamma|0|Alpha|1234||North|1."));
}

// A late entrant gets a "stop" line in every round so far: all files or none.
TEST(AddPlayer, LateEntrantGetsStopLinesOrNoFileChanges) {
    StoreFixture f;
    f.session.settings.SystemPrefixForAlias = "A";
    auto folder = Running(f, 3);
    auto files = [&folder] {
        std::string all;
        for (const char* name : {"players.txt", "round1.txt", "round2.txt", "round3.txt"}) all += ReadBytes(folder / name);
        return all;
    };
    const std::string before = files();
    // The temporary file of round2.txt cannot be made: a later write fails.
    auto blocker = folder / (".round2.txt.tmp-" + std::to_string(getpid()));
    std::filesystem::create_directories(blocker / "inside");
    EXPECT_THROW(AddPlayer(f.session, Named("Zoe Zed", "2350")), myException);
    EXPECT_EQ(files(), before);
    EXPECT_EQ(f.session.tournament.PlayerCount(), 4);
    std::filesystem::remove_all(blocker);

    EXPECT_EQ(AddPlayer(f.session, Named("Zoe Zed", "2350")), "AZoe");
    for (int r = 1; r <= 3; ++r)
        EXPECT_EQ(ReadBytes(folder / ("round" + std::to_string(r) + ".txt")),
                  "|1-0|||A1-A2\r\n|1k-0k|||A3-bye\r\n|0k-0k|||A4-stop\r\n|0k-0k|||AZoe-stop\r\n") << r;
    // Reloaded: sorted in at her rating, three suspensions, no points; the file only gains her line at its end.
    const TPlayer& zoe = f.session.tournament.Player(2);
    EXPECT_EQ(zoe.ArrivalID + " " + zoe.OpponentHistory + " " + zoe.ColourHistory, "AZoe stop|stop|stop| |||");
    EXPECT_DOUBLE_EQ(zoe.Points, 0.0);
    EXPECT_DOUBLE_EQ(f.session.tournament.Player(1).Points, 3.0);
    std::string players = ReadBytes(folder / "players.txt");
    EXPECT_EQ(players.substr(players.size() - 26), "\r\n1|AZoe|Zoe Zed|2350|||\r\n");
}

// The file changed by hand since the opening: warned, and the line is still written.
TEST(PlayerChanges, SuspendWarnsOfAChangedFileAndAMissingLineChangesNothing) {
    StoreFixture f;
    auto folder = Running(f, 1);
    WriteBytes(folder / "players.txt", "# kept\n1|A1|Ann|2400|||\n1|A2|Ben|2300|||\n1|A3|Cid|2200|||\n1|A4|Dan|2100|||\n");
    ChangePlayerLine(f.session, "A4", PlayerAction::Suspend);
    EXPECT_EQ(f.ui.Texts(MessageKind::Warning).size(), 1u);
    const std::string after = ReadBytes(folder / "players.txt");
    EXPECT_EQ(after, "# kept\r\n1|A1|Ann|2400|||\r\n1|A2|Ben|2300|||\r\n1|A3|Cid|2200|||\r\n0|A4|Dan|2100|||\r\n");
    EXPECT_TRUE(f.Logged("Action [suspend] for player (A4) successfully completed (=write to file players.txt)."));
    // An alias without a line: the file stays and the model too.
    EXPECT_EQ(ErrorOf([&] { ChangePlayerLine(f.session, "Q9", PlayerAction::Restore); }),
              "Fatal error: line (for change) not found (Q9) in file players.txt");
    EXPECT_EQ(ReadBytes(folder / "players.txt"), after);
    EXPECT_TRUE(f.Logged("Fatal error: line (for change) was not found (Q9) in file players.txt"));
}

}  // namespace
}  // namespace veltrun
