// convert-ratings, search and add-player --search on the command line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_run.h"
#include "ratinglist/rating_fixtures.h"

namespace veltrun::cli {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;
using namespace veltrun::testing;

struct RatingCli : CliTest {
    fs::path elo() const { return home.path() / "Elo"; }
};

// An XML list named on the command line is converted with progress shown; a
// list in Elo/ is offered and converted only on --yes.
TEST_F(RatingCli, ConvertRatings) {
    WriteBytes(home.path() / "list.xml", SampleXml(XmlStyles()[1]));
    auto r = Run({"convert-ratings", (home.path() / "list.xml").string(), "-o", (home.path() / "other.txt").string()});
    EXPECT_EQ(ReadBytes(home.path() / "other.txt"), Crlf(SampleEloLines()));
    EXPECT_THAT(r.out, HasSubstr("Number of players found: 4"));
    EXPECT_THAT(r.err, HasSubstr("Converting the rating list: 100%, 4 players, "));
    WriteBytes(home.path() / "cut.xml", "<playerslist>\n<player>\n<fideid>1</fideid>\n<name>Cut");
    r = Run({"convert-ratings", (home.path() / "cut.xml").string(), "-o", (home.path() / "other.txt").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_THAT(r.err, HasSubstr("cut.xml\" is not a complete, well-formed XML file. Error at line 4"));
    EXPECT_THAT(r.err, HasSubstr("The rating file was left unchanged."));
    EXPECT_EQ(ReadBytes(home.path() / "other.txt"), Crlf(SampleEloLines()));
    EXPECT_THAT(Run({"convert-ratings"}).err, HasSubstr("Warning: No XML file found."));
    WriteBytes(elo() / "players.xml", SampleXml(XmlStyles()[0]));
    EXPECT_EQ(Run({"--no", "convert-ratings"}).code, 1);
    EXPECT_FALSE(fs::exists(elo() / "elo.txt"));
    EXPECT_EQ(Run({"--yes", "convert-ratings"}).code, 0);
    EXPECT_EQ(ReadBytes(elo() / "elo.txt"), Crlf(SampleEloLines()));
}

// The search prints an aligned table. Names from a rating file, and the words of a message, reach the terminal
// without control characters or escape sequences; letters stay as they are.
TEST_F(RatingCli, SearchTableWithoutControlCharacters) {
    WriteBytes(elo() / "elo.txt", Crlf(SampleEloLines()));
    EXPECT_EQ(Run({"search", "MULLER"}).out,
              "Type      Name            ELO  Fide ID  Sex  Country  Birth  Title  National ID  Club\n"
              "blitz     Müller Jürgen  1850  200      M    GER      1975\n"
              "rapid     Müller Jürgen        200      M    GER      1975\n"
              "standard  Müller Jürgen  1900  200      M    GER      1975\n");
    const struct { std::string name, shown; } cases[] = {  // in elo.txt, on the terminal
        {"Zz\x1b]0;owned\x07Title", "ZzTitle"}, {"Zz\x1b[31mRed\x1b[0m", "ZzRed"}, {"Zz\x1b[2J\x1b[HClear", "ZzClear"},
        {"Zz\xc2\x9b" "31mC1", "ZzC1"}, {"Zz\rBack\bspace\x7f", "ZzBackspace"}, {"Zz\x1b]8;;http://x\x1b\\Link", "ZzLink"},
        {"Zz\x1b" "cReset", "ZzReset"}, {"Zz Žluťoučký ½", "Zz Žluťoučký ½"},
    };
    std::vector<std::string> lines;
    for (size_t i = 0; i < std::size(cases); ++i)
        lines.push_back(std::to_string(100 + i) + "|" + cases[i].name + "|CZE|M|2100||||");
    WriteBytes(elo() / "elo.txt", Crlf(lines));
    auto r = Run({"search", "Zz", "--max", "50"});
    for (const auto& c : cases) EXPECT_NE(r.out.find(c.shown), std::string::npos) << c.shown << "\n" << r.out;
    EXPECT_THAT(r.out, HasSubstr("\nstandard  ZzRed           2100  101")) << "aligned as shown:\n" << r.out;
    auto none = Run({"search", "\x1b]0;x\x07\x1b[2JNobody"});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_THAT(none.err, ::testing::StartsWith("Information: \""));
    EXPECT_THAT(none.err, HasSubstr("Nobody\" - no results found for search."));
    for (const std::string& text : {r.out, none.err})
        for (char c : text) EXPECT_TRUE(c == '\n' || static_cast<unsigned char>(c) >= 32) << int(c);
    EXPECT_EQ(r.out.find("\x7f"), std::string::npos);
    EXPECT_EQ(r.out.find("\xc2\x9b"), std::string::npos);
}

TEST_F(RatingCli, AddPlayerTakesARowOfTheSearch) {
    WriteBytes(elo() / "elo.txt", Crlf({"100|Zazadad Vudora|CZE|M|2100|2050|2000|1980|FM|",
                                        "900|Müller Hans|GER|M|1500||1300|1960||N-77|SK Berlin|"}));
    ASSERT_EQ(Run({"new", "Open", "--rounds", "5"}).code, 0);
    auto r = Run({"add-player", "Open", "--search", "muller", "--pick", "2", "--team", "Berlin"});
    EXPECT_THAT(r.err, HasSubstr("ELO must be entered.")) << "the rapid row has no rating: " << r.err;
    ASSERT_EQ(Run({"add-player", "Open", "--search", "muller", "--pick", "3", "--team", "Berlin"}).code, 0);
    ASSERT_EQ(Run({"add-player", "Open", "--search", "ZAZADAD", "--pick", "2", "--name", "Vudora Zazadad"}).code, 0);
    std::string players = ReadBytes(home.path() / "Tourn" / "Open" / "players.txt");
    EXPECT_THAT(players, HasSubstr("|Müller Hans|1500|900|N-77|Berlin\r\n"));
    EXPECT_THAT(players, HasSubstr("|Vudora Zazadad|2050|100||\r\n"));

    EXPECT_EQ(Run({"add-player", "Open", "--search", "muller"}).code, 2);
    EXPECT_EQ(Run({"add-player", "Open", "--search", "muller", "--pick", "4"}).code, 2);
    EXPECT_EQ(Run({"add-player", "Open", "--search", "nobody", "--pick", "1"}).code, 1);
}

}  // namespace
}  // namespace veltrun::cli
