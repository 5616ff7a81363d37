// The engine's answer: refused with a message, or a set of pairs in which
// every active player stands exactly once, no suspended player, one bye at most.
#include <set>

#include "fide/engine_output.h"
#include "fuzz_tournament.h"
#include "store/errors.h"
#include "store/open_tournament.h"

using namespace veltrun;

namespace {

constexpr std::string_view kPlayers =
    "1|A1|Alpha Ann|2100|||\r\n1|A2|Beta Bob|2000|||\r\n1|A3|Gamma Gil|1900|||\r\n"
    "1|A4|Delta Dan|1800|||\r\n1|A5|Eps Eve|1700|||\r\n0|A6|Zeta Zoe|1600|||\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::FuzzSession s;
    static std::filesystem::path folder = [] {
        auto f = fuzz::FreshTournamentFolder();
        fuzz::PutFile(f / "options.txt", "[Options]\r\nMaxRound=5\r\n");
        fuzz::PutFile(f / "players.txt", kPlayers);
        OpenTournament(s.session, f);
        return f;
    }();
    auto file = folder / "out.txt";
    fuzz::PutFile(file, std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<EnginePair> pairs;
    try {
        pairs = ReadEngineOutput(s.session, file);
    } catch (const myException& e) {
        fuzz::RequireMessage(e);
        return 0;
    }
    const Tournament& t = s.session.tournament;
    std::set<int> seen;
    int byes = 0;
    for (const auto& p : pairs) {
        for (int side : {p.white, p.black}) {
            if (side == 0) {
                ++byes;
                continue;
            }
            fuzz::Require(side >= 1 && side <= t.PlayerCount(), "a start number inside the field");
            fuzz::Require(t.Player(side).OnOff == 1, "no suspended player is paired");
            fuzz::Require(seen.insert(side).second, "nobody is paired twice");
        }
    }
    int active = 0;
    for (int i = 1; i <= t.PlayerCount(); ++i) active += t.Player(i).OnOff == 1;
    fuzz::Require(static_cast<int>(seen.size()) == active, "every active player is paired");
    fuzz::Require(byes <= 1, "one bye at most");
    return 0;
}
