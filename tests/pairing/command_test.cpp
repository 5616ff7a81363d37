// The pairing command on tournament folders: its checks in order, the round
// settings, the round file, and what a refusal or failure leaves behind.
#include <gtest/gtest.h>

#include "app/command_pairing.h"
#include "pairing/round_settings.h"
#include "store/errors.h"
#include "store/ini_file.h"
#include "store/open_tournament.h"
#include "store/text_file.h"
#include "support/store_fixture.h"

namespace veltrun::testing {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class PairingCommand : public ::testing::Test {
protected:
    // Five players A1..A5 (rated in that order) in a tournament of maxRound rounds.
    fs::path Tournament(int maxRound = 5, const std::string& players = "") {
        folder_ = f_.Folder();
        StoreFixture::WriteOptions(folder_, maxRound);
        WriteBytes(folder_ / "players.txt", players.empty() ? "1|A1|Ann|2500|||\n1|A2|Ben|2400|||\n1|A3|Cid|2300|||\n"
                                                              "1|A4|Dan|2200|||\n1|A5|Eve|2100|||\n"
                                                            : players);
        OpenTournament(f_.session, folder_);
        return folder_;
    }
    fs::path RoundFile(int round) const { return folder_ / ("round" + std::to_string(round) + ".txt"); }
    void Round(int round, const std::string& lines, bool reopen = false) {
        WriteBytes(RoundFile(round), lines);
        if (reopen) OpenTournament(f_.session, folder_);
        f_.ui.messages.clear();
    }
    std::string Text(int round) { return ReadBytes(RoundFile(round)); }
    std::optional<RoundPairing> Pair() {
        f_.ui.answers.push_back(Button::Yes);
        return PairNextRound(f_.session);
    }
    Texts Shown(MessageKind kind) const { return f_.ui.Texts(kind); }
    std::string Round2Players() { return IniReadString(folder_ / "options.txt", "Round2Settings", "NumberOfPlayers"); }

