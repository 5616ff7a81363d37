// A tournament folder as a director meets it: typed by hand, written by the
// program or damaged. Options, players, rounds and forbidden pairs are read,
// a bad file stops the opening naming its line, and files are rewritten only
// where a command must.
#include <gmock/gmock.h>

#include "store/open_tournament.h"
#include "store/players_file.h"
#include "store/round_file.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

using namespace veltrun::testing;
using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
namespace fs = std::filesystem;

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
    // Round files it does not read: after a gap, beyond MaxRound, a backup.
    for (const char* name : {"round5.txt", "round6.txt", "bak_round2.txt"}) WriteBytes(folder / name, "|0-1|||A1-B2\n");
    OpenTournament(f.session, folder);
    const Tournament& t = f.session.tournament;

    EXPECT_EQ(t.CurrentRound, 3);
    EXPECT_EQ(t.ColourFor1stPlayer, "B");
    EXPECT_EQ(t.TB2, "-");  // case matters in tie-break codes
    ASSERT_EQ(t.PlayerCount(), 4);
    const char* histories[] = {"W|B| B2|D4| 1|1| 2", "B||| A1|stop|stop| 0|0|0| 0", "W|| D4|bye| 0.5|1| 1.5",
                               "B|W|| C3|A1|bye| 0.5|0|1| 1.5"};
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(Histories(t.Player(i)), histories[i - 1]);
    EXPECT_EQ(t.Player(3).WhiteCount + t.Player(3).BlackCount, 1);  // the bye has no colour

    // Rating order in memory, equal ratings by name without regard to case;
    // every file stays as the director typed it.
    EXPECT_EQ(t.Player(3).ArrivalID + t.Player(4).ArrivalID, "C3D4");
    StoreFixture typed;
    WriteHandMadeTournament(typed.Folder());
    for (const auto& name : FolderEntries(typed.Folder()))
        EXPECT_EQ(ReadBytes(folder / name), ReadBytes(typed.Folder() / name)) << name;
    ASSERT_EQ(f.ui.messages.size(), 2u);
    EXPECT_THAT(f.ui.Texts(MessageKind::Warning),
                ElementsAre(HasSubstr((folder / "round5.txt").string()), HasSubstr((folder / "round6.txt").string())));
}

TEST(OpenTournament, OptionsTakeTheirDefaultsTheRandomColourIsDrawnAndAFailedOpeningKeepsThePrevious) {
    StoreFixture f;
    auto folder = f.Folder();
    const Tournament& t = f.session.tournament;
    WriteBytes(folder / "players.txt", "");
    OpenTournament(f.session, folder);  // no options.txt at all
    EXPECT_EQ(std::to_string(t.MaxRound) + t.PointsType, "01- 0.5 -0");

    WriteBytes(folder / "options.txt",
               "[Options]\nMaxRound=-2\nColourFor1stPlayer=X\nPointsType=3-1-0\nTBsType=goals\nTB1=G1/G2\n");
    OpenTournament(f.session, folder);
    EXPECT_EQ(std::to_string(t.MaxRound) + " " + std::to_string(t.CurrentRound), "-2 0");
    EXPECT_EQ(t.ColourFor1stPlayer + t.TBsType + " " + t.TB1, "WChess G1/G2");  // a Goals code is kept in chess
    EXPECT_EQ(std::make_pair(t.PointsForWin, t.PointsForDraw), std::make_pair(3.0, 1.0));

    WriteBytes(folder / "options.txt", "[Options]\nMaxRound=3\nColourFor1stPlayer=r\n");
    std::string seen;
    for (int i = 0; i < 40; ++i) {
        OpenTournament(f.session, folder);
        if (seen.find(t.ColourFor1stPlayer) == std::string::npos) seen += t.ColourFor1stPlayer;
    }
    EXPECT_TRUE(seen == "WB" || seen == "BW") << seen;

    // A failed opening keeps the previous tournament.
    auto good = f.Folder("Good");
    WriteHandMadeTournament(good);
    OpenTournament(f.session, good);

    auto bad = f.Folder("Bad");
    StoreFixture::WriteOptions(bad, 5);
    WriteBytes(bad / "players.txt", "1|X|Xena|1800|||\n1|Y|Yuri|1700|||\n");
    WriteBytes(bad / "round1.txt", "|1-0|||X-Y\n|1-0|||X-Q\n");
    std::string message = ErrorOf([&] { OpenTournament(f.session, bad); });
    EXPECT_THAT(message, AllOf(HasSubstr("Alias (Q) not found"), HasSubstr((bad / "round1.txt").string() + ", line 2")));
    EXPECT_EQ(t.TournamentFolder, good.string());
    EXPECT_DOUBLE_EQ(t.Player(1).Points, 2.0);
    EXPECT_EQ(f.session.log.File(), good / "tournlog.log");

    // Without a previous tournament, none stays open.
    StoreFixture g;
    EXPECT_THROW(OpenTournament(g.session, g.home.path() / "Tourn" / "Missing"), myException);
    EXPECT_FALSE(g.session.HasTournament());
}

