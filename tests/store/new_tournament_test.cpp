// Creating a tournament: the dialog's checks, the files it writes and the
// tournament it leaves open.
#include <gtest/gtest.h>

#include "store/errors.h"
#include "store/field_error.h"
#include "store/new_tournament.h"
#include "store/open_tournament.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

using testing::ReadBytes;
using testing::StoreFixture;
using testing::WriteBytes;

NewTournamentFields Fields(const std::string& name, const std::string& rounds) {
    NewTournamentFields fields;
    fields.FolderName = name;
    fields.MaxRound = rounds;
    return fields;
}

// The refusal, with the field it points at.
std::string Refusal(StoreFixture& f, const NewTournamentFields& fields, std::string* field = nullptr) {
    try { CreateTournament(f.session, fields); } catch (const FieldError& e) {
        if (field) *field = e.Field();
        return e.what();
    }
    return "";
}

// The number of rounds is checked through the window (with the field it points
// at) and the command line; here the folder name and what is left open.
TEST(NewTournament, FieldChecks) {
    StoreFixture f;
    std::filesystem::create_directories(f.home.path() / "Tourn" / "Taken");
    const std::string forbidden = "Directory name cannot contain characters \\/:*?\"<>|";
    const std::string taken = " already exists. Choose a different directory name.";
    struct Case { std::string name, message; };
    for (const Case& c : std::vector<Case>{{"a/b", forbidden}, {"a\\b", forbidden}, {"x:y", forbidden}, {"..", forbidden},
                                           {".", forbidden}, {" ... ", forbidden}, {"Taken", "A directory named \"Taken\"" + taken},
                                           {"", "A directory named \"\"" + taken}}) {
        std::string field;
        EXPECT_EQ(Refusal(f, Fields(c.name, "5"), &field), c.message) << c.name;
        EXPECT_EQ(field, "E_FOLDER") << c.name;
    }
    EXPECT_FALSE(std::filesystem::exists(f.home.path() / "x:y"));
    EXPECT_FALSE(f.session.HasTournament());

    EXPECT_EQ(Refusal(f, Fields(" Spring Open ", "0")), "");
    EXPECT_EQ(f.session.tournament.TournamentFolder, (f.home.path() / "Tourn" / "Spring Open").string());
    EXPECT_EQ(f.session.tournament.MaxRound, 0);
    // The random colour is stored as R and drawn for the open tournament.
    EXPECT_NE(ReadBytes(f.home.path() / "Tourn" / "Spring Open" / "options.txt").find("ColourFor1stPlayer=R\r\n"),
              std::string::npos);
    std::string colour = f.session.tournament.ColourFor1stPlayer;
    EXPECT_TRUE(colour == "W" || colour == "B") << colour;
}

TEST(NewTournament, DefaultTieBreaksComeFromTheSettingsFile) {
    StoreFixture f;
    WriteBytes(f.home.path() / "Veltrun.ini",
               "[DefaultTBforChess]\nTB1=midBH\nTB2=xyz\nTB3=SB\n[DefaultTBforGoals]\nTB1=G1/G2\nTB2=BH\n");
    f.session.ReloadSettings();
    EXPECT_EQ(DefaultTieBreakIndex(f.session, 1, "Chess", 9), 1);
    EXPECT_EQ(DefaultTieBreakIndex(f.session, 2, "Chess", 9), 9);
    auto chess = DefaultTieBreaks(f.session, "Chess");
    auto goals = DefaultTieBreaks(f.session, "Goals");  // a chess code is not in the Goals list
    EXPECT_EQ(chess[0] + " " + chess[1] + " " + chess[2] + " " + goals[0] + " " + goals[1], "midBH - SB G1/G2 -");
    auto fields = DefaultNewTournamentFields(f.session);
    EXPECT_EQ(fields.FolderName + " " + fields.Colour + " " + fields.TB[0], "Tourn" + DateStamp() + " R midBH");
    EXPECT_EQ(CodeOfItem(TieBreakItems(f.session, "Goals")[2].Text), "G1-G2");
}

TEST(NewTournament, FailedWriteLeavesNoHalfFolder) {
    StoreFixture f;
    std::filesystem::create_directories(f.home.path() / "Tourn");
    SimulateWriteFailureAfter(20);
    EXPECT_THROW(CreateTournament(f.session, Fields("Broken", "5")), myException);
    EXPECT_FALSE(std::filesystem::exists(f.home.path() / "Tourn" / "Broken"));
    EXPECT_TRUE(std::filesystem::exists(f.home.path() / "Tourn"));
    EXPECT_FALSE(f.session.HasTournament());
    EXPECT_EQ(Refusal(f, Fields("Broken", "5")), "");
}

}  // namespace
}  // namespace veltrun
