#include "fide/trf16_writer.h"

#include <algorithm>
#include <cstdio>

#include "standings/standings_order.h"
#include "store/file_limits.h"
#include "store/round_file.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "store/tournament.h"
#include "store/tournament_file_names.h"

namespace veltrun {

namespace {

constexpr int LargestFourDigits = 9999;

// Text that is safe in fixed columns: base letters, printable ASCII only.
std::string AsciiText(std::string_view text) { return KeepPrintableAscii(RemoveDiacritics(text)); }

std::string Number(int value, int width) {
    return AlignRight(std::to_string(std::clamp(value, 0, LargestFourDigits)), width);
}

// Points with one decimal and "."; a value too wide for four columns loses
// its decimal rather than its leading digits.
std::string PointsText(double points) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", std::max(points, 0.0));
    std::string text = buffer;
    if (text.size() > 4) text = std::to_string(std::min(static_cast<long long>(points + 0.5), 9999LL));
    return AlignRight(text, 4);
}

std::string NormalisedCode(std::string_view code) {
    return ReplaceChar(ReplaceChar(code, 'K', "k"), ',', ".");
}

// The result letter seen from the player: forfeits keep TRF16's own codes so
// that a game never played cannot pass for a played one.
std::string ResultLetter(const Tournament& t, const RoundEntry& entry) {
    std::string code = NormalisedCode(entry.code);
    if (code == "?-?") return " ";
    auto [white, black] = ResultPoints(code);
    double own = entry.colour == "B" ? black : white;
    if (code.find('k') != std::string::npos) return own > 0 ? "+" : "-";
    if (own == t.PointsForWin) return "1";
    if (own == t.PointsForDraw) return "=";
    if (own == t.PointsForLoss) return "0";
    return "-";
}

std::string TournamentName(const Tournament& t) {
    std::string folder = t.TournamentFolder;
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    return AsciiText(ExtractNamePart(folder));
}

std::string PlayerLine(const Tournament& t, int index, const RoundEntries& rounds, bool national) {
    const TPlayer& p = t.Player(index);
    std::string line = "001 " + Number(p.StartNo, 4) + std::string(6, ' ');
    line += AlignLeft(AsciiText(p.Name), 33) + " ";
    line += Number(p.ELO, 4) + std::string(5, ' ');
    line += AlignRight(Trim(AsciiText(national ? p.NationalID : p.FideID)), 11) + std::string(12, ' ');
    line += PointsText(p.Points) + " " + Number(p.Place, 4) + "  ";
    for (int r = 1; r <= t.CurrentRound; ++r) {
        const RoundEntry* entry = nullptr;
        if (r <= static_cast<int>(rounds.size())) {
            auto found = rounds[r - 1].find(p.ArrivalID);
            if (found != rounds[r - 1].end()) entry = &found->second;
        }
        line += Trf16RoundBlock(t, entry);
    }
    return line;
}

// The points of a win, a draw and a bye, for an engine that would otherwise
// count 1-1/2-0 and a bye as a win; nothing when that is the tournament's system.
std::vector<std::string> ScoreRecords(const Tournament& t, bool byeCountsAsLost) {
    std::vector<std::string> lines;
    const bool usual = t.PointsForWin == 1 && t.PointsForDraw == 0.5 && t.PointsForLoss == 0;
    if (!usual) {
        lines.push_back("BBW " + PointsText(t.PointsForWin));
        lines.push_back("BBD " + PointsText(t.PointsForDraw));
        if (t.PointsForLoss != 0) lines.push_back("BBL " + PointsText(t.PointsForLoss));
    }
    if (byeCountsAsLost || !usual) lines.push_back("BBU " + PointsText(byeCountsAsLost ? 0 : t.PointsForWin));
    return lines;
}

}  // namespace

RoundEntries ReadRoundEntries(const Tournament& t) {
    RoundEntries rounds;
    for (int r = 1; r <= t.CurrentRound; ++r) {
        auto& entries = rounds.emplace_back();
        for (const std::string& line : ReadTrimmedLines(RoundFilePath(t.TournamentFolder, r), file_limit::RoundFile)) {
            if (IsRoundFileComment(line)) continue;
            GameLine game = ParseGameLine(line);
            std::string code = Trim(game.Result);
            const std::string& gameId = game.GameId;
            std::string white = Trim(GetField(gameId, '-', 1));
            std::string black = Trim(GetField(gameId, '-', 2));
            bool realGame = white != "bye" && white != "stop" && black != "bye" && black != "stop";
            if (white != "bye" && white != "stop") entries.emplace(white, RoundEntry{black, realGame ? "W" : "", code});
            if (black != "bye" && black != "stop") entries.emplace(black, RoundEntry{white, realGame ? "B" : "", code});
        }
    }
    return rounds;
}

