// The player search: loading the rating files, the result rows and their
// order, diacritics and case, the row limit, and the search command.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/command_search.h"
#include "ratinglist/match_key.h"
#include "ratinglist/rating_lines.h"
#include "ratinglist/rating_search.h"
#include "store/errors.h"
#include "store/session.h"
#include "store/text_utils.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"
#include "rating_fixtures.h"

namespace veltrun {
namespace {

namespace fs = std::filesystem;
using namespace veltrun::testing;

const std::vector<std::string> kElo = {
    "100|Müller Jürgen|GER|M|2100|2050|2000|1980|FM|",
    "200|Muller Anna|FRA|F|1900||1850|1990|WIM|",
    "300|MÜLLER KARL|AUT|M|1700|1650| 1600 |1970||",
    "400|Novák Petr|CZE|M|2300|2250|2200|1985|IM|",
};

std::vector<std::string> Column(const std::vector<SearchRow>& rows, std::string SearchRow::*field) {
    std::vector<std::string> out;
    for (const auto& r : rows) out.push_back(r.*field);
    return out;
}

struct SearchFixture : ::testing::Test {
    TempFolder home;
    ScriptedUi ui;
    Session session{ui, home.path()};
    RatingLines lines;
    fs::path elo() const { return home.path() / "Elo"; }
    void SetUp() override { WriteBytes(elo() / "elo.txt", EloFileText(kElo)); }
    // Searches the kept lines, and checks that reading the files straight through gives the same rows.
    std::vector<SearchRow> Search(const std::string& term, int maxRows = 100) {
        if (lines.Empty()) LoadRatingLines(session, lines);
        bool removeDiacritics = session.settings.EloSearchRemoveDiacritics;
        std::string searched = removeDiacritics ? RemoveDiacritics(term) : term;
        auto rows = SearchRatingLines(lines, searched, maxRows, removeDiacritics);
        auto once = SearchRatingFiles(session, searched, maxRows, removeDiacritics);
        EXPECT_EQ(Texts(once), Texts(rows)) << "reading straight through, " << term;
        return rows;
    }
    static std::vector<std::string> Texts(const std::vector<SearchRow>& rows) {
        std::vector<std::string> texts;
        for (const auto& r : rows) texts.push_back(r.Text());
        return texts;
    }
};

TEST_F(SearchFixture, OneMatchGivesBlitzRapidStandardRows) {
    auto rows = Search("novak", 1);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Text(), "blitz|Novák Petr|2200|400|M|CZE|1985|IM|||");
    EXPECT_EQ(rows[1].Text(), "rapid|Novák Petr|2250|400|M|CZE|1985|IM|||");
    EXPECT_EQ(rows[2].Text(), "standard|Novák Petr|2300|400|M|CZE|1985|IM|||");
    EXPECT_EQ(rows[1].TakenText(), "rapid|Novák Petr|2250|400|M|CZE|1985|IM||");
    PlayerFromSearch taken = PlayerFromRow(rows[1]);
    EXPECT_EQ(taken.name, "Novák Petr");
    EXPECT_EQ(taken.elo, "2250");
    EXPECT_EQ(taken.fideId, "400");
    EXPECT_EQ(taken.nationalId, "");
}

TEST_F(SearchFixture, AccentsAndCaseFindEachOther) {
    for (std::string term : {"müller", "Muller", "MÜLLER", "mUlLeR"}) {
        SCOPED_TRACE(term);
        auto rows = Search(term);
        EXPECT_EQ(Column(rows, &SearchRow::fideId),
                  (std::vector<std::string>{"100", "100", "100", "200", "200", "200", "300", "300", "300"}));
    }
    EXPECT_EQ(Search("karl")[0].rating, "1600") << "ratings are trimmed";
    EXPECT_EQ(Search("jurgen").size(), 3u);
    EXPECT_EQ(Search("cze").size(), 3u) << "the federation is part of the line";
    EXPECT_EQ(Search("elo.txt|4").size(), 3u) << "so is the file name";
    EXPECT_TRUE(Search("zzz").empty());
}

TEST_F(SearchFixture, WithAccentsKeptOnlyCaseIsIgnored) {
    session.settings.EloSearchRemoveDiacritics = false;
    EXPECT_EQ(Column(Search("müller"), &SearchRow::fideId), (std::vector<std::string>{"100", "100", "100", "300", "300", "300"}));
    EXPECT_EQ(Column(Search("muller"), &SearchRow::fideId), (std::vector<std::string>{"200", "200", "200"}));
    // Switching the setting back works on the lines already loaded.
    session.settings.EloSearchRemoveDiacritics = true;
    EXPECT_EQ(Search("muller").size(), 9u);
}

TEST_F(SearchFixture, TheRowLimitIsTestedAfterEachMatchingLine) {
    EXPECT_EQ(Search("ll", 1).size(), 3u);
    EXPECT_EQ(Search("ll", 3).size(), 3u);
    EXPECT_EQ(Search("ll", 4).size(), 6u);
    EXPECT_EQ(Search("ll", 7).size(), 9u);
    EXPECT_EQ(Search("ll", 100).size(), 9u);
    EXPECT_TRUE(Search("ll", 0).empty());
}

TEST_F(SearchFixture, ReadingStraightThroughStopsAtTheRowLimitAcrossSlices) {
    std::vector<std::string> many;
    for (int i = 0; i < 70000; ++i) many.push_back(std::to_string(i) + "|Player " + std::to_string(i % 7) + "|CZE|M|1500|||||");
    many.push_back("70000|Dvo\xF8\xE1k 9999|CZE|M|1500|||||");  // an older cp1250 line in the second half
    WriteBytes(elo() / "elo.txt", EloFileText(many));
    EXPECT_EQ(Search("9999", 1000).size(), 24u) << "8 lines, in both halves of the piece";
    EXPECT_EQ(Search("9999", 22).size(), 24u);
    EXPECT_EQ(Search("dvorak", 1000).size(), 3u);
    EXPECT_EQ(Search("69999|", 5).size(), 3u);
    EXPECT_EQ(Search("player 6", 20)[19].fideId, "48") << "the seventh match brings rows 19 to 21";
}

TEST_F(SearchFixture, FurtherFilesAddTheirNameToTheType) {
    WriteBytes(elo() / "club.txt", "900|Müller Hans|GER|M|1500|1400|1300|1960||N-77|SK Berlin|\r\n\r\n");
    WriteBytes(elo() / "a_old.TXT", "800|Muller Otto|GER|M|1400||||\n");
    WriteBytes(elo() / ".hidden.txt", "700|Muller Hidden|||||||||\n");
    WriteBytes(elo() / "notes.csv", "600|Muller Csv|||||||||\n");
    fs::create_directories(elo() / "folder.txt");
    EXPECT_EQ(Search("muller").size(), 9u) << "IsLoadMoreEloFiles is off";

    session.settings.IsLoadMoreEloFiles = true;
    lines.Clear();
    auto rows = Search("muller");
    ASSERT_EQ(rows.size(), 15u);
    EXPECT_EQ(rows[9].type, "(a_old) blitz");
    EXPECT_EQ(rows[12].type, "(club) blitz");
    EXPECT_EQ(rows[14].Text(), "(club) standard|Müller Hans|1500|900|M|GER|1960||N-77|SK Berlin|");
    EXPECT_EQ(PlayerFromRow(rows[14]).nationalId, "N-77");
}

TEST_F(SearchFixture, OlderCp1250FilesStillLoad) {
    // "Dvořák" and "Černý" in cp1250, one with CR LF, one with LF; a UTF-8 BOM on another file.
    WriteBytes(elo() / "elo.txt", "10|Dvo\xF8\xE1k Jan|CZE|M|2000|||1990||\r\n11|\xC8\x65rn\xFD Ota|CZE|M|1900|||1991||\n");
    auto rows = Search("dvorak");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "Dvořák Jan");
    EXPECT_EQ(Search("CERNY")[0].name, "Černý Ota");
    WriteBytes(elo() / "elo.txt", "\xEF\xBB\xBF" "12|Bom First|CZE|M|2000|||1990||\n");
    lines.Clear();
    EXPECT_EQ(Search("12|bom")[0].fideId, "12");
}