std::string PlayersError(StoreFixture& f, const std::string& players) {
    WriteBytes(f.Folder() / "players.txt", players);
    Tournament t;
    return ErrorOf([&] { LoadPlayers(f.session, t, f.Folder() / "players.txt"); });
}

// The file is named once, with the line; a duplicate names both lines.
TEST(PlayersFile, EveryRefusalNamesTheFileAndTheLine) {
    StoreFixture f;
    const std::string in = " (in file " + (f.Folder() / "players.txt").string() + ", line ", fatal = "Fatal error. ";
    struct Case { std::string file, message, log; };
    const Case cases[] = {
        {"# h\n1|A|Ann|1|||\n1||Ben|1|||\n", fatal + "Empty ArrivalID was found" + in + "3).", "Empty ArrivalID was founded."},
        {"\n1| bye |Ben|1|||\n", fatal + "ArrivalID is bye" + in + "2).", "Fatal error. ArrivalID is bye."},
        {"1|stop|Ben|1|||\n", fatal + "ArrivalID is stop" + in + "1).", "Fatal error. ArrivalID is stop."},
        {"1|A-1|Ben|1|||\n", fatal + "ArrivalID (A-1) contains dash [-]" + in + "1).", "ArrivalID (A-1) contain dash"},
        {"1|A1|Ann|1|||\n#\n1|a1|Ben|1|||\n", fatal + "ArrivalID (a1) is not unique" + in + "3), the same as on line 1.",
         "Fatal error. ArrivalID (a1) is not unique."},
    };
    for (const Case& c : cases) {
        f.log.clear();
        EXPECT_EQ(PlayersError(f, c.file), c.message);
        EXPECT_TRUE(f.Logged(c.log)) << c.log;
    }
    EXPECT_EQ(PlayersError(f, "1|A|B|1|||\n"), "");
    std::string file = "#on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID\n";
    for (int i = 1; i <= 2001; ++i) file += "1|P" + std::to_string(i) + "|Player " + std::to_string(i) + "|1000|||\n";
    EXPECT_THAT(PlayersError(f, file), AllOf(StartsWith("The maximum number of players in a tournament is 2000."),
                                                        HasSubstr("line 2002")));
    file.resize(file.rfind("1|P2001"));
    EXPECT_EQ(PlayersError(f, file), "");
}

