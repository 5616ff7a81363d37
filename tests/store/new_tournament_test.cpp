// Creating a tournament: the checks of the folder name, the files it writes
// and the tournament it leaves open. (The number of rounds is checked through
// the window, with the field it points at, and the command line.)
#include <gtest/gtest.h>

#include "store/field_error.h"
#include "store/new_tournament.h"
#include "store/text_file.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

using namespace veltrun::testing;

// The field and text of the refusal, or "" when the tournament is made.
std::string Refusal(StoreFixture& f, const std::string& name, const std::string& rounds = "5") {
    NewTournamentFields fields;
    fields.FolderName = name, fields.MaxRound = rounds;
    try { CreateTournament(f.session, fields); } catch (const FieldError& e) { return e.Field() + ": " + e.what(); }
    return "";
}

TEST(NewTournament, FolderNameChecksWhatIsLeftOpenAndTheDefaultTieBreaks) {
    StoreFixture f;
    const auto tourn = f.home.path() / "Tourn";
    std::filesystem::create_directories(tourn / "Taken");
    const std::string forbidden = "E_FOLDER: Directory name cannot contain characters \\/:*?\"<>|";
    const std::string taken = "\" already exists. Choose a different directory name.";
    for (const auto& [name, message] : std::vector<std::pair<std::string, std::string>>{
             {"a/b", forbidden}, {"a\\b", forbidden}, {"x:y", forbidden}, {"..", forbidden}, {".", forbidden},
             {" ... ", forbidden}, {"Taken", "E_FOLDER: A directory named \"Taken" + taken},
             {"", "E_FOLDER: A directory named \"" + taken}})
        EXPECT_EQ(Refusal(f, name), message) << name;
    EXPECT_FALSE(std::filesystem::exists(f.home.path() / "x:y"));
    EXPECT_FALSE(f.session.HasTournament());

    // A write that fails leaves no half folder, and the name stays free.
    SimulateWriteFailureAfter(20);
    EXPECT_THROW(Refusal(f, "Broken"), myException);
    EXPECT_EQ(FolderEntries(tourn), std::vector<std::string>{"Taken"});
    EXPECT_FALSE(f.session.HasTournament());
    EXPECT_EQ(Refusal(f, "Broken"), "");

    EXPECT_EQ(Refusal(f, " Spring Open ", "0"), "");
    EXPECT_EQ(f.session.tournament.TournamentFolder, (tourn / "Spring Open").string());
    EXPECT_EQ(f.session.tournament.MaxRound, 0);
    // The random colour is stored as R and drawn for the open tournament.
    EXPECT_NE(ReadBytes(tourn / "Spring Open" / "options.txt").find("ColourFor1stPlayer=R\r\n"), std::string::npos);
    std::string colour = f.session.tournament.ColourFor1stPlayer;
    EXPECT_TRUE(colour == "W" || colour == "B") << colour;
    // The default tie-breaks come from the settings file.
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

}  // namespace
}  // namespace veltrun
