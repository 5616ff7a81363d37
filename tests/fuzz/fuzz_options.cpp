// options.txt: any bytes open the tournament or are refused with a message,
// and every value taken from the file lies within its allowed set.
#include <algorithm>

#include "fuzz_support.h"
#include "store/open_tournament.h"

using namespace veltrun;

namespace {

bool IsOneOf(const std::string& value, std::initializer_list<std::string_view> allowed) {
    return std::find(allowed.begin(), allowed.end(), value) != allowed.end();
}

}  // namespace

VELTRUN_FUZZ_TARGET {
    auto folder = fuzz::FreshTournamentFolder();
    fuzz::WriteBytes(folder / "options.txt", input);
    fuzz::WriteBytes(folder / "players.txt", "#on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID\r\n"
                                             "1|A1|Alpha Ann|2100|||\r\n1|A2|Beta Bob|2000|||\r\n");
    fuzz::WriteBytes(folder / "round1.txt", "|1-0|Alpha Ann-Beta Bob|1-2|A1-A2|2:1\r\n");
    fuzz::FuzzSession s;
    if (fuzz::Refused([&] { OpenTournament(s.session, folder); }))
        return fuzz::Require(!s.session.HasTournament(), "a refused tournament is not open");
    const Tournament& t = s.session.tournament;
    fuzz::Require(fuzz::ReadBytes(folder / "options.txt") == input, "opening never writes options.txt");
    fuzz::Require(t.MaxRound >= 1, "a folder with round files has a number of rounds");
    fuzz::Require(t.CurrentRound >= 0 && t.CurrentRound <= std::max(t.MaxRound, 0), "current round within MaxRound");
    fuzz::Require(t.CurrentRound <= 1, "only the existing round file is read");
    fuzz::Require(IsOneOf(t.ColourFor1stPlayer, {"W", "B"}), "colour is W or B");
    fuzz::Require(IsOneOf(t.TBsType, {"Chess", "Goals"}), "TBsType is Chess or Goals");
    fuzz::Require(IsOneOf(t.PointsType, {"3-1-0", "1- 0.5 -0"}), "PointsType is a known system");
    for (int k = 1; k <= 5; ++k)
        fuzz::Require(t.TB(k) == "-" || IsValidTieBreakCode(t.TB(k)), "tie-break is a known code or -");
    fuzz::Require(!t.ValidResults.empty(), "the result codes are set");
}