// Opening converts in memory and warns; a rewrite would replace what was typed,
// so it is refused naming file and line (through the commands, a wrong
// rating; here a line cut short).
TEST(PlayersFile, InvalidValuesAreConvertedInMemoryOnlyAndTheSortIsStable) {
    StoreFixture f;
    auto folder = f.Folder();
    const std::string typed = "1|A|Ann|2100.5|||\n2|B|Ben||||\n0|C|Cid|1500|||\n";
    WriteBytes(folder / "players.txt", typed);
    OpenTournament(f.session, folder);
    const Tournament& t = f.session.tournament;
    EXPECT_THAT(f.ui.Texts(MessageKind::Warning),
                ElementsAre(AllOf(StartsWith("Player (A) has invalid value at (fourth) field \"ELO\" (in file "),
                                  HasSubstr("Value \"2100.5\" was converted to 0.")),
                            ::testing::_, HasSubstr("(first) field \"on/off\"")));
    // Cid 1500, then Ann and Ben with 0 by name; Ben suspended by his on/off of 2.
    EXPECT_EQ(t.Player(1).ArrivalID + std::to_string(t.Player(1).OnOff) + t.Player(3).ArrivalID +
                  std::to_string(t.Player(3).OnOff), "C0B0");
    WriteBytes(folder / "players.txt", "1|D|Dan|1400|||\n1|AKovac\n" + typed);
    EXPECT_THAT(ErrorOf([&] { WritePlayersFileInRatingOrder(f.session, t, folder / "players.txt"); }),
                HasSubstr("Value \"\" (in file " + (folder / "players.txt").string() + ", line 2) cannot be read."));
    EXPECT_EQ(ReadBytes(folder / "players.txt"), "1|D|Dan|1400|||\n1|AKovac\n" + typed);

    // The sort is by rating, then name, and stable; the first pairing writes this order.
    WriteBytes(folder / "players.txt",
               "1|D|delta|2000|||\n1|X|Same|1800|||first\n1|A|Alpha|2000|||\n1|Y|same|1800|||second\n1|Z|Zed|2400|||\n");
    OpenTournament(f.session, folder);
    for (int i = 1; i <= t.PlayerCount(); ++i) EXPECT_EQ(t.Player(i).StartNo, i);
    WritePlayersFileInRatingOrder(f.session, t, folder / "players.txt");
    EXPECT_EQ(ReadBytes(folder / "players.txt"),
              Crlf({std::string(PlayersFileHeader), "1|Z|Zed|2400|||", "1|A|Alpha|2000|||", "1|D|delta|2000|||",
                    "1|X|Same|1800|||first", "1|Y|same|1800|||second"}));
}

// Four players A1..A4 (by rating), a chess or Goals tournament of five rounds.
std::filesystem::path FourPlayers(StoreFixture& f, const std::string& type = "Chess") {
    auto folder = f.Folder();
    WriteBytes(folder / "options.txt", "[Options]\nMaxRound=5\nColourFor1stPlayer=W\nTBsType=" + type + "\n");
    WriteBytes(folder / "players.txt",
               "1|A1|Ann|2400|||\n1|A2|Ben|2300|||\n1|A3|Cid|2200|||\n0|A4|Dan|2100|||\n");
    return folder;
}

