#include "fide/trf_import.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "store/errors.h"
#include "store/forbidden_file.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

constexpr std::size_t MaxFolderNameLength = 100;

// Columns from..to (1-based, inclusive) of a line; a column is one character.
std::string Columns(std::string_view line, int from, int to) {
    std::string out;
    int column = 0;
    for (std::size_t i = 0; i < line.size();) {
        std::size_t length = 1;
        auto lead = static_cast<unsigned char>(line[i]);
        if (lead >= 0xF0) length = 4;
        else if (lead >= 0xE0) length = 3;
        else if (lead >= 0xC0) length = 2;
        ++column;
        if (column > to) break;
        if (column >= from) out.append(line.substr(i, length));
        i += length;
    }
    return out;
}

std::string FieldText(std::string_view line, int from, int to) {
    return Trim(ReplaceChar(CleanLine(Columns(line, from, to)), '|', ""));
}

bool StartsWithNoCase(std::string_view line, std::string_view prefix) {
    return ToLowerAscii(line.substr(0, prefix.size())) == prefix;
}

bool IsZeroOpponent(const std::string& opponent) {
    return opponent.empty() || opponent.find_first_not_of('0') == std::string::npos;
}

// White's result code for a letter written by the player who had White.
std::string WhiteCode(const std::string& letter) {
    if (letter == "1" || letter == "W" || letter == "w") return "1-0";
    if (letter == "0" || letter == "L" || letter == "l") return "0-1";
    if (letter == "=" || letter == "D" || letter == "d") return "0.5-0.5";
    if (letter == "+") return "1k-0k";
    if (letter == "-") return "0k-1k";
    return "?-?";
}

// The same letter written by the player who had Black.
std::string MirroredCode(const std::string& letter) {
    std::string code = WhiteCode(letter);
    if (code == "?-?" || code == "0.5-0.5") return code;
    return GetField(code, '-', 2) + "-" + GetField(code, '-', 1);
}

struct PlayerLine {
    int startNo;
    int lineNumber;
    std::string text;
};

struct GameItem {
    TrfGame game;
    std::string white, black;  // the two sides of the game id
    bool forfeitLoss;          // written with "-" by its player
    int lineNumber;
};

class TrfReader {
public:
    TrfReader(Session& session, const std::filesystem::path& file) : session_(session), file_(file) {}

    TrfTournament Read() {
        std::vector<std::string> lines = ReadTextLines(file_);
        std::string name;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            std::string line = lines[k];
            if (k == 0 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
            ReadLine(line, static_cast<int>(k) + 1, name);
        }
        if (playerLines_.empty()) throw myException(Where() + ": " + session_.tr(317, "The file holds no player line (001)."));
        result_.name = SafeTournamentName(name.empty() ? "TournamentFromTrf" : name);
        for (const PlayerLine& p : playerLines_) ReadBlocks(p);
        CollectRoundLines();
        CheckForbiddenGroups();
        return result_;
    }

private:
    void ReadLine(const std::string& line, int lineNumber, std::string& name) {
        if (line.rfind("012", 0) == 0) {
            name = Trim(CleanLine(Columns(line, 5, 1 << 20)));
        } else if (StartsWithNoCase(line, "xxr")) {
            std::string rounds = FieldText(line, 5, 1 << 20);
            if (!IsAllDigits(rounds) || rounds.size() > 4) Refuse(lineNumber, 312, "the number of rounds is not a whole number.");
            result_.maxRound = std::stoi(rounds);
        } else if (line.rfind("001", 0) == 0) {
            ReadPlayer(line, lineNumber);
        } else if (StartsWithNoCase(line, "xxz")) {
            std::string number = FieldText(line, 5, 8);
            if (!IsAllDigits(number)) Refuse(lineNumber, 309, "the starting number is not a whole number.");
            for (auto& entry : result_.players)
                if (entry.startNo == std::stoi(number)) entry.off = true;
        } else if (StartsWithNoCase(line, "xxp")) {
            ReadForbiddenGroup(line, lineNumber);
        }
    }

