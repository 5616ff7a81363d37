// Opening a tournament folder: options, players, the replay of the round
// files, and what a failed opening leaves behind.
#include <gtest/gtest.h>

#include "store/errors.h"
#include "store/open_tournament.h"
#include "store/options_file.h"
#include "store/tournament.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

using testing::Crlf;
using testing::ReadBytes;
using testing::StoreFixture;
using testing::WriteBytes;

// A small tournament as a director might have typed it: comments, blank
// lines, a blank around an alias, CRLF and LF mixed, players out of order.
void WriteHandMadeTournament(const std::filesystem::path& folder) {
    WriteBytes(folder / "options.txt",
               ";\r\n; my cup\r\n[Options]\r\nMaxRound=5\r\nColourFor1stPlayer=b\r\nPointsType=1- 0.5 -0\r\n"
               "TBsType=Chess\r\nTB1=BH\r\nTB2=bh\r\nTB3=SB\r\n");
    WriteBytes(folder / "players.txt",
               "# registered by hand\n\r\n1|C3|Carl Cole|2000|||North\r\n1| A1 |Anna Ash|2200|123||North\n   \n"
               "0|B2|Bob Bell|2100||N9|South\r\n1|D4|delta Dee|2000|||\n# the end");
    WriteBytes(folder / "round1.txt",
               "# symbol ?-? must be replaced by valid result\r\n# valid results are: 1-0 or 0-1\r\n"
               "|1-0|Anna Ash-Bob Bell|1-2|A1-B2\r\n|0.5-0.5|Carl Cole-delta Dee|3-4|C3-D4\r\n");
    WriteBytes(folder / "round2.txt",
               "|0-1|delta Dee-Anna Ash|4-1|D4-A1\n# a note in the middle\n\n  |1k-0k|Carl Cole-bye|3-bye|C3-bye  \n"
               "|0k-0k|Bob Bell-stop|2-stop|B2-stop\n");
    WriteBytes(folder / "round3.txt", "|?-?|||A1-C3\n|1k-0k|||D4-bye\n|0k-0k|||B2-stop\n");
}

TEST(OpenTournament, HandMadeFolderLoadsWithTheRightHistories) {
    StoreFixture f;
    auto folder = f.Folder();
    WriteHandMadeTournament(folder);
    OpenTournament(f.session, folder);
    const Tournament& t = f.session.tournament;

    EXPECT_EQ(t.CurrentRound, 3);
    EXPECT_EQ(t.ColourFor1stPlayer, "B");
    EXPECT_EQ(t.TB2, "-");  // case matters in tie-break codes
    ASSERT_EQ(t.PlayerCount(), 4);
    EXPECT_EQ(testing::Histories(t.Player(1)), "W|B| B2|D4| 1|1| 2");
    EXPECT_EQ(testing::Histories(t.Player(2)), "B||| A1|stop|stop| 0|0|0| 0");
    EXPECT_EQ(testing::Histories(t.Player(3)), "W|| D4|bye| 0.5|1| 1.5");
    EXPECT_EQ(t.Player(3).WhiteCount + t.Player(3).BlackCount, 1);  // the bye has no colour
    EXPECT_EQ(testing::Histories(t.Player(4)), "B|W|| C3|A1|bye| 0.5|0|1| 1.5");

    // Rating order in memory, equal ratings by name without regard to case;
    // every file stays as the director typed it.
    EXPECT_EQ(t.Player(3).ArrivalID + t.Player(4).ArrivalID, "C3D4");
    StoreFixture typed;
    WriteHandMadeTournament(typed.Folder());
    for (const auto& name : testing::FolderEntries(typed.Folder()))
        EXPECT_EQ(ReadBytes(folder / name), ReadBytes(typed.Folder() / name)) << name;
    EXPECT_TRUE(f.Logged("Opening tournament from folder (" + folder.string() + ") was successfully completed."));
    EXPECT_TRUE(f.ui.messages.empty());
}

