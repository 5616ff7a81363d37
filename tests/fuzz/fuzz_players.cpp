// players.txt: the loader refuses with a message or accepts without writing,
// and what it accepted survives the rewrite in rating order and a second load
// unchanged.
#include "fuzz_support.h"
#include "store/players_file.h"

using namespace veltrun;

VELTRUN_FUZZ_TARGET {
    auto file = fuzz::FreshTournamentFolder() / "players.txt";
    fuzz::WriteBytes(file, input);
    fuzz::FuzzSession s;
    Tournament first;
    if (fuzz::Refused([&] { LoadPlayers(s.session, first, file); }))
        return fuzz::Require(fuzz::ReadBytes(file) == input, "a refused file is left as it was");
    fuzz::Require(first.PlayerCount() <= MaxPlayers, "player count within the table");
    SortPlayersByElo(s.session, first);
    fuzz::Require(fuzz::ReadBytes(file) == input, "loading and sorting write nothing");
    // A value loading had to convert: the file stays as typed.
    if (fuzz::Refused([&] { WritePlayersFileInRatingOrder(s.session, first, file); }))
        return fuzz::Require(fuzz::ReadBytes(file) == input, "a refused rewrite leaves the file as it was");
    std::string rewritten = fuzz::ReadBytes(file);

    Tournament second;
    LoadPlayers(s.session, second, file);
    fuzz::Require(fuzz::PlayerPicture(first) == fuzz::PlayerPicture(second), "rewrite and reload keep the players");
    SortPlayersByElo(s.session, second);
    WritePlayersFileInRatingOrder(s.session, second, file);
    fuzz::Require(fuzz::ReadBytes(file) == rewritten, "a second rewrite changes nothing");
    for (int i = 1; i <= second.PlayerCount(); ++i)
        fuzz::Require(second.Player(i).StartNo == i, "start numbers follow the file order");
}
