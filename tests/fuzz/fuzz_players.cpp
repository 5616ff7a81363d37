// players.txt: the loader refuses with a message or accepts without writing,
// and what it accepted survives the rewrite in rating order and a second load
// unchanged.
#include "fuzz_tournament.h"
#include "store/errors.h"
#include "store/players_file.h"

using namespace veltrun;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto folder = fuzz::FreshTournamentFolder();
    auto file = folder / "players.txt";
    std::string input(reinterpret_cast<const char*>(data), size);
    fuzz::PutFile(file, input);
    fuzz::FuzzSession s;
    Tournament first;
    try {
        LoadPlayers(s.session, first, file);
    } catch (const myException& e) {
        fuzz::RequireMessage(e);
        fuzz::Require(fuzz::FileBytes(file) == input, "a refused file is left as it was");
        return 0;
    }
    fuzz::Require(first.PlayerCount() <= MaxPlayers, "player count within the table");
    SortPlayersByElo(s.session, first);
    fuzz::Require(fuzz::FileBytes(file) == input, "loading and sorting write nothing");
    try {
        WritePlayersFileInRatingOrder(s.session, first, file);
    } catch (const myException& e) {
        // A value loading had to convert: the file stays as typed.
        fuzz::RequireMessage(e);
        fuzz::Require(fuzz::FileBytes(file) == input, "a refused rewrite leaves the file as it was");
        return 0;
    }
    std::string rewritten = fuzz::FileBytes(file);

    Tournament second;
    LoadPlayers(s.session, second, file);
    fuzz::Require(fuzz::PlayerPicture(first) == fuzz::PlayerPicture(second), "rewrite and reload keep the players");
    SortPlayersByElo(s.session, second);
    WritePlayersFileInRatingOrder(s.session, second, file);
    fuzz::Require(fuzz::FileBytes(file) == rewritten, "a second rewrite changes nothing");
    for (int i = 1; i <= second.PlayerCount(); ++i)
        fuzz::Require(second.Player(i).StartNo == i, "start numbers follow the file order");
    return 0;
}