TEST(OpenTournament, OptionsTakeTheirDefaultsAndRules) {
    StoreFixture f;
    auto folder = f.Folder();
    WriteBytes(folder / "players.txt", "");
    OpenTournament(f.session, folder);  // no options.txt at all
    const Tournament& t = f.session.tournament;
    EXPECT_EQ(t.MaxRound, 0);
    EXPECT_EQ(t.PointsType, "1- 0.5 -0");

    WriteBytes(folder / "options.txt",
               "[Options]\nMaxRound=-2\nColourFor1stPlayer=X\nPointsType=3-1-0\nTBsType=goals\nTB1=G1/G2\n");
    // Round files without a number of rounds: refused, naming options.txt and the key.
    WriteBytes(folder / "round1.txt", "|3-0|||A-B\n");
    std::string message = testing::ErrorOf([&] { OpenTournament(f.session, folder); });
    EXPECT_NE(message.find((folder / "options.txt").string() + " holds no valid number of rounds (key MaxRound"),
              std::string::npos)
        << message;
    std::filesystem::remove(folder / "round1.txt");
    OpenTournament(f.session, folder);
    EXPECT_EQ(f.session.tournament.MaxRound, -2);
    EXPECT_EQ(f.session.tournament.CurrentRound, 0);
    EXPECT_EQ(f.session.tournament.ColourFor1stPlayer, "W");
    EXPECT_EQ(f.session.tournament.TBsType, "Chess");
    EXPECT_EQ(f.session.tournament.TB1, "G1/G2");  // a Goals code is kept in a chess tournament
    EXPECT_DOUBLE_EQ(f.session.tournament.PointsForWin, 3.0);
    EXPECT_DOUBLE_EQ(f.session.tournament.PointsForDraw, 1.0);
}

TEST(OpenTournament, RandomColourIsDrawnAnewAtEachOpening) {
    StoreFixture f;
    auto folder = f.Folder();
    WriteBytes(folder / "options.txt", "[Options]\nMaxRound=3\nColourFor1stPlayer=r\n");
    WriteBytes(folder / "players.txt", "");
    bool sawWhite = false, sawBlack = false;
    for (int i = 0; i < 40; ++i) {
        OpenTournament(f.session, folder);
        sawWhite |= f.session.tournament.ColourFor1stPlayer == "W";
        sawBlack |= f.session.tournament.ColourFor1stPlayer == "B";
    }
    EXPECT_TRUE(sawWhite && sawBlack);
}

TEST(OpenTournament, RoundFilesItDoesNotReadAreReported) {
    StoreFixture f;
    auto folder = f.Folder();
    StoreFixture::WriteOptions(folder, 3);
    WriteBytes(folder / "players.txt", "1|A|Ann|1|||\n1|B|Ben|1|||\n");
    WriteBytes(folder / "round1.txt", "|1-0|||A-B\n");
    WriteBytes(folder / "round3.txt", "|0-1|||A-B\n");  // after a gap
    WriteBytes(folder / "round4.txt", "|0-1|||A-B\n");  // beyond MaxRound
    WriteBytes(folder / "bak_round2.txt", "|0-1|||A-B\n");
    OpenTournament(f.session, folder);
    EXPECT_EQ(f.session.tournament.CurrentRound, 1);
    EXPECT_DOUBLE_EQ(f.session.tournament.Player(1).Points, 1.0);
    auto warnings = f.ui.Texts(MessageKind::Warning);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find((folder / "round3.txt").string()), std::string::npos);
    EXPECT_NE(warnings[1].find((folder / "round4.txt").string()), std::string::npos);
    EXPECT_TRUE(f.Logged("Warning: " + warnings[0]));
}

TEST(OpenTournament, FailedOpeningKeepsThePreviousTournament) {
    StoreFixture f;
    auto good = f.Folder("Good");
    StoreFixture::WriteOptions(good, 5);
    WriteBytes(good / "players.txt", "1|A|Ann|1500|||\n1|B|Ben|1400|||\n");
    WriteBytes(good / "round1.txt", "|1-0|||A-B\n");
    OpenTournament(f.session, good);

    auto bad = f.Folder("Bad");
    StoreFixture::WriteOptions(bad, 5);
    WriteBytes(bad / "players.txt", "1|X|Xena|1800|||\n1|Y|Yuri|1700|||\n");
    WriteBytes(bad / "round1.txt", "|1-0|||X-Y\n|1-0|||X-Q\n");
    std::string message = testing::ErrorOf([&] { OpenTournament(f.session, bad); });
    EXPECT_NE(message.find("Alias (Q) not found"), std::string::npos) << message;
    EXPECT_NE(message.find((bad / "round1.txt").string() + ", line 2"), std::string::npos) << message;
    const Tournament& t = f.session.tournament;
    EXPECT_EQ(t.TournamentFolder, good.string());
    EXPECT_DOUBLE_EQ(t.Player(1).Points, 1.0);
    EXPECT_EQ(f.session.log.File(), good / "tournlog.log");

    // Without a previous tournament, none stays open.
    StoreFixture g;
    EXPECT_THROW(OpenTournament(g.session, g.home.path() / "Tourn" / "Missing"), myException);
    EXPECT_FALSE(g.session.HasTournament());
}

}  // namespace
}  // namespace veltrun
