#pragma once
// The in-memory tournament: the player table and the tournament-wide values.
// It is rebuilt from the tournament folder, never saved as a whole.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace veltrun {

constexpr int MaxPlayers = 2000;

struct TPlayer {
    std::string Name;
    int ELO = 0;
    std::string FideID;
    std::string NationalID;
    std::string TeamID;
    std::string ArrivalID;
    int StartNo = 0;
    int OnOff = 0;
    int WhiteCount = 0;
    int BlackCount = 0;
    std::string ColourHistory;    // "W|B||"
    std::string OpponentHistory;  // "A2|A5|bye|"
    std::string PointsHistory;    // "1|0.5|1|"
    std::string GoalsHistory;     // "2:1|0:0|"
    double Points = 0;
    double GoalsFor = 0;
    double GoalsAgainst = 0;
    double TB1Value = 0, TB2Value = 0, TB3Value = 0, TB4Value = 0, TB5Value = 0;
    int Place = 0;

    double& TBValue(int k);  // k = 1..5
    double TBValue(int k) const;
};

// glob_ARRAY_PLAYERS: up to 2000 players, indexed from 1 in the order of
// players.txt. Indexing outside 1..MaxPlayers throws instead of writing past
// the end.
class PlayerTable {
public:
    PlayerTable();
    TPlayer& operator[](int index);
    const TPlayer& operator[](int index) const;
    int PlayerCount() const { return count_; }
    // Puts a player into the next free slot; throws myException (translated
    // by the caller's message) when all 2000 slots are in use.
    int Add(TPlayer player, const std::string& fullMessage);
    void Clear();
    // Exchanges two records (the rating sort before any game is applied).
    void Swap(int a, int b);

private:
    std::vector<TPlayer> slots_;
    int count_ = 0;
};

struct Tournament {
    PlayerTable glob_ARRAY_PLAYERS;
    std::string TournamentFolder;
    std::string LogFileName;
    int MaxRound = 0;
    int CurrentRound = 0;
    std::string ColourFor1stPlayer;
    std::string TB1 = "-", TB2 = "-", TB3 = "-", TB4 = "-", TB5 = "-";
    std::string TBsType = "Chess";
    std::string PointsType;
    double PointsForWin = 1.0;
    double PointsForDraw = 0.5;
    double PointsForLoss = 0.0;
    std::vector<std::string> ValidResults;
    // Groups of aliases kept apart in every round (forbidden.txt): each alias
    // of a group is forbidden against every other one of it.
    std::vector<std::vector<std::string>> ForbiddenGroups;

    std::string& TB(int k);  // k = 1..5
    const std::string& TB(int k) const;
    int PlayerCount() const { return glob_ARRAY_PLAYERS.PlayerCount(); }
    TPlayer& Player(int index) { return glob_ARRAY_PLAYERS[index]; }
    const TPlayer& Player(int index) const { return glob_ARRAY_PLAYERS[index]; }
};

void ClearTournament(Tournament& t);
int FindPlayerByArrivalID(const Tournament& t, std::string_view text);
int FindPlayerByPlace(const Tournament& t, int place);
double PointsOfArrivalID(const Tournament& t, std::string_view text);
bool IsArrivalIDUnique(const Tournament& t, std::string_view text);
bool IsNameUnique(const Tournament& t, std::string_view text);
void FillValidResults(Tournament& t, std::string_view pointsType);
bool IsValidResult(const Tournament& t, std::string_view code);
std::string ValidResultsText(const Tournament& t);
double PointsFromText(std::string_view text);
std::pair<double, double> ResultPoints(std::string_view code);
// byePoints is the settings' normalised "asWin" or "asLost".
std::string DefaultResult(const Tournament& t, const std::string& byePoints, std::string_view defaultCode,
                          std::string_view white, std::string_view black);
bool IsValidTieBreakCode(std::string_view code);

class Session;
// Applies one game to the players' histories; logs and throws myException on
// an unknown alias or an invalid result.
void InsertGame(Session& session, Tournament& t, std::string_view gameId, std::string_view resultCode,
                std::string_view goalsText, int round);
// InsertGame for the reading of a round file: no log line per game, and the
// errors leave the file to the reader, which names it with the line.
void ReplayGame(Session& session, Tournament& t, std::string_view gameId, std::string_view resultCode,
                std::string_view goalsText, int round);

}  // namespace veltrun
