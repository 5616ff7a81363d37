#pragma once
// A tournament folder inside the fuzz scratch folder, a session on a scripted
// UI whose log goes to memory, and a comparable picture of the players.
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "store/session.h"
#include "store/tournament.h"
#include "support/scripted_ui.h"

namespace veltrun::fuzz {

inline std::filesystem::path FreshTournamentFolder() {
    auto folder = ScratchFolder() / "home" / "Tourn" / "Cup";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline void PutFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct FuzzSession {
    testing::ScriptedUi ui;
    std::vector<std::string> log;
    Session session{ui, ScratchFolder() / "home"};
    FuzzSession() {
        session.log.SetCapture(&log);
        session.random.seed(1);
    }
};

// Every stored and replayed value of every player, one text per player.
inline std::vector<std::string> PlayerPicture(const Tournament& t) {
    std::vector<std::string> picture;
    for (int i = 1; i <= t.PlayerCount(); ++i) {
        const TPlayer& p = t.Player(i);
        picture.push_back(p.ArrivalID + "|" + p.Name + "|" + std::to_string(p.ELO) + "|" + p.FideID + "|" +
                          p.NationalID + "|" + p.TeamID + "|" + std::to_string(p.OnOff) + "|" + p.ColourHistory +
                          "|" + p.OpponentHistory + "|" + p.PointsHistory + "|" + p.GoalsHistory + "|" +
                          std::to_string(p.Points) + "|" + std::to_string(p.GoalsFor) + ":" +
                          std::to_string(p.GoalsAgainst) + "|" + std::to_string(p.WhiteCount) + "/" +
                          std::to_string(p.BlackCount));
    }
    return picture;
}

// No refusal without a message that names what was wrong.
inline void RequireMessage(const std::exception& e) { Require(std::string_view(e.what()).size() > 0, "refusal has a message"); }

}  // namespace veltrun::fuzz
