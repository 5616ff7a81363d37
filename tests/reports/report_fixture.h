#pragma once
// A program folder with the shipped settings and one small tournament folder
// written by hand, opened the way every command opens it.
#include <filesystem>
#include <string>
#include <vector>

#include "app/startup.h"
#include "store/ini_file.h"
#include "store/open_tournament.h"
#include "store/session.h"
#include "store/text_file.h"
#include "support/store_fixture.h"

namespace veltrun::testing {

inline bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class ReportFixture {
public:
    explicit ReportFixture(const std::string& name = "Small") : folder(home.path() / "Tourn" / name) {
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(std::filesystem::path(VELTRUN_SOURCE_DIR) / "data" / "Veltrun.ini",
                                   home.path() / "Veltrun.ini");
    }

    void Options(const std::string& points, const std::string& type, std::vector<std::string> tieBreaks,
                 int maxRound = 5) {
        std::vector<std::string> lines{"[Options]", "MaxRound=" + std::to_string(maxRound), "ColourFor1stPlayer=W",
                                       "PointsType=" + points, "TBsType=" + type};
        tieBreaks.resize(5, "-");
        for (int k = 1; k <= 5; ++k) lines.push_back("TB" + std::to_string(k) + "=" + tieBreaks[k - 1]);
        WriteTextLines(folder / "options.txt", lines);
    }
    void Players(const std::vector<std::string>& lines) {
        std::vector<std::string> all{"#on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID"};
        all.insert(all.end(), lines.begin(), lines.end());
        WriteTextLines(folder / "players.txt", all);
    }
    void RoundFile(int round, const std::vector<std::string>& lines) {
        WriteTextLines(folder / ("round" + std::to_string(round) + ".txt"), lines);
    }
    void Setting(const std::string& section, const std::string& key, const std::string& value) {
        IniWriteString(home.path() / "Veltrun.ini", section, key, value);
    }
    // StartSession and OpenTournament, as a command does.
    void Open() {
        StartSession(session);
        OpenTournament(session, folder);
    }
    std::string Report(const std::string& fileName) const { return ReadBytes(folder / fileName); }

    TempFolder home;
    std::filesystem::path folder;
    ScriptedUi ui;
    Session session{ui, home.path()};
};

// Five players, three rounds, the last one not yet complete:
//   R1: A1-A3 1-0, A4-A2 0.5-0.5, A5 bye
//   R2: A2-A1 0-1, A3-A4 1k-0k, A5 suspended
//   R3: A1-A4 ?-?, A3-A2 0.5-0.5, A5 suspended
// Points: A1 2, A3 1.5, A2 1, A5 1, A4 0.5.
inline void WriteSmallTournament(ReportFixture& f) {
    f.Options("1- 0.5 -0", "Chess", {"BH", "-", "SB"});
    f.Players({"1|A1|Nováková, Jana|2210|||Brno", "1|A2|Wiśniewski, Łukasz|2105|||Praha",
               "1|A3|Müller, Hans|1980|||Brno", "1|A4|O'Brien, Pat|1850|||", "0|A5|Zeman, Petr|0|||Praha"});
    f.RoundFile(1, {"# symbol ?-? must be replaced by valid result", "|1-0|Nováková, Jana-Müller, Hans|1-3|A1-A3",
                    "|0.5-0.5|O'Brien, Pat-Wiśniewski, Łukasz|4-2|A4-A2", "|1k-0k|Zeman, Petr-bye|5-bye|A5-bye"});
    f.RoundFile(2, {"|0-1|||A2-A1", "|1k-0k|||A3-A4", "|0k-0k|||A5-stop"});
    f.RoundFile(3, {"|?-?|||A1-A4", "|0.5-0.5|||A3-A2", "|0k-0k|||A5-stop"});
}

}  // namespace veltrun::testing
