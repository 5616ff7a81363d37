// players.txt: the strict loader, its warnings and the rewrite in rating order.
#include <gtest/gtest.h>

#include "store/errors.h"
#include "store/open_tournament.h"
#include "store/players_file.h"
#include "store/text_file.h"
#include "store/tournament.h"
#include "support/store_fixture.h"

namespace veltrun {
namespace {

using testing::Crlf;
using testing::ReadBytes;
using testing::StoreFixture;
using testing::WriteBytes;

std::string LoadError(StoreFixture& f, const std::string& players) {
    WriteBytes(f.Folder() / "players.txt", players);
    Tournament t;
    return testing::ErrorOf([&] { LoadPlayers(f.session, t, f.Folder() / "players.txt"); });
}

// The file is named once, with the line; a duplicate names both lines.
TEST(PlayersFile, EveryRefusalNamesTheFileAndTheLine) {
    StoreFixture f;
    const std::string in = " (in file " + (f.Folder() / "players.txt").string() + ", line ", fatal = "Fatal error. ";
    const struct {
        std::string file, message, log;
    } cases[] = {
        {"# h\n1|A|Ann|1|||\n1||Ben|1|||\n", fatal + "Empty ArrivalID was found" + in + "3).", "Empty ArrivalID was founded."},
        {"\n1| bye |Ben|1|||\n", fatal + "ArrivalID is bye" + in + "2).", "Fatal error. ArrivalID is bye."},
        {"1|stop|Ben|1|||\n", fatal + "ArrivalID is stop" + in + "1).", "Fatal error. ArrivalID is stop."},
        {"1|A-1|Ben|1|||\n", fatal + "ArrivalID (A-1) contains dash [-]" + in + "1).", "ArrivalID (A-1) contain dash"},
        {"1|A1|Ann|1|||\n#\n1|a1|Ben|1|||\n", fatal + "ArrivalID (a1) is not unique" + in + "3), the same as on line 1.",
         "Fatal error. ArrivalID (a1) is not unique."},
    };
    for (const auto& c : cases) {
        f.log.clear();
        EXPECT_EQ(LoadError(f, c.file), c.message);
        EXPECT_TRUE(f.Logged(c.log)) << c.log;
    }
    EXPECT_EQ(LoadError(f, "1|A|B|1|||\n"), "");
}

TEST(PlayersFile, TheTwoThousandAndFirstPlayerIsRefused) {
    StoreFixture f;
    std::string file = "#on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID\n";
    for (int i = 1; i <= 2001; ++i) file += "1|P" + std::to_string(i) + "|Player " + std::to_string(i) + "|1000|||\n";
    std::string message = LoadError(f, file);
    EXPECT_EQ(message.rfind("The maximum number of players in a tournament is 2000.", 0), 0u) << message;
    EXPECT_NE(message.find("line 2002"), std::string::npos) << message;
    file.resize(file.rfind("1|P2001"));
    EXPECT_EQ(LoadError(f, file), "");
}

TEST(PlayersFile, InvalidRatingAndOnOffAreWarnedAndUsedConvertedInMemoryOnly) {
    StoreFixture f;
    auto folder = f.Folder();
    const std::string typed = "1|A|Ann|2100.5|||\n2|B|Ben||||\n0|C|Cid|1500|||\n";
    WriteBytes(folder / "players.txt", typed);
    OpenTournament(f.session, folder);
    const Tournament& t = f.session.tournament;
    auto warnings = f.ui.Texts(MessageKind::Warning);
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_EQ(warnings[0].rfind("Player (A) has invalid value at (fourth) field \"ELO\" (in file ", 0), 0u) << warnings[0];
    EXPECT_NE(warnings[0].find("Value \"2100.5\" was converted to 0."), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[2].find("(first) field \"on/off\""), std::string::npos) << warnings[2];
    EXPECT_TRUE(f.Logged("Warning: " + warnings[0]));
    // Cid 1500, then Ann and Ben with 0 by name; Ben suspended by his on/off of 2.
    EXPECT_EQ(t.Player(1).ArrivalID, "C");
    EXPECT_EQ(t.Player(1).OnOff, 0);
    EXPECT_EQ(t.Player(3).ArrivalID, "B");
    EXPECT_EQ(t.Player(3).OnOff, 0);
    EXPECT_EQ(ReadBytes(folder / "players.txt"), typed);
    // A rewrite would replace what was typed: refused, naming file and line.
    for (std::string cut : {"", "1|D|Dan|1400|||\n1|AKovac\n"}) {
        WriteBytes(folder / "players.txt", cut + typed);
        std::string where = cut.empty() ? "\"2100.5\" (in file " + (folder / "players.txt").string() + ", line 1)"
                                        : "\"\" (in file " + (folder / "players.txt").string() + ", line 2)";
        EXPECT_NE(testing::ErrorOf([&] { WritePlayersFileInRatingOrder(f.session, t, folder / "players.txt"); })
                      .find("Value " + where + " cannot be read."),
                  std::string::npos);
        EXPECT_EQ(ReadBytes(folder / "players.txt"), cut + typed);
    }
}

TEST(PlayersFile, SortIsByRatingThenNameAndStable) {
    StoreFixture f;
    auto folder = f.Folder();
    WriteBytes(folder / "players.txt",
               "1|D|delta|2000|||\n1|X|Same|1800|||first\n1|A|Alpha|2000|||\n1|Y|same|1800|||second\n"
               "1|Z|Zed|2400|||\n");
    OpenTournament(f.session, folder);
    const Tournament& t = f.session.tournament;
    std::string order;
    for (int i = 1; i <= t.PlayerCount(); ++i) {
        order += t.Player(i).ArrivalID;
        EXPECT_EQ(t.Player(i).StartNo, i);
    }
    EXPECT_EQ(order, "ZADXY");

    // The first pairing writes that order; opening does not.
    EXPECT_EQ(ReadBytes(folder / "players.txt").substr(0, 16), "1|D|delta|2000||");
    WritePlayersFileInRatingOrder(f.session, t, folder / "players.txt");
    EXPECT_EQ(ReadBytes(folder / "players.txt"),
              Crlf({std::string(PlayersFileHeader), "1|Z|Zed|2400|||", "1|A|Alpha|2000|||", "1|D|delta|2000|||",
                    "1|X|Same|1800|||first", "1|Y|same|1800|||second"}));
}

}  // namespace
}  // namespace veltrun
