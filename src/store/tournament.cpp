// The player table, the tournament-wide values, the result codes and the
// application of one game to the players' histories.
#include "store/tournament.h"

#include <charconv>
#include <stdexcept>

#include "store/errors.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

void CheckTieBreakIndex(int k) {
    if (k < 1 || k > 5) throw std::out_of_range("tie-break index " + std::to_string(k) + " outside 1..5");
}

bool IsNoPlayerSide(std::string_view side) { return side == "bye" || side == "stop"; }

}  // namespace

double& TPlayer::TBValue(int k) {
    CheckTieBreakIndex(k);
    double* values[] = {&TB1Value, &TB2Value, &TB3Value, &TB4Value, &TB5Value};
    return *values[k - 1];
}

double TPlayer::TBValue(int k) const { return const_cast<TPlayer*>(this)->TBValue(k); }

// Slot 0 exists but is never handed out, so indexes match the files' 1-based numbering.
PlayerTable::PlayerTable() : slots_(MaxPlayers + 1) {}

TPlayer& PlayerTable::operator[](int index) {
    if (index < 1 || index > MaxPlayers)
        throw std::out_of_range("player index " + std::to_string(index) + " outside 1.." + std::to_string(MaxPlayers));
    return slots_[static_cast<size_t>(index)];
}

const TPlayer& PlayerTable::operator[](int index) const { return const_cast<PlayerTable&>(*this)[index]; }

int PlayerTable::Add(TPlayer player, const std::string& fullMessage) {
    if (count_ >= MaxPlayers) throw myException(fullMessage);
    ++count_;
    slots_[static_cast<size_t>(count_)] = std::move(player);
    return count_;
}

void PlayerTable::Clear() {
    for (auto& slot : slots_) slot = TPlayer{};
    count_ = 0;
}

void PlayerTable::Swap(int a, int b) { std::swap((*this)[a], (*this)[b]); }

std::string& Tournament::TB(int k) {
    CheckTieBreakIndex(k);
    std::string* codes[] = {&TB1, &TB2, &TB3, &TB4, &TB5};
    return *codes[k - 1];
}

const std::string& Tournament::TB(int k) const { return const_cast<Tournament*>(this)->TB(k); }

void ClearTournament(Tournament& t) {
    t.glob_ARRAY_PLAYERS.Clear();
    t.ForbiddenGroups.clear();
    t.TournamentFolder.clear();
    t.LogFileName.clear();
    t.MaxRound = 0;
    t.CurrentRound = 0;
    t.ColourFor1stPlayer.clear();
    t.TB1 = t.TB2 = t.TB3 = t.TB4 = t.TB5 = "-";
    t.TBsType = "Chess";
    t.PointsType.clear();
    t.PointsForWin = 1.0;
    t.PointsForDraw = 0.5;
    t.PointsForLoss = 0.0;
    t.ValidResults.clear();
}

int FindPlayerByArrivalID(const Tournament& t, std::string_view text) {
    const std::string wanted = Trim(text);
    for (int i = 1; i <= t.PlayerCount(); ++i)
        if (t.Player(i).ArrivalID == wanted) return i;
    return -1;
}

int FindPlayerByPlace(const Tournament& t, int place) {
    for (int i = 1; i <= t.PlayerCount(); ++i)
        if (t.Player(i).Place == place) return i;
    return -1;
}

double PointsOfArrivalID(const Tournament& t, std::string_view text) {
    int index = FindPlayerByArrivalID(t, text);
    return index > 0 ? t.Player(index).Points : 0.0;
}

// Uniqueness ignores the case of a-z, while the look-up does not: two aliases
// that differ only in case would confuse a director reading the files.
bool IsArrivalIDUnique(const Tournament& t, std::string_view text) {
    const std::string wanted = ToUpperAscii(Trim(text));
    if (wanted.empty()) return false;
    for (int i = 1; i <= t.PlayerCount(); ++i)
        if (ToUpperAscii(t.Player(i).ArrivalID) == wanted) return false;
    return true;
}

bool IsNameUnique(const Tournament& t, std::string_view text) {
    const std::string wanted = ToUpperAscii(Trim(text));
    for (int i = 1; i <= t.PlayerCount(); ++i)
        if (ToUpperAscii(Trim(t.Player(i).Name)) == wanted) return false;
    return true;
}

void FillValidResults(Tournament& t, std::string_view pointsType) {
    if (pointsType == "3-1-0")
        t.ValidResults = {"3-0", "0-3", "1-1", "3k-0k", "0k-3k", "0k-0k", "2-1", "1-2", "1-0", "0-1", "0-0"};
    else
        t.ValidResults = {"1-0", "0-1", "0.5-0.5", "1k-0k", "0k-1k", "0k-0k", "0.5-0", "0-0.5", "0-0"};
}

bool IsValidResult(const Tournament& t, std::string_view code) {
    for (const auto& valid : t.ValidResults)
        if (valid == code) return true;
    return false;
}

std::string ValidResultsText(const Tournament& t) {
    std::string text;
    for (const auto& valid : t.ValidResults) {
        if (!text.empty()) text += " or ";
        text += valid;
    }
    return text;
}

double PointsFromText(std::string_view text) {
    std::string number = Trim(text);
    if (number.empty()) return 0.0;
    if (number == "0.5") return 0.5;
    for (auto& c : number)
        if (c == ',') c = '.';
    if (number.front() == '+') number.erase(0, 1);
    double value = 0.0;
    const char* end = number.data() + number.size();
    auto [ptr, ec] = std::from_chars(number.data(), end, value);
    if (ec != std::errc() || ptr != end) return 0.0;
    return value;
}