    StoreFixture f_;
    fs::path folder_;
};

// Players added by another process after the tournament was opened count.
TEST_F(PairingCommand, FirstRoundWritesTheRoundItsSettingsAndItsBackup) {
    fs::path players = Tournament(5, "1|A1|Ann|2500|||\n") / "players.txt";
    WriteBytes(players, ReadBytes(players) + "1|A2|Ben|2400|||\n1|A3|Cid|2300|||\n0|A4|Dan|2200|||\n1|A5|Eve|2100|||\n"
                                             "1|A6|Fay|2000|||\n");
    f_.session.settings.IsBackupRoundFiles = true;
    ASSERT_TRUE(Pair()) << f_.ui.messages.back().text;
    EXPECT_EQ(Text(1), Crlf({"# symbol ?-? must be replaced by valid result",
                             "# valid results are: 1-0 or 0-1 or 0.5-0.5 or 1k-0k or 0k-1k or 0k-0k or 0.5-0 or 0-0.5 "
                             "or 0-0",
                             "|?-?|Ann-Cid|1-3|A1-A3", "|?-?|Eve-Ben|5-2|A5-A2", "|1k-0k|Fay-bye|6-bye|A6-bye",
                             "|0k-0k|Dan-stop|4-stop|A4-stop"}));
    EXPECT_EQ(ReadBytes(folder_ / "bak_round1.txt"), Text(1));
    EXPECT_EQ(f_.session.tournament.CurrentRound, 1);
    EXPECT_EQ(f_.session.tournament.Player(6).OpponentHistory, "bye|");
    // Who was in the field; the section as a whole is checked by RoundSettingsReplaceKeysOfAnyCaseAndKeepOthers.
    const std::string options = ReadBytes(folder_ / "options.txt");
    for (const char* line : {"[Round1Settings]\r\n", "NumberOfPlayers=6\r\n", "Player4=A4|0\r\n", "Player6=A6|1\r\n"})
        EXPECT_NE(options.find(line), std::string::npos) << line;
    for (const std::string& line : {"Pairing options are written to file (" + (folder_ / "options.txt").string() + ").",
                                   std::string("StopPair is: 4-stop."), std::string("Backup file bak_round1.txt is created.")})
        EXPECT_TRUE(f_.Logged(line)) << line;
}

TEST_F(PairingCommand, RefusalsInTheirOrder) {
    Tournament(2, "1|A1|Ann|2500|||\n");
    EXPECT_FALSE(Pair());
    EXPECT_EQ(Shown(MessageKind::Warning), Texts{"The number of players is less than two."});
    Tournament(2);
    Round(1, "|?-?|||A1-A3\n|1-0|||A4-A2\n|1k-0k|||A5-bye\n", true);
    EXPECT_FALSE(Pair());
    EXPECT_EQ(Shown(MessageKind::Warning), Texts{"Some results have yet to be inserted. Use button for adding of results."});
    // Round 2 complete, round 1 not: the error lists the games of earlier rounds.
    Round(2, "|1-0|||A1-A2\n|0-1|||A3-A5\n|1k-0k|||A4-bye\n", true);
    EXPECT_FALSE(Pair());
    EXPECT_EQ(Shown(MessageKind::Error), Texts{"Fatal error detected. Some results of PREVIOUS rounds are missing. Error "
                                               "log: \nRound: 1, Board: 1, Game: A1-A3\n"});
    // A round file left over from an interrupted pairing: the reload refuses it.
    Round(1, "|0-1|||A1-A3\n|1-0|||A4-A2\n|1k-0k|||A5-bye\n");
    StoreFixture::WriteOptions(folder_, 9);
    fs::remove(RoundFile(2));
    OpenTournament(f_.session, folder_);
    Round(2, "");
    EXPECT_NE(ErrorOf([&] { Pair(); }).find("round2.txt: these players stand on no line of the round"),
              std::string::npos);
    EXPECT_EQ(Round2Players(), "");
    // A player on two lines of a round, edited by hand after opening.
    Round(1, "# comment\n|0-1|||A1-A3\n|1-0|||A4-A2\n|1k-0k|||A1-bye\n|1k-0k|||A5-bye\n");
    fs::remove(RoundFile(2));
    EXPECT_NE(ErrorOf([&] { Pair(); })
                  .find("round1.txt: Alias (A1) stands on more than one line of the round, on lines 2 and 4."),
              std::string::npos);
    EXPECT_FALSE(fs::exists(RoundFile(2)));
}

TEST_F(PairingCommand, ResultCorrectedByHandIsHonoured) {
    Tournament();
    Round(1, "|1-0|||A1-A3\n|1-0|||A4-A2\n|1k-0k|||A5-bye\n", true);
    Round(1, "|0-1|||A1-A3\n|1-0|||A4-A2\n|1k-0k|||A5-bye\n");  // changed by hand after opening
    std::optional<RoundPairing> pairing = Pair();
    ASSERT_TRUE(pairing);
    // A3, A4, A5 lead with a point each: A3 meets A4, A5 the leader of the others, A2 has the bye.
    EXPECT_EQ(f_.session.tournament.Player(3).Points, 1);
    EXPECT_EQ(pairing->PairList, (StringList{"2|bye", "5|1", "3|4"}));
}

TEST_F(PairingCommand, DefinitiveFailureWritesNoRoundFileButKeepsTheSettings) {
    Tournament(9, "1|A1|Ann|2500|||\n1|A2|Ben|2400|||\n");
    Round(1, "|1-0|||A1-A2\n", true);
    EXPECT_FALSE(Pair());
    EXPECT_FALSE(fs::exists(RoundFile(2)));
    EXPECT_EQ(f_.session.tournament.CurrentRound, 1);
    EXPECT_EQ(Shown(MessageKind::Error), Texts{"Pairing for round [2] cannot be assembled in any permissible way. It "
                                               "is recommended to end the tournament."});
    EXPECT_EQ(Round2Players(), "2");
}

TEST_F(PairingCommand, FailedWriteLeavesNoRoundAndNoBye) {
    Tournament();
    std::string colour = f_.session.tournament.ColourFor1stPlayer;
    SimulateWriteFailureAfter(20);
    EXPECT_THROW(PairRound(f_.session, 1), myException);
    EXPECT_FALSE(fs::exists(RoundFile(1)));
    EXPECT_EQ(f_.session.tournament.CurrentRound, 0);
    EXPECT_EQ(f_.session.tournament.Player(5).OpponentHistory, "");
    EXPECT_EQ(f_.session.tournament.ColourFor1stPlayer, colour);
}

// A section written earlier, with a key in other case and a stranger key: both stay where they are.
TEST_F(PairingCommand, RoundSettingsReplaceKeysOfAnyCaseAndKeepOthers) {
    Tournament();
    fs::path options = folder_ / "options.txt";
    WriteBytes(options, ReadBytes(options) + "\n[Round1Settings]\nnumberofplayers=3\nNote=kept\n[Round9Settings]\n");
    WriteRoundSettings(f_.session.tournament, f_.session.settings, 1, PairingLog());
    std::string text = ReadBytes(options);
    EXPECT_EQ(text.substr(text.find("[Round1")),
              Crlf({"[Round1Settings]", "numberofplayers=5", "Note=kept", "JaVaFoUsed=False", "SkipColourCondition=False",
                    "ForbiddenMatchAgainstTeamMembers=False", "Player1=A1|1", "Player2=A2|1", "Player3=A3|1",
                    "Player4=A4|1", "Player5=A5|1", "[Round9Settings]", ""}));
}

}  // namespace
}  // namespace veltrun::testing
