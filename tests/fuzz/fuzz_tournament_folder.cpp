// A whole tournament folder from one input: options.txt, players.txt and the round files,
// separated by lines "@@". Opening it and pairing the next round in memory either refuses (our
// error, or a refusal shown to the director) or pairs every active player exactly once, with
// nobody meeting an earlier opponent again.
#include "app/command_pairing.h"
#include "fuzz_support.h"
#include "store/open_tournament.h"
#include "store/player_history.h"

using namespace veltrun;

namespace {

constexpr std::string_view kSeparator = "\n@@\n";
constexpr int kMostRounds = 9;

std::vector<std::string_view> SplitParts(std::string_view input) {
    std::vector<std::string_view> parts;
    for (;;) {
        const size_t at = input.find(kSeparator);
        parts.push_back(input.substr(0, at));
        if (at == std::string_view::npos) return parts;
        input.remove_prefix(at + kSeparator.size());
    }
}

bool PlayedBefore(const TPlayer& player, const TPlayer& opponent) {
    const std::string wanted = ToLowerAscii(opponent.ArrivalID);
    const int rounds = HistoryLength(player.OpponentHistory);
    for (int k = 1; k <= rounds; ++k)
        if (ToLowerAscii(Trim(GetField(player.OpponentHistory, '|', k))) == wanted) return true;
    return false;
}

void CheckPairing(const Tournament& t, const RoundPairing& pairing) {
    std::vector<int> seen(static_cast<size_t>(t.PlayerCount()) + 1, 0);
    auto index = [&t](const std::string& side) {
        fuzz::Require(IsAllDigits(side) && !side.empty() && side.size() < 6, "a side is a player's index or bye");
        const int i = std::stoi(side);
        fuzz::Require(i >= 1 && i <= t.PlayerCount(), "a side names a player of the table");
        return i;
    };
    for (const std::string& line : pairing.PairList) {
        const std::string white = GetField(line, '|', 1), black = GetField(line, '|', 2);
        const int w = index(white);
        ++seen[static_cast<size_t>(w)];
        if (black == "bye") continue;
        const int b = index(black);
        ++seen[static_cast<size_t>(b)];
        fuzz::Require(w != b, "nobody is paired against himself");
        fuzz::Require(!PlayedBefore(t.Player(w), t.Player(b)) && !PlayedBefore(t.Player(b), t.Player(w)),
                      "no game is repeated");
    }
    for (int i = 1; i <= t.PlayerCount(); ++i)
        fuzz::Require(seen[static_cast<size_t>(i)] == (t.Player(i).OnOff == 1 ? 1 : 0),
                      "every active player is paired exactly once, nobody else");
}

}  // namespace

VELTRUN_FUZZ_TARGET {
    const std::vector<std::string_view> parts = SplitParts(input);
    if (parts.size() < 2 || parts.size() > 2 + kMostRounds) return;
    const auto folder = fuzz::FreshTournamentFolder();
    fuzz::WriteBytes(folder / "options.txt", parts[0]);
    fuzz::WriteBytes(folder / "players.txt", parts[1]);
    for (size_t r = 2; r < parts.size(); ++r)
        fuzz::WriteBytes(folder / ("round" + std::to_string(r - 1) + ".txt"), parts[r]);

    fuzz::FuzzSession s;
    if (fuzz::Refused([&] { OpenTournament(s.session, folder); })) return;
    // The dry run works on the tournament in memory; keep what it must not change.
    const Tournament& t = s.session.tournament;
    const auto before = fuzz::PlayerPicture(t);
    std::optional<RoundPairing> pairing;
    if (fuzz::Refused([&] { pairing = PairNextRoundDryRun(s.session); })) return;
    fuzz::Require(fuzz::PlayerPicture(t) == before, "a dry run leaves the tournament as it was");
    if (!pairing) return fuzz::Require(!s.ui.messages.empty(), "a refusal is shown to the director");
    CheckPairing(t, *pairing);
}