TEST_F(SearchFixture, AnAccentOpeningALineDoesNotBelongToTheLineBefore) {
    WriteBytes(elo() / "elo.txt", "1|Ana|\n\xCC\x81" "Bob|\r\n3|Cid|");
    EXPECT_EQ(Search("\xCC\x81" "b").size(), 3u);
    EXPECT_EQ(Search("cid|").size(), 3u) << "the last line has no line end";
}

TEST_F(SearchFixture, AnUnreadableFileIsAnError) {
    fs::remove(elo() / "elo.txt");
    fs::create_directories(elo() / "elo.txt");
    EXPECT_THROW(LoadRatingLines(session, lines), myException);
    EXPECT_TRUE(lines.Empty());
}

TEST(MatchKeys, FoldLikeTheUnicodeRoutines) {
    // Composed and decomposed accents, letters without decomposition, other scripts.
    std::vector<std::string> texts = {"Müller", "MÜLLER", "Mu\xCC\x88ller", "Straße", "ŁUKASZ Øster", "Æbeltoft",
                                      "Ἀθῆναι ΣΟΦΙΑ", "Йорданов Ё", "ǅemal", "İstanbul", "a\xCC\x81\xCC\x81 1\xCC\x81",
                                      "Ǆ | x", "ＡＢＣ", "日本 語",
                                      "@AZ[`az{~ ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789|Ä"};
    for (bool removeDiacritics : {true, false}) {
        MatchKeyFolder folder(removeDiacritics);
        for (const auto& text : texts) {
            std::string expected = ToLowerUnicode(removeDiacritics ? RemoveDiacritics(text) : text);
            EXPECT_EQ(folder.Fold(text), expected) << text << (removeDiacritics ? " without" : " with") << " accents";
        }
    }
}

