#pragma once
// A large tournament for the benchmarks: 2000 players, 11 rounds of random
// pairings (repeats allowed) with results that favour the higher rating.
#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "store/round_file.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/tournament.h"

namespace veltrun::bench {

class QuietUi : public Ui {
public:
    Button ShowMessage(const MessageRequest& r) override { return r.default_button; }
    std::optional<int> Choose(const ChooserRequest& r) override { return r.preselected; }
    std::optional<std::filesystem::path> ChooseFile(const FileRequest&) override { return std::nullopt; }
    void SetBusy(bool) override {}
    bool Progress(long long, long long, const std::string&) override { return true; }
    void OpenReport(const std::filesystem::path&, const std::string&) override {}
    bool Idle() override { return true; }
};

constexpr int Players = 2000;
constexpr int Rounds = 11;

struct BigTournamentShape {
    std::string folderName;
    bool teamsAndForfeits = false;  // 50 clubs, and some wins by forfeit
    bool roundFiles = false;        // every round also written to disk
};

struct BigTournament {
    QuietUi ui;
    std::filesystem::path folder;
    Session session;

    explicit BigTournament(const BigTournamentShape& shape)
        : folder(std::filesystem::temp_directory_path() / shape.folderName), session(ui, folder) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        Tournament& t = session.tournament;
        t.TournamentFolder = folder.string();
        t.MaxRound = Rounds;
        t.PointsType = "1- 0.5 -0";
        FillValidResults(t, t.PointsType);
        t.TB1 = "BH";
        t.TB2 = "SB";
        t.TB3 = "DiEnc";
        t.TB4 = "midBH";
        t.TB5 = "cWin";
        session.settings.StandingsCardsListName = "standings_cards";
        session.settings.HtmlSuffix = "html";
        AddPlayers(t, shape.teamsAndForfeits);
        PlayRounds(t, shape);
    }

private:
    static void AddPlayers(Tournament& t, bool teams) {
        for (int i = 1; i <= Players; ++i) {
            TPlayer p;
            p.ArrivalID = std::string("P").append(std::to_string(i));
            p.Name = "Player Nr. " + std::to_string(i);
            p.ELO = 2700 - i / 2;
            p.OnOff = 1;
            if (teams) p.TeamID = "Club " + std::to_string(i % 50);
            t.glob_ARRAY_PLAYERS.Add(p, "full");
            t.Player(i).StartNo = i;
        }
    }

    void PlayRounds(Tournament& t, const BigTournamentShape& shape) {
        std::mt19937 random(7);
        std::vector<int> order(Players);
        for (int r = 1; r <= Rounds; ++r) {
            t.CurrentRound = r;
            for (int i = 0; i < Players; ++i) order[i] = i + 1;
            std::shuffle(order.begin(), order.end(), random);
            std::vector<std::string> lines;
            for (int i = 0; i + 1 < Players; i += 2) {
                const int w = order[i], b = order[i + 1];
                const int roll = static_cast<int>(random() % 100) + (t.Player(w).ELO - t.Player(b).ELO) / 20;
                const char* result = shape.teamsAndForfeits && roll > 95 ? "1k-0k"
                                     : roll > 60                         ? "1-0"
                                     : roll > 30                         ? "0.5-0.5"
                                                                         : "0-1";
                const std::string game = t.Player(w).ArrivalID + "-" + t.Player(b).ArrivalID;
                InsertGame(session, t, game, result, "0:0", r);
                lines.push_back(std::string("|") + result + "|||" + game);
            }
            if (shape.roundFiles) WriteTextLines(RoundFilePath(folder, r), lines);
        }
    }
};

}  // namespace veltrun::bench
