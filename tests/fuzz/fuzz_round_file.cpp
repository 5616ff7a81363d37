// round1.txt: opening the tournament replays it or refuses with a message and
// leaves nothing open; a replay that succeeded gives the same histories when
// the tournament is opened again.
#include "fuzz_support.h"
#include "store/open_tournament.h"
#include "store/player_history.h"

using namespace veltrun;

VELTRUN_FUZZ_TARGET {
    if (input.empty()) return;
    // The first byte chooses the kind of tournament, the rest is the round file.
    bool goals = (input[0] & 1) != 0, threePoints = (input[0] & 2) != 0;
    std::string_view round = input.substr(1);
    auto folder = fuzz::FreshTournamentFolder();
    fuzz::WriteBytes(folder / "options.txt", std::string("[Options]\r\nMaxRound=3\r\nColourFor1stPlayer=W\r\nPointsType=") +
                                                 (threePoints ? "3-1-0" : "1- 0.5 -0") +
                                                 "\r\nTBsType=" + (goals ? "Goals" : "Chess") + "\r\nTB1=BH\r\n");
    fuzz::WriteBytes(folder / "players.txt", "#on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID\r\n1|A1|Alpha Ann|2100|||T1\r\n"
                                             "1|A2|Beta Bob|2000|||T2\r\n1|A3|Gamma Gil|1900|||\r\n0|A4|Delta Dan|1800|||\r\n"
                                             "1|A5|Eps Eve|0|||\r\n");
    fuzz::WriteBytes(folder / "round1.txt", round);

    fuzz::FuzzSession s;
    if (fuzz::Refused([&] { OpenTournament(s.session, folder); })) {
        fuzz::Require(!s.session.HasTournament(), "a refused tournament is not open");
        return fuzz::Require(fuzz::ReadBytes(folder / "round1.txt") == round, "a refused round file is left as it was");
    }
    fuzz::Require(s.session.tournament.CurrentRound == 1, "the round file is read");
    auto picture = fuzz::PlayerPicture(s.session.tournament);
    for (int i = 1; i <= s.session.tournament.PlayerCount(); ++i)
        fuzz::Require(HistoryLength(s.session.tournament.Player(i).ColourHistory) <= 1, "at most one game per round");

    fuzz::FuzzSession again;
    OpenTournament(again.session, folder);
    fuzz::Require(fuzz::PlayerPicture(again.session.tournament) == picture, "reopening gives the same histories");
}