    // "XXP 3 17 40": the players of these starting numbers never meet.
    void ReadForbiddenGroup(const std::string& line, int lineNumber) {
        std::vector<int> group;
        std::string numbers = FieldText(line, 4, 1 << 20) + " ";
        std::string number;
        for (char c : numbers) {
            if (c != ' ') {
                number += c;
                continue;
            }
            if (number.empty()) continue;
            if (!IsAllDigits(number) || number.size() > 4) Refuse(lineNumber, 309, "the starting number is not a whole number.");
            int n = std::stoi(number);
            if (std::find(group.begin(), group.end(), n) == group.end()) group.push_back(n);
            number.clear();
        }
        if (group.size() < 2)
            Refuse(lineNumber, 715, "the forbidden group needs at least two different starting numbers.");
        result_.forbidden.push_back(group);
        forbiddenLines_.push_back(lineNumber);
    }

    // Checked once every player line is known: XXP may come before them.
    void CheckForbiddenGroups() {
        for (std::size_t g = 0; g < result_.forbidden.size(); ++g)
            for (int n : result_.forbidden[g])
                if (startNumbers_.count(n) == 0)
                    Refuse(forbiddenLines_[g], 714, "the forbidden group names a starting number that is not in the file.");
    }

    void ReadPlayer(const std::string& line, int lineNumber) {
        if (result_.players.size() >= static_cast<std::size_t>(MaxPlayers))
            throw myException(Where() + ": " + session_.tr(157, "The maximum number of players in a tournament is") + " " +
                              std::to_string(MaxPlayers) + ".");
        TrfPlayerEntry entry;
        std::string number = FieldText(line, 5, 8);
        if (!IsAllDigits(number)) Refuse(lineNumber, 309, "the starting number is not a whole number.");
        entry.startNo = std::stoi(number);
        if (!startNumbers_.insert(entry.startNo).second)
            Refuse(lineNumber, 313, "the starting number appears a second time.");
        entry.name = FieldText(line, 15, 47);
        entry.rating = FieldText(line, 49, 52);
        if (!entry.rating.empty() && !IsAllDigits(entry.rating)) Refuse(lineNumber, 310, "the rating is not a whole number.");
        entry.fideId = FieldText(line, 58, 68);
        result_.players.push_back(entry);
        playerLines_.push_back({entry.startNo, lineNumber, line});
    }

    void ReadBlocks(const PlayerLine& p) {
        int length = Utf8Length(p.text);
        for (int r = 1; 92 + 10 * (r - 1) <= length; ++r) {
            int start = 92 + 10 * (r - 1);
            std::string block = Columns(p.text, start, start + 8);
            if (Trim(block).empty()) continue;
            TrfBlock parts{Trim(Columns(block, 1, 4)), Trim(Columns(block, 6, 6)), Trim(Columns(block, 8, 8))};
            if (!IsZeroOpponent(parts.opponent)) CheckOpponent(parts.opponent, p, r);
            TrfGame game = TrfBlockToGame(r, p.startNo, parts, session_.settings.SystemPrefixForAlias);
            AddGame(GameItem{game, GetField(game.gameId, '-', 1), GetField(game.gameId, '-', 2), parts.result == "-",
                             p.lineNumber});
        }
    }

    void CheckOpponent(const std::string& opponent, const PlayerLine& p, int round) {
        if (!IsAllDigits(opponent)) Refuse(p.lineNumber, 311, "the opponent is not a starting number.", round);
        int number = std::stoi(opponent);
        if (number == p.startNo) Refuse(p.lineNumber, 318, "the player is paired against himself.", round);
        if (startNumbers_.count(number) == 0) Refuse(p.lineNumber, 314, "the opponent is not in the file.", round);
    }