// Every player stands on exactly one line of each round, played or not. An
// unknown alias is fatal even in a game without a result; a line with fewer
// than five fields has an empty first side. The file is named once.
TEST(RoundFile, EveryPlayerOnExactlyOneLineAndKnownAliases) {
    StoreFixture f;
    auto folder = FourPlayers(f);
    const std::string path = (folder / "round1.txt").string(), rest = "|1k-0k|||A3-bye\n|0k-0k|||A4-stop\n";
    const std::string file = "File " + path + ": ", in = " (in file " + path + ", line ";
    const std::string none = file + "these players stand on no line of the round: ", twice = " stands on more than one line of the round, on lines ";
    struct Case { std::string round, expected; } cases[] = {
        {"# c\n\n|1-0|||A1-A2\n|?-?|||A3-X9\n", "Fatal error. Alias (X9) not found in file players.txt." + in + "4)"},
        {"|1:0|||A1-A2\n", "Fatal error. Game (A1-A2) has not valid result (1:0)." + in + "1)"},
        {"|1-0|Ann-Ben\n", "Fatal error. Alias () not found in file players.txt." + in + "1)"},
        {"", none + "A1, A2, A3, A4. Every player stands on exactly one line of each round file; a player who did not play "
             "is written as |0k-0k|||ALIAS-stop (|0k-0k|||A1-stop)."},
        {"# header\n|1-0|||A1-A2\n|1k-0k|||A3-bye\n", none + "A4. "},  // last line removed
        {"|?-?|||A1-A2\n" + rest + "|1-0|||A1-bye\n", file + "Alias (A1)" + twice + "1 and 4."},
        {"|?-?|||A1-A2\n|?-?|||A3-A1\n|0k-0k|||A4-stop\n", file + "Alias (A1)" + twice + "1 and 2."},
        {"|1-0|||A1-A1\n|1k-0k|||A2-bye\n" + rest, file + "Alias (A1)" + twice + "1 and 1."},
        {"|1-0|||A1-A2\n|0-1|||A3-A2\n|0k-0k|||A4-stop\n", file + "Alias (A2)" + twice + "1 and 2."},
        {"|1-0|||A1-A2\n|1k-0k|||A3-bye\n|0-1|||A3-A4\n", file + "Alias (A3)" + twice + "2 and 3."},
    };
    for (const Case& c : cases) {
        WriteBytes(folder / "round1.txt", c.round);
        std::string message = ErrorOf([&] { OpenTournament(f.session, folder); });
        EXPECT_THAT(message, HasSubstr(c.expected)) << c.round;
        EXPECT_FALSE(f.session.HasTournament());
        if (c.expected.rfind("Fatal", 0) == 0) {  // the log words the others in its own way
            EXPECT_TRUE(f.Logged("Error: " + message)) << message;
        }
    }
    // Byes, stops and games with or without a result, each player once: accepted,
    // as is the stop line of an entrant whose registration was interrupted. A game
    // without a result is neither in the histories nor logged.
    f.log.clear();
    WriteBytes(folder / "round1.txt", "|?-?|||A1-A2\n" + rest + "|0k-0k|||Z9-stop\n");
    EXPECT_EQ(ErrorOf([&] { OpenTournament(f.session, folder); }), "");
    EXPECT_EQ(f.session.tournament.Player(1).OpponentHistory, "");
    EXPECT_FALSE(f.Logged("A1-A2"));
}

TEST(RoundFile, GameListCountsGameLinesAndSelectsMissingResults) {
    StoreFixture f;
    auto folder = FourPlayers(f);
    WriteBytes(folder / "round1.txt", "# header\n|1-0|||A1-A2|1,5:0,5\n|0-1|||A3-A4\n");
    WriteBytes(folder / "round2.txt",
               "# header\n|?-?|||A2-A1\n# a comment does not count\n\n|1k-0k|||A3-bye\n|?-?|||A4-stop\n");
    OpenTournament(f.session, folder);
    const Tournament& t = f.session.tournament;
    EXPECT_EQ(t.Player(1).GoalsHistory + DecimalText(t.Player(2).GoalsFor), "0:0|0");  // goals count in Goals tournaments only
    GameList round2 = BuildGameList(f.session, t, 2);
    ASSERT_EQ(round2.size(), 2u);
    EXPECT_EQ(round2[0].Text() + round2[1].Text(), "|2|1|?-?|A2-A1||2|3|?-?|A4-stop|");
    EXPECT_EQ(BuildGameList(f.session, t, -1).size(), 2u);
    EXPECT_TRUE(BuildGameList(f.session, t, 1).empty());

    std::filesystem::remove(folder / "round1.txt");
    EXPECT_EQ(ErrorOf([&] { BuildGameList(f.session, t, -1); }),
              "File not exist (" + (folder / "round1.txt").string() + ").");
}

