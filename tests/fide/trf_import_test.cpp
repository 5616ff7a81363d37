// TRF import: blocks to games, the new folder's files, hostile names, bad
// lines named by number, nothing left behind on failure, and the round trip
// through the TRF16 writer.
#include <gtest/gtest.h>

#include <thread>

#include "app/demo_tournament.h"
#include "fide/trf16_writer.h"
#include "standings/standings_order.h"
#include "fide/trf_import.h"
#include "fide_fixture.h"

namespace veltrun {
namespace {

using namespace veltrun::testing;

class TrfImportTest : public FideFixture {
protected:
    fs::path Trf(const std::vector<std::string>& lines, const std::string& name = "in.trf") {
        WriteBytes(home.path() / name, Crlf(lines));
        return home.path() / name;
    }
    std::string ImportFailure(const fs::path& file, const std::string& folderName = "") {
        return ErrorOf([&] { ImportTrfFile(session, file, folderName); });
    }
};

TEST(TrfBlocks, BecomeGamesSeenFromWhite) {
    // round, own number, opponent, colour, result letter; "0007" names player 7. No opponent
    // and another letter: never a game against a player "?".
    const struct { int round, own; const char *opponent, *colour, *result, *expected; } cases[] = {
        {2, 3, "7", "w", "1", "2|A3-A7|1-0"}, {2, 3, "0007", "w", "1", "2|A3-A7|1-0"}, {2, 7, "3", "b", "0", "2|A3-A7|1-0"},
        {1, 3, "7", "B", "+", "1|A7-A3|0k-1k"}, {1, 3, "7", "b", "-", "1|A7-A3|1k-0k"}, {1, 3, "7", "b", "W", "1|A7-A3|0-1"},
        {1, 3, "7", "w", "", "1|A3-A7|?-?"}, {2, 3, "0000", "-", "H", "2|A3-bye|0.5-0.5"}, {2, 3, "12", "w", "Z", "2|A3-stop|0k-0k"},
        {2, 3, "0000", "-", "+", "2|A3-bye|1k-0k"}, {2, 3, "", "-", "-", "2|A3-stop|0k-0k"}};
    for (const auto& c : cases) {
        TrfGame g = TrfBlockToGame(c.round, c.own, TrfBlock{c.opponent, c.colour, c.result}, "A");
        EXPECT_EQ(std::to_string(g.round) + "|" + g.gameId + "|" + g.code, c.expected) << c.opponent << c.result;
    }
}

TEST_F(TrfImportTest, BuildsTheTournamentFolder) {
    session.settings.SystemPrefixForAlias = "P";
    fs::path file = Trf({"012 Club Open",
                         "XXR 5",
                         "xxz    9",  // before the player's line: no effect
                         TrfRecord(3, "Three, Tom", "2100", "111", "   7 w 1     0 - U  "),
                         TrfRecord(7, "Seven|Sue", "", "222", "   3 b 0     9 w    "),
                         TrfRecord(9, "Nine, Ned", "1700", "", "0000 - Z     7 b    "),
                         TrfRecord(11, "Eleven, Eve", "1600", "", ""),  // entered late: absent from every round
                         "XXZ    5",
                         "xxz    7",
                         "some other record"});
    fs::path folder = ImportTrfFile(session, file);
    EXPECT_EQ(folder, TournamentFolder("Club Open"));
    EXPECT_EQ(ReadTextLines(folder / "players.txt"),
              (std::vector<std::string>{"#on/off|ArrivalID|Name|ELO|FideID", "1|P3|Three, Tom|2100|111",
                                        "0|P7|SevenSue||222", "1|P9|Nine, Ned|1700|", "1|P11|Eleven, Eve|1600|"}));
    EXPECT_EQ(ReadTextLines(folder / "round1.txt"),
              (std::vector<std::string>{"|1-0|||P3-P7", "|0k-0k|||P9-stop", "|0k-0k|||P11-stop"}));
    EXPECT_EQ(ReadTextLines(folder / "round2.txt"),
              (std::vector<std::string>{"|1k-0k|||P3-bye", "|?-?|||P7-P9", "|0k-0k|||P11-stop"}));
    auto options = ReadTextLines(folder / "options.txt");
    EXPECT_EQ(options[5], "[Options]");
    EXPECT_EQ(std::vector<std::string>(options.begin() + 6, options.begin() + 10),
              (std::vector<std::string>{"MaxRound=5", "ColourFor1stPlayer=R", "PointsType=1- 0.5 -0", "TBsType=Chess"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(folder.string()), std::string::npos);

    EXPECT_EQ(ImportFailure(file), "A directory named \"" + folder.string() + "\" already exists.");
    EXPECT_EQ(FolderEntries(session.TournFolder()), (std::vector<std::string>{"Club Open"}));
    Open(folder);
    EXPECT_EQ(session.tournament.CurrentRound, 2);
    // Without 012 and XXR: the default name, and the rounds found are kept.
    folder = ImportTrfFile(session, Trf({TrfRecord(1, "A", "1", "", "   2 w 1  "), TrfRecord(2, "B", "1", "", "   1 b 0  ")}));
    EXPECT_EQ(folder.filename(), "TournamentFromTrf");
    EXPECT_EQ(ReadTextLines(folder / "options.txt")[6], "MaxRound=1");
}

TEST_F(TrfImportTest, MalformedLinesAreNamedAndHostileNamesStayInsideTourn) {
    std::string where = "TRF file (" + (home.path() / "in.trf").string() + "), line ";
    const struct { std::vector<std::string> lines; std::string message; } cases[] = {
        {{"012 T", "XXR five"}, where + "2: the number of rounds is not a whole number."},
        {{"012 T", "001   x1      Name"}, where + "2: the starting number is not a whole number."},
        {{TrfRecord(1, "A", "2k", "", "")}, where + "1: the rating is not a whole number."},
        {{TrfRecord(1, "A", "1", "", ""), TrfRecord(1, "B", "1", "", "")}, where + "2: the starting number appears a second time."},
        {{TrfRecord(1, "A", "1", "", "  x2 w 1  ")}, where + "1, Round 1: the opponent is not a starting number."},
        {{TrfRecord(1, "A", "1", "", "   1 w 1  ")}, where + "1, Round 1: the player is paired against himself."},
        {{TrfRecord(1, "A", "1", "", "          0004 w 1  ")}, where + "1, Round 2: the opponent is not in the file."},
        {{TrfRecord(1, "A", "1", "", "   2 w 1  "), TrfRecord(2, "B", "1", "", "   1 b 1  ")},
         where + "2, Round 1: the two players' lines disagree on this game."},
        {{TrfRecord(1, "A", "1", "", "   2 w 1  "), TrfRecord(2, "B", "1", "", "   3 w 1  "), TrfRecord(3, "C", "1", "", "")},
         where + "2, Round 1: the player is paired more than once."},
        {{TrfRecord(1, "A", "1", "", ""), "XXP 1"}, where + "2: the forbidden group needs at least two different starting numbers."},
        {{"XXP 2 1 2", TrfRecord(1, "A", "1", "", "")}, where + "1: the forbidden group names a starting number that is not in the file."},
        {{TrfRecord(1, "A", "1", "", ""), "XXP 1 x"}, where + "2: the starting number is not a whole number."},
        {{"012 Empty", "XXR 3"}, "TRF file (" + (home.path() / "in.trf").string() + "): The file holds no player line (001)."},
        {{TrfRecord(1, "A", "1", "", std::string(9990, ' ') + "0000 - Z  ")},
         where + "1, Round 1000: the round is beyond the most rounds a tournament can have."},
    };
    for (const auto& c : cases) EXPECT_EQ(ImportFailure(Trf(c.lines)), c.message);
    EXPECT_FALSE(fs::exists(session.TournFolder()));
    std::vector<std::pair<std::string, std::string>> names{
        {"../x", "x"}, {"a/b", "ab"}, {"..\\..\\etc", "etc"}, {"..", "TournamentFromTrf"},
        {"C:*?\"<>|Z", "CZ"}, {"Tab\there\x7f", "Tabhere"}, {" . Open . ", "Open"}, {"Žilina", "Zilina"}};
    for (const auto& [name, expected] : names) {
        fs::path folder = ImportTrfFile(session, Trf({"012 " + name, TrfRecord(1, "A", "1", "", "")}));
        EXPECT_EQ(folder, TournamentFolder(expected)) << name;
        fs::remove_all(folder);
    }
    EXPECT_EQ(FolderEntries(session.TournFolder()), std::vector<std::string>{});  // no staging folder left
    EXPECT_EQ(FolderEntries(home.path()), (std::vector<std::string>{"Tourn", "in.trf"}));
    fs::path file = Trf({"012 From File", TrfRecord(1, "A", "1", "", "")});
    for (std::string bad : {"../up", "a/b", "..", "x\ty"})
        EXPECT_EQ(ImportFailure(file, bad), "\"" + bad + "\" is not a valid folder name.") << bad;
    EXPECT_EQ(ImportTrfFile(session, file, "My Name"), TournamentFolder("My Name"));
}

TEST_F(TrfImportTest, MoreThan2000PlayersOrAFailedWriteLeaveNothingBehind) {
    std::vector<std::string> lines{"012 Huge"};
    for (int i = 1; i <= 2001; ++i) lines.push_back(TrfRecord(i, "P" + std::to_string(i), "1500", "", ""));
    EXPECT_EQ(ImportFailure(Trf(lines)), "TRF file (" + (home.path() / "in.trf").string() +
                                             "): The maximum number of players in a tournament is 2000.");
    EXPECT_FALSE(fs::exists(TournamentFolder("Huge")));
    lines.pop_back();
    SimulateWriteFailureAfter(10);
    EXPECT_NE(ImportFailure(Trf(lines)), "");
    SimulateWriteFailureAfter(-1);
    EXPECT_EQ(FolderEntries(session.TournFolder()), std::vector<std::string>{});
    EXPECT_TRUE(fs::is_directory(ImportTrfFile(session, Trf(lines))));
}

// Every result code comes back through our own TRF with the same standings, histories and round
// files. (TRF16 has no letter for two points of three, so "2-1" and "1-2" of "3-1-0" cannot travel.)
TEST_F(TrfImportTest, RoundTripKeepsEveryResultCode) {
    // Nine codes, three rounds of three games.
    const struct { std::string pointsType; std::vector<std::string> codes; } cases[] = {
        {"1- 0.5 -0", {"1-0", "0-1", "0.5-0.5", "1k-0k", "0k-1k", "0k-0k", "0.5-0", "0-0.5", "0-0"}},
        {"3-1-0", {"3-0", "0-3", "1-1", "3k-0k", "0k-3k", "0k-0k", "1-0", "0-1", "0-0"}},
    };
    const std::vector<std::string> games{"A1-A2", "A3-A4", "A5-A6", "A1-A3", "A2-A5", "A4-A6", "A1-A4", "A2-A6", "A3-A5"};
    auto standings = [&] {
        ComputeStandings(session.tournament, GoalsQuotientRuleOf(session.settings));
        std::string text;
        for (int i = 1; i <= session.tournament.PlayerCount(); ++i) {
            const TPlayer& p = session.tournament.Player(i);
            text += p.ArrivalID + " " + std::to_string(p.Place) + " " + DecimalText(p.Points) + " " +
                    Histories(p) + "\n";
        }
        return text;
    };
    for (const auto& c : cases) {
        fs::path folder = TournamentFolder(c.pointsType);
        fs::create_directories(folder);
        WriteTextLines(folder / "options.txt", {"[Options]", "MaxRound=3", "PointsType=" + c.pointsType});
        WriteTextLines(folder / "players.txt", {"1|A1|One|2600", "1|A2|Two|2500", "1|A3|Three|2400", "1|A4|Four|2300",
                                                "1|A5|Five|2200", "1|A6|Six|2100"});
        for (int r = 1; r <= 3; ++r) {
            std::vector<std::string> lines;
            for (int g = 3 * (r - 1); g < 3 * r; ++g) lines.push_back("|" + c.codes[g] + "|||" + games[g]);
            WriteTextLines(folder / ("round" + std::to_string(r) + ".txt"), lines);
        }
        Open(folder);
        std::string before = standings();
        fs::path copy = ImportTrfFile(session, WriteTrf16File(session, "codes.trf", "fide"), c.pointsType + " copy");
        Open(copy);
        EXPECT_EQ(session.tournament.PointsType, c.pointsType);
        EXPECT_EQ(standings(), before) << c.pointsType;
        for (int r = 1; r <= 3; ++r)
            EXPECT_EQ(ReadTextLines(copy / ("round" + std::to_string(r) + ".txt")),
                      ReadTextLines(folder / ("round" + std::to_string(r) + ".txt")));
    }
}

// FIDE's rules end TRF lines with CR alone, others with LF or CR LF: each
// imports the same tournament, every player with his points.
TEST_F(TrfImportTest, EveryLineEndGivesEveryPlayerHisPoints) {
    auto points = [this](bool imported) {  // by starting number
        std::map<int, double> byStartNo;
        for (int i = 1; i <= session.tournament.PlayerCount(); ++i)
            byStartNo[imported ? std::stoi(session.tournament.Player(i).ArrivalID.substr(1))
                               : session.tournament.Player(i).StartNo] = session.tournament.Player(i).Points;
        return byStartNo;
    };
    for (int players : {180, 60}) {
        Open(RunDemo(session, DemoOptions{players, 5, 3, 0, OpenReports::No}).folder);
        const auto before = points(false);
        const std::string text = ReadBytes(WriteTrf16File(session, "all.trf", "fide"));
        for (const std::string end : {"\r", "\n", "\r\n"}) {
            std::string converted;
            for (std::size_t at = 0, next; (next = text.find("\r\n", at)) != std::string::npos; at = next + 2)
                converted += text.substr(at, next - at) + end;
            WriteBytes(home.path() / "ends.trf", converted);
            Open(ImportTrfFile(session, home.path() / "ends.trf", std::to_string(players) + " " + std::to_string(end.size() + end[0])));
            EXPECT_EQ(points(true), before) << players << " players, line end " << end.size() + end[0];
        }
    }
}

// Two imports at once, or a folder that cannot be looked into: a message of
// ours naming the folder, never the library's text.
TEST_F(TrfImportTest, RacesAndFolderErrorsAreOurMessages) {
    fs::path file = Trf({"012 Race", TrfRecord(1, "A", "1", "", "   2 w 1  "), TrfRecord(2, "B", "1", "", "   1 b 0  ")});
    for (int attempt = 0; attempt < 10; ++attempt) {
        std::string name = "Race " + std::to_string(attempt);
        std::string failures[2];
        std::vector<std::thread> imports;
        for (int k = 0; k < 2; ++k)
            imports.emplace_back([&, k] {
                ScriptedUi quiet;
                Session other(quiet, home.path());
                other.random.seed(7);  // the same staging names, as two processes may pick
                failures[k] = ErrorOf([&] { ImportTrfFile(other, file, name); });
            });
        for (auto& t : imports) t.join();
        EXPECT_TRUE(failures[0].empty() != failures[1].empty()) << failures[0] << failures[1];
        EXPECT_EQ(failures[0] + failures[1],
                  "A directory named \"" + TournamentFolder(name).string() + "\" already exists.");
    }
    EXPECT_EQ(FolderEntries(session.TournFolder()).size(), 10u);  // no staging folder left

    fs::remove_all(session.TournFolder());
    WriteBytes(session.TournFolder(), "not a folder");
    std::string failure = ImportFailure(file);
    EXPECT_EQ(failure.rfind("The file or folder \"" + session.TournFolder().string() + "\" could not be used: ", 0), 0u)
        << failure;
}

}  // namespace
}  // namespace veltrun
