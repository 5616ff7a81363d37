#pragma once
// A tournament built in memory for the pairing tests: players added to the
// table and games applied with InsertGame, the log captured line by line.
#include <filesystem>
#include <string>
#include <vector>

#include "pairing/pairing_log.h"
#include "store/session.h"
#include "support/scripted_ui.h"

namespace veltrun::testing {

class MemoryTournament {
public:
    MemoryTournament() : session(ui, std::filesystem::temp_directory_path()) {
        session.log.SetCapture(&captured);
        Reset();
    }
    // An empty tournament again (cheaper than a new table of 2000 records).
    void Reset() {
        ClearTournament(session.tournament);
        FillValidResults(session.tournament, "1- 0.5 -0");
        session.tournament.ColourFor1stPlayer = "W";
        session.tournament.MaxRound = 20;
        captured.clear();
        lines.clear();
    }
    Tournament& t() { return session.tournament; }

    // Adds player "P{n}" with alias "A{n}" (n = the new table index).
    int Add(const std::string& team = "", int onOff = 1) {
        TPlayer player;
        int index = t().PlayerCount() + 1;
        player.Name = "P" + std::to_string(index);
        player.ArrivalID = "A" + std::to_string(index);
        player.StartNo = index;
        player.OnOff = onOff;
        player.TeamID = team;
        player.ELO = 2000 - index;
        return t().glob_ARRAY_PLAYERS.Add(player, "full");
    }
    void AddPlayers(int count) { while (count-- > 0) Add(); }
    // White against Black by table index; 0 stands for "bye", -1 for "stop".
    void Game(int white, int black, const std::string& result, int round = 1) {
        InsertGame(session, t(), Side(white) + "-" + Side(black), result, "0:0", round);
    }
    std::string Side(int index) const {
        return index == 0 ? "bye" : index == -1 ? "stop" : session.tournament.Player(index).ArrivalID;
    }
    PairingLog Log() { return PairingLog([this](std::string_view line) { lines.emplace_back(line); }); }

    ScriptedUi ui;
    Session session;
    std::vector<std::string> captured;  // everything the session logged
    std::vector<std::string> lines;     // what the pairing logged through Log()
};

}  // namespace veltrun::testing