// The layout, byes, stops and the backup are checked through the pairing
// command; here the goals read and written in a Goals tournament, and the bye
// that gives no points.
TEST(RoundFile, GoalsTournamentReadsGoalsAndItsNewRoundFileHasALostBye) {
    StoreFixture f;
    f.session.settings.ByePoints = "asLost";
    auto folder = FourPlayers(f, "Goals");
    WriteBytes(folder / "round1.txt", "|1-0|||A1-A2|1,5:0,5\n|0-1|||A3-A4\n");
    OpenTournament(f.session, folder);
    Tournament& t = f.session.tournament;
    EXPECT_EQ(t.Player(1).GoalsHistory + t.Player(3).GoalsHistory + DecimalText(t.Player(2).GoalsFor), "1.5:0.5|0:0|0.5");
    WriteNewRoundFile(f.session, t, 2, {{"1", "2"}, {"bye", "3"}, {"4", "stop"}});
    EXPECT_THAT(ReadBytes(folder / "round2.txt"), HasSubstr(Crlf({"|?-?|Ann-Ben|1-2|A1-A2|0:0", "|0k-0k|bye-Cid|bye-3|bye-A3|0:0",
                                                                "|0k-0k|Dan-stop|4-stop|A4-stop|0:0"})));
    EXPECT_FALSE(std::filesystem::exists(folder / "bak_round2.txt"));
    // The bye and the suspension are in the model at once; the game is not.
    EXPECT_EQ(t.Player(3).OpponentHistory + " " + t.Player(4).OpponentHistory + " " + t.Player(1).OpponentHistory, "A4|bye| A3|stop| A2|");
}

std::string GroupsText(const Tournament& t) {
    std::string text;
    for (const auto& group : t.ForbiddenGroups) {
        for (const auto& alias : group) text += alias + " ";
        text += "/";
    }
    return text;
}

TEST(ForbiddenFile, GoodDamagedAndHandEditedFiles) {
    // bytes "<none>", "<link>" (to players.txt) and "<dir>" stand for no file; groups
    // are the expected groups, or the part of the error.
    struct Case { const char* what; std::string bytes, groups; bool fails = false; };
    const std::string sane = "is not a plain file of a sane size.";
    const std::vector<Case> cases{
        {"missing", "<none>", ""}, {"as written", "# Players who must not meet\r\nA1 B2\r\nC3 Žó4 A1\r\n", "A1 B2 /C3 Žó4 A1 /"},
        {"hand-edited", "\xEF\xBB\xBF# kids\n\n  B2\t A1   \nC3 C3 B2\n   # end", "B2 A1 /C3 B2 /"},
        {"cp1250 line", "A1 \x8E\xF3" "4\r\n", "A1 Žó4 /"},
        {"unknown alias", "A1 B2\r\nA1 Q9\r\n", "A forbidden group names a player who is not in the tournament (Q9) (in file", true},
        {"case differs", "a1 B2\r\n", "(a1) (in file", true},
        {"one alias", "A1 B2\r\n\r\nC3\r\n", "needs at least two different players (in file", true},
        {"alias twice", "B2 B2\r\n", ", line 1).", true}, {"a link", "<link>", sane, true}, {"a folder", "<dir>", sane, true},
        {"huge", std::string(5 * 1024 * 1024, '#'), sane, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreFixture f;
        auto folder = f.Folder();
        StoreFixture::WriteOptions(folder, 3);
        // Out of rating order: a successful opening rewrites players.txt, a failed one must not.
        std::string players = "1|C3|Cid|1000|||\n1|A1|Ann|2000|||\n1|B2|Ben|1500|||\n1|Žó4|Zoe|900|||\n";
        WriteBytes(folder / "players.txt", players);
        auto file = folder / "forbidden.txt";
        if (c.bytes == "<link>")
            fs::create_symlink(folder / "players.txt", file);
        else if (c.bytes == "<dir>")
            fs::create_directory(file);
        else if (c.bytes != "<none>")
            WriteBytes(file, c.bytes);
        try {
            OpenTournament(f.session, folder);
            EXPECT_FALSE(c.fails);
            EXPECT_EQ(GroupsText(f.session.tournament), c.groups);
        } catch (const myException& e) {
            EXPECT_TRUE(c.fails) << e.what();
            EXPECT_THAT(e.what(), AllOf(HasSubstr(c.groups), HasSubstr(file.string())));
            EXPECT_EQ(ReadBytes(folder / "players.txt"), players);
            EXPECT_FALSE(f.session.HasTournament());
        }
    }
}

}  // namespace
}  // namespace veltrun
