// options.txt: any bytes open the tournament or are refused with a message,
// and every value taken from the file lies within its allowed set.
#include <algorithm>

#include "fuzz_tournament.h"
#include "store/errors.h"
#include "store/open_tournament.h"

using namespace veltrun;

namespace {

constexpr std::string_view kPlayers =
    "#on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID\r\n"
    "1|A1|Alpha Ann|2100|||\r\n"
    "1|A2|Beta Bob|2000|||\r\n";

constexpr std::string_view kRound = "|1-0|Alpha Ann-Beta Bob|1-2|A1-A2|2:1\r\n";

bool IsOneOf(const std::string& value, std::initializer_list<std::string_view> allowed) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto folder = fuzz::FreshTournamentFolder();
    std::string options(reinterpret_cast<const char*>(data), size);
    fuzz::PutFile(folder / "options.txt", options);
    fuzz::PutFile(folder / "players.txt", kPlayers);
    fuzz::PutFile(folder / "round1.txt", kRound);
    fuzz::FuzzSession s;
    try {
        OpenTournament(s.session, folder);
    } catch (const myException& e) {
        fuzz::RequireMessage(e);
        fuzz::Require(!s.session.HasTournament(), "a refused tournament is not open");
        return 0;
    }
    const Tournament& t = s.session.tournament;
    fuzz::Require(fuzz::FileBytes(folder / "options.txt") == options, "opening never writes options.txt");
    fuzz::Require(t.MaxRound >= 1, "a folder with round files has a number of rounds");
    fuzz::Require(t.CurrentRound >= 0 && t.CurrentRound <= std::max(t.MaxRound, 0), "current round within MaxRound");
    fuzz::Require(t.CurrentRound <= 1, "only the existing round file is read");
    fuzz::Require(IsOneOf(t.ColourFor1stPlayer, {"W", "B"}), "colour is W or B");
    fuzz::Require(IsOneOf(t.TBsType, {"Chess", "Goals"}), "TBsType is Chess or Goals");
    fuzz::Require(IsOneOf(t.PointsType, {"3-1-0", "1- 0.5 -0"}), "PointsType is a known system");
    for (int k = 1; k <= 5; ++k)
        fuzz::Require(t.TB(k) == "-" || IsValidTieBreakCode(t.TB(k)), "tie-break is a known code or -");
    fuzz::Require(!t.ValidResults.empty(), "the result codes are set");
    return 0;
}