    // A game seen from both players is one game line; a double forfeit is
    // written "-" by both and becomes one "0k-0k" line.
    void AddGame(GameItem item) {
        for (GameItem& known : items_) {
            if (known.game.round != item.game.round || known.game.gameId != item.game.gameId) continue;
            if (known.game.code == item.game.code) return;
            if (known.forfeitLoss && item.forfeitLoss) {
                known.game.code = "0k-0k";
                return;
            }
            Refuse(item.lineNumber, 319, "the two players' lines disagree on this game.", item.game.round);
        }
        auto& inRound = paired_[item.game.round];
        for (const std::string& side : {item.white, item.black}) {
            if (side == "bye" || side == "stop") continue;
            if (!inRound.insert(side).second)
                Refuse(item.lineNumber, 315, "the player is paired more than once.", item.game.round);
        }
        items_.push_back(std::move(item));
    }

    void CollectRoundLines() {
        for (const GameItem& item : items_) {
            result_.roundLines[item.game.round].push_back("|" + item.game.code + "|||" + item.game.gameId);
            result_.maxRound = std::max(result_.maxRound, item.game.round);
        }
    }

    std::string Where() const { return session_.tr(308, "TRF file") + " (" + file_.string() + ")"; }

    [[noreturn]] void Refuse(int lineNumber, int reasonId, const char* reason, int round = 0) {
        std::string where = Where() + ", " + session_.tr(295, "line") + " " + std::to_string(lineNumber);
        if (round > 0) where += ", " + session_.tr(3, "Round") + " " + std::to_string(round);
        throw myException(where + ": " + session_.tr(reasonId, reason));
    }

    Session& session_;
    std::filesystem::path file_;
    TrfTournament result_;
    std::vector<PlayerLine> playerLines_;
    std::set<int> startNumbers_;
    std::vector<GameItem> items_;
    std::map<int, std::set<std::string>> paired_;
    std::vector<int> forbiddenLines_;  // the line of each XXP group
};

std::vector<std::string> OptionsLines(Session& session, int maxRound) {
    std::vector<std::string> lines{";",
                                   "; valid values for TB1 - TB5 are:",
                                   ";    for TbsType = Chess : BH midBH BHcut1 DiEnc SB PS cWin cWinBl cBlack -",
                                   ";    for TbsType = Goals : G1 -G2 G1-G2 G1/G2 -",
                                   ";",
                                   "[Options]",
                                   "MaxRound=" + std::to_string(maxRound),
                                   "ColourFor1stPlayer=R",
                                   "PointsType=1- 0.5 -0",
                                   "TBsType=Chess"};
    for (int k = 1; k <= 5; ++k) {
        std::string key = "TB" + std::to_string(k);
        lines.push_back(key + "=" + session.settings.Read("DefaultTBforChess", key));
    }
    lines.emplace_back("");
    return lines;
}

std::vector<std::string> PlayersLines(const TrfTournament& trf, const std::string& prefix) {
    std::vector<std::string> lines{"#on/off|ArrivalID|Name|ELO|FideID"};
    for (const auto& p : trf.players)
        lines.push_back(std::string(p.off ? "0" : "1") + "|" + prefix + std::to_string(p.startNo) + "|" + p.name + "|" +
                        p.rating + "|" + p.fideId);
    return lines;
}

void WriteTournamentFiles(Session& session, const TrfTournament& trf, const std::filesystem::path& folder) {
    WriteTextLines(folder / "options.txt", OptionsLines(session, trf.maxRound));
    WriteTextLines(folder / "players.txt", PlayersLines(trf, session.settings.SystemPrefixForAlias));
    for (const auto& [round, lines] : trf.roundLines)
        WriteTextLines(folder / ("round" + std::to_string(round) + ".txt"), lines);
    if (trf.forbidden.empty()) return;
    ForbiddenGroupList groups;
    for (const auto& numbers : trf.forbidden) {
        groups.emplace_back();
        for (int n : numbers) groups.back().push_back(session.settings.SystemPrefixForAlias + std::to_string(n));
    }
    WriteForbiddenGroups(ForbiddenFilePath(folder), groups);
}