std::pair<double, double> ResultPoints(std::string_view code) {
    std::string plain;
    for (char c : code)
        if (c != 'k' && c != 'K') plain += c;
    return {PointsFromText(GetField(plain, '-', 1)), PointsFromText(GetField(plain, '-', 2))};
}

std::string DefaultResult(const Tournament& t, const std::string& byePoints, std::string_view defaultCode,
                          std::string_view white, std::string_view black) {
    const bool threePoints = t.PointsType == "3-1-0";
    const bool byeIsLost = ToLowerAscii(byePoints) == "aslost";
    std::string code(defaultCode);
    if (black == "bye") code = byeIsLost ? "0k-0k" : (threePoints ? "3k-0k" : "1k-0k");
    if (white == "bye") code = byeIsLost ? "0k-0k" : (threePoints ? "0k-3k" : "0k-1k");
    if (black == "stop") code = "0k-0k";
    if (white == "stop") code = "0k-0k";
    return code;
}

bool IsValidTieBreakCode(std::string_view code) {
    static const char* const codes[] = {"BH", "midBH", "BHcut1", "DiEnc", "SB",    "PS",    "cWin",
                                        "cWinBl", "cBlack", "G1", "-G2", "G1-G2", "G1/G2", "-"};
    for (const char* valid : codes)
        if (code == valid) return true;
    return false;
}

namespace {

std::string FatalPrefix(const Session& session, int round) {
    return session.tr(94, "Fatal error") + " (" + session.tr(99, "in file") + " round" + std::to_string(round) +
           ".txt).";
}

// The head of an error about a game: it names the round file unless the
// reader of that file names it itself, with the line.
std::string GameErrorHead(const Session& session, int round, bool fileNamedByCaller) {
    return fileNamedByCaller ? session.tr(94, "Fatal error") + "." : FatalPrefix(session, round);
}

// Index of the player named by one side of a game id; 0 for "bye" and "stop".
int ResolveSide(Session& session, const Tournament& t, const std::string& side, int round, bool fileNamedByCaller) {
    if (IsNoPlayerSide(side)) return 0;
    int index = FindPlayerByArrivalID(t, side);
    if (index > 0) return index;
    const std::string where = "round" + std::to_string(round) + ".txt";
    Fail(session, "Fatal error (in file " + where + "). Alias (" + side + ") not found in file players.txt.",
         GameErrorHead(session, round, fileNamedByCaller) + " " + session.tr(102, "Alias") + " (" + side + ") " +
             session.tr(103, "not found in file") + " players.txt.");
}

void AddGameToPlayer(TPlayer& player, const std::string& colour, const std::string& opponent, double points,
                     double ownGoals, double otherGoals) {
    if (colour == "W") ++player.WhiteCount;
    if (colour == "B") ++player.BlackCount;
    player.ColourHistory += colour + "|";
    player.OpponentHistory += opponent + "|";
    player.PointsHistory += DecimalText(points) + "|";
    player.GoalsHistory += DecimalText(ownGoals) + ":" + DecimalText(otherGoals) + "|";
    player.Points += points;
    player.GoalsFor += ownGoals;
    player.GoalsAgainst += otherGoals;
}

// Applies one game; false for a game still without result.
bool ApplyGame(Session& session, Tournament& t, std::string_view gameId, std::string_view resultCode,
               std::string_view goalsText, int round, bool fileNamedByCaller) {
    const std::string whiteSide = GetField(gameId, '-', 1);
    const std::string blackSide = GetField(gameId, '-', 2);
    const int white = ResolveSide(session, t, whiteSide, round, fileNamedByCaller);
    const int black = ResolveSide(session, t, blackSide, round, fileNamedByCaller);
    const bool realGame = white > 0 && black > 0;
    const std::string game(gameId);
    if (resultCode == "?-?") return false;

    std::string code = ReplaceChar(ReplaceChar(resultCode, 'K', "k"), ',', ".");
    const std::string goals = ReplaceChar(goalsText, ',', ".");
    if (!IsValidResult(t, code)) {
        const std::string original(resultCode);
        Fail(session,
             "Fatal error (in file round" + std::to_string(round) + ".txt). Game (" + game +
                 ") has not valid result (" + original + ").",
             GameErrorHead(session, round, fileNamedByCaller) + " " + session.tr(105, "Game") + " (" + game + ") " +
                 session.tr(106, "has not valid result") + " (" + original + ").");
    }

    const auto [whitePoints, blackPoints] = ResultPoints(code);
    const double whiteGoals = ParseDecimal(GetField(goals, ':', 1));
    const double blackGoals = ParseDecimal(GetField(goals, ':', 2));
    if (white > 0)
        AddGameToPlayer(t.Player(white), realGame ? "W" : "", blackSide, whitePoints, whiteGoals, blackGoals);
    if (black > 0)
        AddGameToPlayer(t.Player(black), realGame ? "B" : "", whiteSide, blackPoints, blackGoals, whiteGoals);
    return true;
}

}  // namespace

void InsertGame(Session& session, Tournament& t, std::string_view gameId, std::string_view resultCode,
                std::string_view goalsText, int round) {
    const std::string game(gameId);
    if (!ApplyGame(session, t, gameId, resultCode, goalsText, round, false)) {
        session.AppendToLog("Ignored: game " + game + " has not result.");
        return;
    }
    std::string line = "Game " + game + " (" + std::string(resultCode) + ") ";
    if (t.TBsType == "Goals") line += "[" + std::string(goalsText) + "] ";
    session.AppendToLog(line + "inserted into structure glob_ARRAY_PLAYERS.");
}

void ReplayGame(Session& session, Tournament& t, std::string_view gameId, std::string_view resultCode,
                std::string_view goalsText, int round) {
    ApplyGame(session, t, gameId, resultCode, goalsText, round, true);
}

}  // namespace veltrun