struct CommandFixture : SearchFixture {};

TEST_F(CommandFixture, TermIsCleanedAndEmptyTermOrNoResultsAreTold) {
    auto outcome = SearchCommand(session, lines, "  Müller ");
    EXPECT_EQ(outcome.status, SearchOutcome::Status::Found);
    EXPECT_EQ(outcome.term, "Muller");
    EXPECT_EQ(outcome.rows.size(), 9u);
    EXPECT_EQ(ui.busy_depth, 0);
    EXPECT_EQ(SearchCommand(session, lines, "r").rows.size(), 12u) << "EloSearchMaxCountLines 10, overshoot of two";
    EXPECT_EQ(SearchCommand(session, lines, "r", 4).rows.size(), 6u);
    EXPECT_TRUE(ui.messages.empty());

    lines.Clear();
    EXPECT_EQ(SearchCommand(session, lines, "   ").status, SearchOutcome::Status::EmptyTerm);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Part of name for search must be entered.");
    EXPECT_FALSE(lines.Empty()) << "the lines are loaded before the term is checked";
    EXPECT_EQ(SearchCommand(session, lines, "Šťastný").status, SearchOutcome::Status::NoResults);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "\"Stastny\" - no results found for search.");
}

TEST_F(CommandFixture, LinesAreLoadedOnceAndTheOfferRunsWithoutEloTxt) {
    SearchCommand(session, lines, "novak");
    WriteBytes(elo() / "elo.txt", EloFileText({"1|Someone Else|||||||||"}));
    EXPECT_EQ(SearchCommand(session, lines, "novak").rows.size(), 3u) << "kept for the whole run";

    RatingLines fresh;
    fs::remove(elo() / "elo.txt");
    WriteBytes(elo() / "list.xml", SampleXml(XmlStyles()[0]));
    ui.answers.push_back(Button::Yes);
    EXPECT_EQ(SearchCommand(session, fresh, "Zazadad").status, SearchOutcome::Status::ConversionOffered);
    EXPECT_TRUE(fresh.Empty()) << "no search in this command";
    EXPECT_EQ(SearchCommand(session, fresh, "Zazadad").rows.size(), 3u) << "the next search loads the new file";
}

}  // namespace
}  // namespace veltrun
