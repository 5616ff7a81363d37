// round1.txt: opening the tournament replays it or refuses with a message and
// leaves nothing open; a replay that succeeded gives the same histories when
// the tournament is opened again.
#include "fuzz_tournament.h"
#include "store/errors.h"
#include "store/open_tournament.h"
#include "store/player_history.h"

using namespace veltrun;

namespace {

constexpr std::string_view kPlayers =
    "#on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID\r\n"
    "1|A1|Alpha Ann|2100|||T1\r\n"
    "1|A2|Beta Bob|2000|||T2\r\n"
    "1|A3|Gamma Gil|1900|||\r\n"
    "0|A4|Delta Dan|1800|||\r\n"
    "1|A5|Eps Eve|0|||\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte chooses the kind of tournament, the rest is the round file.
    bool goals = (data[0] & 1) != 0;
    bool threePoints = (data[0] & 2) != 0;
    std::string round(reinterpret_cast<const char*>(data + 1), size - 1);
    auto folder = fuzz::FreshTournamentFolder();
    fuzz::PutFile(folder / "options.txt", std::string("[Options]\r\nMaxRound=3\r\nColourFor1stPlayer=W\r\nPointsType=") +
                                              (threePoints ? "3-1-0" : "1- 0.5 -0") +
                                              "\r\nTBsType=" + (goals ? "Goals" : "Chess") + "\r\nTB1=BH\r\n");
    fuzz::PutFile(folder / "players.txt", kPlayers);
    fuzz::PutFile(folder / "round1.txt", round);

    fuzz::FuzzSession s;
    try {
        OpenTournament(s.session, folder);
    } catch (const myException& e) {
        fuzz::RequireMessage(e);
        fuzz::Require(!s.session.HasTournament(), "a refused tournament is not open");
        fuzz::Require(fuzz::FileBytes(folder / "round1.txt") == round, "a refused round file is left as it was");
        return 0;
    }
    fuzz::Require(s.session.tournament.CurrentRound == 1, "the round file is read");
    auto picture = fuzz::PlayerPicture(s.session.tournament);
    for (int i = 1; i <= s.session.tournament.PlayerCount(); ++i)
        fuzz::Require(HistoryLength(s.session.tournament.Player(i).ColourHistory) <= 1, "at most one game per round");

    fuzz::FuzzSession again;
    OpenTournament(again.session, folder);
    fuzz::Require(fuzz::PlayerPicture(again.session.tournament) == picture, "reopening gives the same histories");
    return 0;
}
