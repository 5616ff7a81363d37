#pragma once
// A program folder with one small finished tournament on disk, opened the
// way the program opens it.
#include <gtest/gtest.h>

#include "store/open_tournament.h"
#include "store/text_file.h"
#include "support/store_fixture.h"

namespace veltrun::testing {

namespace fs = std::filesystem;

class FideFixture : public ::testing::Test, public StoreFixture {
protected:
    void SetUp() override { session.settings.SystemPrefixForAlias = "A"; }
    fs::path TournamentFolder(const std::string& name) { return session.TournFolder() / name; }
    void Open(const fs::path& folder) { OpenTournament(session, folder); }

    // Players in rating order; A5 is suspended before round 3. Round 2 has a
    // forfeit, round 3 a double forfeit.
    fs::path WriteSmallTournament(const std::string& name = "Open 2024", int maxRound = 3) {
        fs::path folder = TournamentFolder(name);
        fs::create_directories(folder);
        WriteTextLines(folder / "options.txt", {"[Options]", "MaxRound=" + std::to_string(maxRound)});
        WriteTextLines(folder / "players.txt",
                       {"1|A1|Novák, Jiří|2310|23456789|1001|", "1|A2|Šťastná, Žofie|2205|23400001||",
                        "1|A3|Bartholomew-Wolfeschlegelsteinhausen, Maximilian|2104||77|",
                        "1|A4|Doe, John|1850|999|4|", "0|A5|Lee, Ann|0|||"});
        WriteTextLines(folder / "round1.txt", {"|1-0|||A1-A4", "|0.5-0.5|||A3-A2", "|1k-0k|||A5-bye"});
        WriteTextLines(folder / "round2.txt", {"|0-1|||A2-A1", "|0k-1k|||A4-A5", "|1k-0k|||A3-bye"});
        WriteTextLines(folder / "round3.txt", {"|0.5-0.5|||A1-A3", "|0k-0k|||A4-A2", "|0k-0k|||A5-stop"});
        return folder;
    }
};

}  // namespace veltrun::testing