std::string StartNoOfArrivalID(const Tournament& t, std::string_view arrivalId) {
    std::string wanted = Trim(arrivalId);
    for (int i = 1; i <= t.PlayerCount(); ++i)
        if (t.Player(i).ArrivalID == wanted) return std::to_string(t.Player(i).StartNo);
    return std::string(arrivalId);
}

std::string Trf16RoundBlock(const Tournament& t, const RoundEntry* entry) {
    if (entry == nullptr || entry->opponent == "stop") return "0000 - Z  ";
    if (entry->opponent == "bye") return "0000 - U  ";
    std::string number = StartNoOfArrivalID(t, entry->opponent);
    std::string opponent = IsAllDigits(number) && number.size() <= 4 ? AlignRight(number, 4) : "0000";
    std::string colour = entry->colour == "W" ? "w" : entry->colour == "B" ? "b" : "-";
    return opponent + " " + colour + " " + ResultLetter(t, *entry) + "  ";
}

std::vector<std::string> BuildTrf16Lines(const Tournament& t, const RoundEntries& rounds, Trf16Variant variant) {
    std::vector<std::string> lines{"012 " + TournamentName(t), "022 City", "032 Federation"};
    if (!variant.forEngine) {
        lines.emplace_back("042 DD/MM/YYYY");
        lines.emplace_back("052 DD/MM/YYYY");
    }
    int rated = 0;
    for (int i = 1; i <= t.PlayerCount(); ++i) rated += t.Player(i).ELO > 0 ? 1 : 0;
    lines.push_back("062 " + std::to_string(t.PlayerCount()));
    lines.push_back("072 " + std::to_string(rated));
    lines.emplace_back("082 0");
    lines.emplace_back("092 Individual: Swiss-System");
    lines.emplace_back("102 Chief Arbiter");
    lines.push_back("XXR " + std::to_string(t.MaxRound));
    if (variant.engineRecords) {
        // ColourFor1stPlayer "R" was drawn when the tournament was opened.
        if (t.CurrentRound == 0) lines.emplace_back(t.ColourFor1stPlayer == "B" ? "XXC black1" : "XXC white1");
        for (std::string& line : ScoreRecords(t, variant.byeCountsAsLost)) lines.push_back(std::move(line));
    }
    for (int i = 1; i <= t.PlayerCount(); ++i) lines.push_back(PlayerLine(t, i, rounds, variant.national));
    for (int i = 1; i <= t.PlayerCount(); ++i)
        if (t.Player(i).OnOff == 0) lines.push_back("XXZ " + Number(t.Player(i).StartNo, 4));
    for (int i = 1; variant.engineRecords && i <= t.PlayerCount(); ++i)
        if (t.Player(i).OnOff == 0)
            lines.push_back("240 Z " + Number(t.CurrentRound + 1, 3) + " " + Number(t.Player(i).StartNo, 4));
    // Every forbidden group as the starting numbers of its players; a file of
    // a tournament without groups stays as it was.
    for (const auto& group : t.ForbiddenGroups) {
        std::string line = "XXP";
        for (const auto& alias : group) line += " " + StartNoOfArrivalID(t, alias);
        lines.push_back(line);
    }
    return lines;
}

void WriteTrf16To(Session& session, const std::filesystem::path& file, const std::string& idKind, bool forEngine,
                  bool engineRecords) {
    session.AppendToLog("Make TRF16 file: " + file.filename().string());
    // Records stay in table order and carry their standings place as rank.
    {
        BusyCursor busy(session.ui);
        ComputeStandings(session.tournament, GoalsQuotientRuleOf(session.settings));
    }
    RoundEntries rounds = ReadRoundEntries(session.tournament);
    Trf16Variant variant{forEngine, idKind == "national", engineRecords, session.settings.ByePoints == "asLost"};
    WriteTextLines(file, BuildTrf16Lines(session.tournament, rounds, variant));
}

std::filesystem::path WriteTrf16File(Session& session, const std::string& shortFileName, const std::string& idKind) {
    std::string setting = idKind == "national" ? "[Reports] ShortFileNameTRF16National" : "[Reports] ShortFileNameTRF16";
    auto file = TournamentFileFromSetting(session, shortFileName, setting);
    WriteTrf16To(session, file, idKind, false);
    return file;
}

}  // namespace veltrun
