// Result entry: the dialog's checks, the rewrite of one line, and the model
// following the file.
#include <gtest/gtest.h>

#include "store/errors.h"
#include "store/field_error.h"
#include "store/open_tournament.h"
#include "store/result_entry.h"
#include "store/text_file.h"
#include "store/tournament.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

using testing::ReadBytes;
using testing::StoreFixture;
using testing::WriteBytes;

std::filesystem::path Tournament2Rounds(StoreFixture& f, const std::string& type, const std::string& round2) {
    auto folder = f.Folder();
    WriteBytes(folder / "options.txt", "[Options]\nMaxRound=5\nTBsType=" + type + "\n");
    WriteBytes(folder / "players.txt", "1|A1|Ann|2400|||\n1|A2|Ben|2300|||\n1|A3|Cid|2200|||\n1|A4|Dan|2100|||\n");
    WriteBytes(folder / "round1.txt", "|1-0|||A1-A2\n|1-0|||A3-A4\n");
    WriteBytes(folder / "round2.txt", round2);
    OpenTournament(f.session, folder);
    return folder;
}

std::string Refusal(StoreFixture& f, const ResultFields& fields, std::string* field = nullptr) {
    try {
        SaveResult(f.session, fields);
    } catch (const FieldError& e) {
        if (field) *field = e.Field();
        return e.what();
    } catch (const myException& e) {
        return e.what();
    }
    return "";
}

TEST(ResultEntry, SavingRewritesOnlyItsLineAndKeepsComments) {
    StoreFixture f;
    std::string round2 =
        "# symbol ?-? must be replaced by valid result\r\n\r\n  |?-?|Ann Ash-Cid Cole|1-3|A1-A3  \r\n"
        "# between\n|?-?|Ben-Dan|2-4|A2-A4|7:7\n";
    auto folder = Tournament2Rounds(f, "Chess", round2);
    auto items = FillGameList(f.session.tournament, GamesToEnter(f.session, f.session.tournament));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Text(), "[1] Ann - Cid    |A1-A3|2|");
    EXPECT_EQ(items[1].Label, "[2] Ben - Dan");
    EXPECT_EQ(ResultChoices(f.session.tournament).front(), "?-?");

    SaveResult(f.session, {"A2-A4", 2, "0.5-0.5", "", ""});
    EXPECT_EQ(ReadBytes(folder / "round2.txt"),
              "# symbol ?-? must be replaced by valid result\r\n\r\n|?-?|Ann Ash-Cid Cole|1-3|A1-A3\r\n"
              "# between\r\n|0.5-0.5|Ben-Dan|2-4|A2-A4\r\n");
    EXPECT_TRUE(f.Logged("Game A2-A4 (0.5-0.5) inserted into file round2.txt"));
    EXPECT_DOUBLE_EQ(f.session.tournament.Player(2).Points, 0.5);
    EXPECT_DOUBLE_EQ(f.session.tournament.Player(4).Points, 0.5);
    EXPECT_EQ(GamesToEnter(f.session, f.session.tournament).size(), 1u);

    // After a reload the file says the same as the model did.
    double before = f.session.tournament.Player(2).Points;
    OpenTournament(f.session, folder);
    EXPECT_DOUBLE_EQ(f.session.tournament.Player(2).Points, before);
}

TEST(ResultEntry, DialogChecksRefuseAndWriteNothing) {
    StoreFixture f;
    auto folder = Tournament2Rounds(f, "Goals", "|?-?|||A1-A3|0:0\n|?-?|||A2-A4|0:0\n");
    std::string untouched = ReadBytes(folder / "round2.txt");
    struct Row {
        std::string result, goals1, goals2, message, field;
    };
    // The dialog's empty and non-numeric fields are checked through the window.
    for (const Row& r : std::vector<Row>{{"1-0", " ", "1", "Result must be entered.", "E_GOALS1"},
                                         {"1-0", "1", "-1", "Result must be number.", "E_GOALS2"}}) {
        std::string field;
        EXPECT_EQ(Refusal(f, {"A1-A3", 2, r.result, r.goals1, r.goals2}, &field), r.message);
        EXPECT_EQ(field, r.field) << r.result << " " << r.goals1 << ":" << r.goals2;
    }
    EXPECT_EQ(ReadBytes(folder / "round2.txt"), untouched);
    EXPECT_EQ(f.session.tournament.Player(1).PointsHistory, "1|");

    // Goals as typed with a comma; the score is not compared with the result.
    EXPECT_EQ(Refusal(f, {"A1-A3", 2, "0.5-0.5", "2,5", "2"}), "");
    EXPECT_NE(ReadBytes(folder / "round2.txt").find("|0.5-0.5|||A1-A3|2.5:2\r\n"), std::string::npos);
    EXPECT_EQ(f.session.tournament.Player(3).GoalsHistory, "0:0|2:2.5|");
    EXPECT_TRUE(f.Logged("Game A1-A3 (0.5-0.5) [2.5:2] inserted into file round2.txt"));
}

TEST(ResultEntry, ChessDropsTheGoalsFieldAndMissingFilesAreReported) {
    StoreFixture f;
    auto folder = Tournament2Rounds(f, "Chess", "|?-?|||A1-A3|9:9\n|?-?|||A2-A4\n");
    SaveResult(f.session, {"A1-A3", 2, "0-1", "", ""});
    EXPECT_EQ(ReadBytes(folder / "round2.txt"), "|0-1|||A1-A3\r\n|?-?|||A2-A4\r\n");

    std::filesystem::remove(folder / "round2.txt");
    EXPECT_EQ(Refusal(f, {"A2-A4", 2, "1-0", "", ""}), "File not exist (" + (folder / "round2.txt").string() + ").");
}

TEST(ResultEntry, FailedWriteKeepsFileAndModel) {
    StoreFixture f;
    auto folder = Tournament2Rounds(f, "Chess", "|?-?|||A1-A3\n|?-?|||A2-A4\n");
    std::string untouched = ReadBytes(folder / "round2.txt");
    SimulateWriteFailureAfter(5);
    EXPECT_THROW(SaveResult(f.session, {"A1-A3", 2, "1-0", "", ""}), myException);
    EXPECT_EQ(ReadBytes(folder / "round2.txt"), untouched);
    EXPECT_DOUBLE_EQ(f.session.tournament.Player(1).Points, 1.0);
    EXPECT_EQ(GamesToEnter(f.session, f.session.tournament).size(), 2u);

    // An alias edited away since the opening is refused before the file changes.
    WriteBytes(folder / "round2.txt", "|?-?|||A1-Q7\n");
    std::string message = Refusal(f, {"A1-Q7", 2, "1-0", "", ""});
    EXPECT_EQ(message, "Fatal error (in file round2.txt). Alias (Q7) not found in file players.txt.");
    EXPECT_EQ(ReadBytes(folder / "round2.txt"), "|?-?|||A1-Q7\n");
}

}  // namespace
}  // namespace veltrun
