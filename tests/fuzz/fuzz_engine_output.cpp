// The engine's answer: refused with a message, or a set of pairs in which
// every active player stands exactly once, no suspended player, one bye at most.
#include <set>

#include "fide/engine_output.h"
#include "fuzz_support.h"
#include "store/open_tournament.h"

using namespace veltrun;

VELTRUN_FUZZ_TARGET {
    static fuzz::FuzzSession s;
    static std::filesystem::path folder = [] {
        auto f = fuzz::FreshTournamentFolder();
        fuzz::WriteBytes(f / "options.txt", "[Options]\r\nMaxRound=5\r\n");
        fuzz::WriteBytes(f / "players.txt", "1|A1|Alpha Ann|2100|||\r\n1|A2|Beta Bob|2000|||\r\n1|A3|Gamma Gil|1900|||\r\n"
                                            "1|A4|Delta Dan|1800|||\r\n1|A5|Eps Eve|1700|||\r\n0|A6|Zeta Zoe|1600|||\r\n");
        OpenTournament(s.session, f);
        return f;
    }();
    fuzz::WriteBytes(folder / "out.txt", input);
    std::vector<EnginePair> pairs;
    if (fuzz::Refused([&] { pairs = ReadEngineOutput(s.session, folder / "out.txt"); })) return;
    const Tournament& t = s.session.tournament;
    std::set<int> seen;
    int byes = 0;
    for (const auto& p : pairs)
        for (int side : {p.white, p.black}) {
            byes += side == 0;
            if (side == 0) continue;
            fuzz::Require(side >= 1 && side <= t.PlayerCount(), "a start number inside the field");
            fuzz::Require(t.Player(side).OnOff == 1, "no suspended player is paired");
            fuzz::Require(seen.insert(side).second, "nobody is paired twice");
        }
    int active = 0;
    for (int i = 1; i <= t.PlayerCount(); ++i) active += t.Player(i).OnOff == 1;
    fuzz::Require(static_cast<int>(seen.size()) == active, "every active player is paired");
    fuzz::Require(byes <= 1, "one bye at most");
}
