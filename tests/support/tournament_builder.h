#pragma once
// A small tournament held in memory, built the way loading builds it: players
// first, then every game through InsertGame, round by round.
#include <string>
#include <vector>

#include "store/options_file.h"
#include "support/store_fixture.h"

namespace veltrun::testing {

struct Game { std::string id, result, goals = "0:0"; };  // "A1-A2", "A3-bye", "A4-stop"; "1-0", "1k-0k", "?-?" ...

class TournamentBuilder : public StoreFixture {
public:
    explicit TournamentBuilder(const std::string& pointsType = "1- 0.5 -0", const std::string& tbsType = "Chess") {
        session.tournament.TournamentFolder = home.str();
        session.tournament.TBsType = tbsType;
        SetPointsSystem(session.tournament, pointsType);
    }

    // Returns the table index, which is also the starting number.
    int Player(const std::string& alias, const std::string& name, int elo = 0, const std::string& team = "",
               int onOff = 1) {
        TPlayer p;
        p.ArrivalID = alias, p.Name = name, p.ELO = elo, p.TeamID = team, p.OnOff = onOff;
        int index = session.tournament.glob_ARRAY_PLAYERS.Add(p, "full");
        session.tournament.Player(index).StartNo = index;
        return index;
    }

    void Round(const std::vector<Game>& games) {
        Tournament& t = session.tournament;
        ++t.CurrentRound;
        for (const Game& g : games) InsertGame(session, t, g.id, g.result, g.goals, t.CurrentRound);
    }

    void TieBreaks(const std::vector<std::string>& codes) {
        for (int k = 1; k <= 5; ++k) session.tournament.TB(k) = k <= static_cast<int>(codes.size()) ? codes[k - 1] : "-";
    }

    Tournament& T() { return session.tournament; }
    TPlayer& P(int index) { return session.tournament.Player(index); }
};

}  // namespace veltrun::testing
