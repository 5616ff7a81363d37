// The player search: loading the rating files, the result rows and their
// order, diacritics and case, the row limit, and the search command.
#include <gtest/gtest.h>

#include "app/command_search.h"
#include "ratinglist/match_key.h"
#include "ratinglist/rating_lines.h"
#include "ratinglist/rating_search.h"
#include "rating_fixtures.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using namespace veltrun::testing;

const std::vector<std::string> kElo = {
    "100|Müller Jürgen|GER|M|2100|2050|2000|1980|FM|", "200|Muller Anna|FRA|F|1900||1850|1990|WIM|",
    "300|MÜLLER KARL|AUT|M|1700|1650| 1600 |1970||", "400|Novák Petr|CZE|M|2300|2250|2200|1985|IM|"};

std::string Ids(const std::vector<SearchRow>& rows) {
    std::string ids;
    for (std::size_t i = 0; i < rows.size(); i += 3) ids += rows[i].fideId + " ";
    return ids;
}

struct SearchFixture : ::testing::Test, StoreFixture {
    RatingLines lines;
    fs::path elo() const { return home.path() / "Elo"; }
    void SetUp() override { WriteBytes(elo() / "elo.txt", Crlf(kElo)); }
    std::string Search(const std::string& term, int maxRows = 100) { return Ids(Rows(term, maxRows)); }
    std::vector<SearchRow> Rows(const std::string& term, int maxRows = 100) {
        if (lines.Empty()) SearchCommand(session, lines, "x");
        bool removeDiacritics = session.settings.EloSearchRemoveDiacritics;
        return SearchRatingLines(lines, removeDiacritics ? RemoveDiacritics(term) : term, maxRows, removeDiacritics);
    }
};

TEST_F(SearchFixture, OneMatchGivesBlitzRapidStandardRowsAndTermsFindTheirLines) {
    auto rows = Rows("novak", 1);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Text() + rows[1].Text() + rows[2].Text(), "blitz|Novák Petr|2200|400|M|CZE|1985|IM|||"
              "rapid|Novák Petr|2250|400|M|CZE|1985|IM|||standard|Novák Petr|2300|400|M|CZE|1985|IM|||");
    EXPECT_EQ(rows[1].TakenText(), "rapid|Novák Petr|2250|400|M|CZE|1985|IM||");
    PlayerFromSearch taken = PlayerFromRow(rows[1]);
    EXPECT_EQ(taken.name + taken.elo + taken.fideId + taken.nationalId, "Novák Petr2250400");
    EXPECT_EQ(Rows("karl")[0].rating, "1600") << "ratings are trimmed";
    // Case and accents, the row limit (tested after each matching line), file names.
    struct Case { const char* term; int maxRows; const char* ids; };
    const Case cases[] = {{"müller", 100, "100 200 300 "}, {"Muller", 100, "100 200 300 "}, {"mUlLeR", 100, "100 200 300 "},
                          {"jurgen", 100, "100 "},  {"cze", 100, "400 "},  {"elo.txt|4", 100, "400 "},
                          {"txt", 100, "100 200 300 400 "},  {"zzz", 100, ""},   {"ll", 1, "100 "},
                          {"ll", 3, "100 "},  {"ll", 4, "100 200 "},  {"ll", 7, "100 200 300 "},  {"ll", 0, ""}};
    for (const Case& c : cases) EXPECT_EQ(Search(c.term, c.maxRows), c.ids) << c.term << " " << c.maxRows;
    session.settings.EloSearchRemoveDiacritics = false;
    EXPECT_EQ(Search("müller"), "100 300 ") << "with accents kept only case is ignored";
    EXPECT_EQ(Search("muller"), "200 ");
    session.settings.EloSearchRemoveDiacritics = true;
    EXPECT_EQ(Search("muller"), "100 200 300 ") << "the loaded lines are folded anew";
}

// The command line reads the files piece by piece, each split in two halves searched side by side.
TEST_F(SearchFixture, ReadingStraightThroughStopsAtTheRowLimitAcrossPieces) {
    std::vector<std::string> many;
    for (int i = 0; i < 200000; ++i) many.push_back(std::to_string(i) + "|Player " + std::to_string(i % 7) + "|CZE|M|1500|||||");
    many.push_back("200000|Dvo\xF8\xE1k 99999|CZE|M|1500|||||");  // an older cp1250 line in the last piece
    WriteBytes(elo() / "elo.txt", Crlf(many));
    auto files = RatingFilesToRead(elo(), false);
    EXPECT_EQ(Ids(SearchRatingFiles(files, "99999", 1000, true)), "99999 199999 200000 ");
    EXPECT_EQ(SearchRatingFiles(files, "9999", 22, true).size(), 24u);
    EXPECT_EQ(Ids(SearchRatingFiles(files, "dvorak", 1000, true)), "200000 ");
    EXPECT_EQ(Ids(SearchRatingFiles(files, "txt|1999", 4, true)), "1999 19990 ") << "the file name is searched";
    EXPECT_EQ(SearchRatingFiles(files, "player 6", 20, true)[19].fideId, "48") << "the seventh match brings rows 19 to 21";
}