std::filesystem::path StagingFolder(Session& session, const std::filesystem::path& parent) {
    for (;;) {
        auto candidate = parent / (".import-" + std::to_string(session.random() % 1000000000u));
        if (std::filesystem::create_directory(candidate)) return candidate;
    }
}

// Builds the folder next to its final place and renames it there, so a
// failure half-way leaves nothing behind.
void CreateTournamentFolder(Session& session, const TrfTournament& trf, const std::filesystem::path& target) {
    auto staging = StagingFolder(session, target.parent_path());
    try {
        WriteTournamentFiles(session, trf, staging);
        std::filesystem::rename(staging, target);
    } catch (const std::filesystem::filesystem_error& e) {
        std::error_code ignored;
        std::filesystem::remove_all(staging, ignored);
        throw myException(e.what());
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(staging, ignored);
        throw;
    }
}

}  // namespace

TrfGame TrfBlockToGame(int round, int ownStartNo, const TrfBlock& block, const std::string& prefix) {
    std::string own = prefix + std::to_string(ownStartNo);
    std::string letter = ToLowerAscii(block.result);
    if (letter == "z") return {round, own + "-stop", "0k-0k"};
    if (letter == "u" || letter == "f") return {round, own + "-bye", "1k-0k"};
    if (letter == "h") return {round, own + "-bye", "0.5-0.5"};
    if (IsZeroOpponent(block.opponent)) {
        // No opponent: a point or half a point is a bye, anything else an absence.
        std::string code = WhiteCode(block.result);
        if (code == "1-0" || code == "1k-0k") return {round, own + "-bye", "1k-0k"};
        if (code == "0.5-0.5") return {round, own + "-bye", "0.5-0.5"};
        return {round, own + "-stop", "0k-0k"};
    }
    // "0001" and "1" name the same player: the alias is built from the number.
    std::string other = prefix + (IsAllDigits(block.opponent) ? std::to_string(std::stoi(block.opponent)) : block.opponent);
    if (block.colour == "b" || block.colour == "B") return {round, other + "-" + own, MirroredCode(block.result)};
    return {round, own + "-" + other, WhiteCode(block.result)};
}

std::string SafeTournamentName(std::string_view name) {
    std::string text;
    for (char c : KeepPrintableAscii(RemoveDiacritics(name)))
        if (c != 127 && !HasForbiddenNameChar(std::string(1, c))) text += c;
    for (auto at = text.find(".."); at != std::string::npos; at = text.find("..")) text.erase(at, 1);
    if (text.size() > MaxFolderNameLength) text.resize(MaxFolderNameLength);
    auto first = text.find_first_not_of(" .");
    if (first == std::string::npos) return "TournamentFromTrf";
    text = text.substr(first, text.find_last_not_of(" .") - first + 1);
    return text;
}

TrfTournament ReadTrfFile(Session& session, const std::filesystem::path& file) {
    return TrfReader(session, file).Read();
}

std::filesystem::path ImportTrfFile(Session& session, const std::filesystem::path& file, const std::string& folderName) {
    if (!folderName.empty() && SafeTournamentName(folderName) != folderName)
        throw myException("\"" + folderName + "\" " + session.tr(316, "is not a valid folder name."));
    TrfTournament trf = ReadTrfFile(session, file);
    if (!folderName.empty()) trf.name = folderName;

    auto tourn = session.TournFolder();
    std::filesystem::create_directories(tourn);
    auto target = tourn / trf.name;
    if (target.lexically_normal().parent_path() != tourn.lexically_normal())
        throw myException("\"" + trf.name + "\" " + session.tr(316, "is not a valid folder name."));
    if (std::filesystem::exists(target))
        throw myException(session.tr(182, "A directory named") + " \"" + target.string() + "\" " +
                          session.tr(183, "already exists."));
    CreateTournamentFolder(session, trf, target);
    ShowInformation(session, session.tr(184, "TRF file conversion complete. The converted tournament is in the directory") +
                                 ": \n\"" + target.string() + "\"");
    return target;
}

}  // namespace veltrun