TEST_F(SearchFixture, FurtherFilesAddTheirNameToTheTypeAndOlderCp1250LinesAndBomsAreRead) {
    WriteBytes(elo() / "club.txt", "900|Müller Hans|GER|M|1500|1400|1300|1960||N-77|SK Berlin|\r\n\r\n");
    WriteBytes(elo() / "a_old.TXT", "800|Muller Otto|GER|M|1400||||\n");
    WriteBytes(elo() / ".hidden.txt", "700|Muller Hidden|||||||||\n");
    WriteBytes(elo() / "notes.csv", "600|Muller Csv|||||||||\n");
    fs::create_directories(elo() / "folder.txt");
    EXPECT_EQ(Search("muller"), "100 200 300 ") << "IsLoadMoreEloFiles is off";
    session.settings.IsLoadMoreEloFiles = true;
    lines.Clear();
    auto rows = Rows("muller");
    ASSERT_EQ(Ids(rows), "100 200 300 800 900 ");
    EXPECT_EQ(rows[9].type, "(a_old) blitz");
    EXPECT_EQ(rows[14].Text(), "(club) standard|Müller Hans|1500|900|M|GER|1960||N-77|SK Berlin|");
    EXPECT_EQ(PlayerFromRow(rows[14]).nationalId, "N-77");
    EXPECT_EQ(Ids(SearchRatingFiles(RatingFilesToRead(elo(), true), "muller", 100, true)), "100 200 300 800 900 ");

    // "Dvořák" and "Černý" in cp1250, one with CR LF, one with LF; a UTF-8 BOM on another file.
    WriteBytes(elo() / "elo.txt", "10|Dvo\xF8\xE1k Jan|CZE|M|2000|||1990||\r\n11|\xC8\x65rn\xFD Ota|CZE|M|1900|||1991||\n");
    lines.Clear();
    ASSERT_EQ(Rows("dvorak").size(), 3u);
    EXPECT_EQ(Rows("dvorak")[0].name, "Dvořák Jan");
    EXPECT_EQ(Rows("CERNY")[0].name, "Černý Ota");
    WriteBytes(elo() / "elo.txt", "\xEF\xBB\xBF" "12|Bom First|CZE|M|2000|||1990||\n1|Ana|\n \t\r\n\xCC\x81" "Bob|\r\n3|Cid|");
    lines.Clear();
    EXPECT_EQ(Search("12|bom"), "12 ");
    EXPECT_EQ(Search("elo.txt|"), "12 1 \xCC\x81" "Bob 3 ") << "the blank line is not kept";
    EXPECT_EQ(Search("\xCC\x81" "b"), "\xCC\x81" "Bob ") << "the accent does not belong to the line before";
    EXPECT_EQ(Search("cid|"), "3 ") << "the last line has no line end";
}

TEST(MatchKeys, FoldLikeTheUnicodeRoutines) {
    // Composed and decomposed accents, letters without decomposition, other scripts.
    std::vector<std::string> texts = {"Müller", "MÜLLER", "Mu\xCC\x88ller", "Straße", "ŁUKASZ Øster", "Æbeltoft",
                                      "Ἀθῆναι ΣΟΦΙΑ", "Йорданов Ё", "ǅemal", "İstanbul", "a\xCC\x81\xCC\x81 1\xCC\x81",
                                      "Ǆ | x", "ＡＢＣ", "日本 語", "@AZ[`az{~ ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789|Ä"};
    for (bool removeDiacritics : {true, false}) {
        MatchKeyFolder folder(removeDiacritics);
        for (const auto& text : texts)
            EXPECT_EQ(folder.Fold(text), ToLowerUnicode(removeDiacritics ? RemoveDiacritics(text) : text)) << text;
    }
}

TEST_F(SearchFixture, TheCommandCleansTheTermTellsEmptyTermsAndNoResultsAndLoadsOnce) {
    auto outcome = SearchCommand(session, lines, "  Müller ");
    EXPECT_EQ(outcome.status, SearchOutcome::Status::Found);
    EXPECT_EQ(outcome.term + " " + Ids(outcome.rows), "Muller 100 200 300 ");
    EXPECT_EQ(ui.busy_depth, 0);
    EXPECT_EQ(SearchCommand(session, lines, "r").rows.size(), 12u) << "EloSearchMaxCountLines 10, overshoot of two";
    EXPECT_EQ(SearchCommandOnce(session, "r", 4).rows.size(), 6u);
    EXPECT_TRUE(ui.messages.empty());

    lines.Clear();
    EXPECT_EQ(SearchCommand(session, lines, "   ").status, SearchOutcome::Status::EmptyTerm);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Part of name for search must be entered.");
    EXPECT_FALSE(lines.Empty()) << "the lines are loaded before the term is checked";
    EXPECT_EQ(SearchCommandOnce(session, "Šťastný").status, SearchOutcome::Status::NoResults);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "\"Stastny\" - no results found for search.");

    // The lines are loaded once, the offer runs without elo.txt, and unreadable files fail.
    WriteBytes(elo() / "elo.txt", Crlf({"1|Someone Else|||||||||"}));
    EXPECT_EQ(SearchCommand(session, lines, "novak").rows.size(), 3u) << "kept for the whole run";

    RatingLines fresh;
    fs::remove(elo() / "elo.txt");
    WriteBytes(elo() / "list.xml", SampleXml(XmlStyles()[0]));
    ui.answers.push_back(Button::Yes);
    EXPECT_EQ(SearchCommand(session, fresh, "Zazadad").status, SearchOutcome::Status::ConversionOffered);
    EXPECT_TRUE(fresh.Empty()) << "no search in this command";
    EXPECT_EQ(SearchCommand(session, fresh, "Zazadad").rows.size(), 3u) << "the next search loads the new file";

    fs::remove(elo() / "elo.txt");
    fs::create_directories(elo() / "elo.txt");
    RatingLines broken;
    EXPECT_THROW(SearchCommand(session, broken, "x"), myException);
    EXPECT_TRUE(broken.Empty());
    EXPECT_THROW(SearchCommandOnce(session, "x"), myException);
}

}  // namespace
}  // namespace veltrun
