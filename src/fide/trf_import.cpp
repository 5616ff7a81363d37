#include "fide/trf_import.h"

#include <fcntl.h>
#include <stdio.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <set>
#include <system_error>
#include <utility>

#include "store/error_text.h"
#include "store/errors.h"
#include "store/file_limits.h"
#include "store/forbidden_file.h"
#include "store/ini_file.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

// A line split into columns once, so that any run of columns is found
// without counting from the start again: a long line costs time linear in
// its length. A column is one character.
class ColumnLine {
public:
    explicit ColumnLine(std::string_view line) : line_(line) {
        for (std::size_t i = 0; i < line.size();) {
            starts_.push_back(i);
            auto lead = static_cast<unsigned char>(line[i]);
            i += lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        }
    }
    int Length() const { return static_cast<int>(starts_.size()); }
    // Columns from..to (1-based, inclusive).
    std::string Columns(int from, int to) const {
        int count = Length();
        if (from > count || to < from) return {};
        to = std::min(to, count);
        std::size_t begin = starts_[static_cast<std::size_t>(from - 1)];
        std::size_t end = to < count ? starts_[static_cast<std::size_t>(to)] : line_.size();
        return std::string(line_.substr(begin, std::min(end, line_.size()) - begin));
    }

private:
    std::string_view line_;
    std::vector<std::size_t> starts_;
};

std::string Columns(std::string_view line, int from, int to) { return ColumnLine(line).Columns(from, to); }

std::string FieldText(const ColumnLine& line, int from, int to) {
    return Trim(ReplaceChar(CleanLine(line.Columns(from, to)), '|', ""));
}

std::string FieldText(std::string_view line, int from, int to) { return FieldText(ColumnLine(line), from, to); }

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
    std::string points;  // columns 81-84
    double wins = 0, draws = 0;  // as the player's own letters count them
};

bool IsOneOf(const std::string& letter, std::string_view letters) {
    return letter.size() == 1 && letters.find(letter[0]) != std::string_view::npos;
}
bool IsWinLetter(const std::string& letter) { return IsOneOf(letter, "1Ww+UuFf"); }
bool IsDrawLetter(const std::string& letter) { return IsOneOf(letter, "=DdHh"); }

// TRF16 has no record for the points system, but every player line carries
// its points: when all of them count a win as 3 and a draw as 1 (and not
// all as 1 and 0.5), the tournament is one of "3-1-0".
bool CountsThreeOneZero(const std::vector<PlayerLine>& players) {
    bool any = false, allThree = true, allOne = true;
    for (const PlayerLine& p : players) {
        if (p.points.empty() || p.points.find_first_not_of("0123456789.") != std::string::npos) continue;
        double points = ParseDecimal(p.points);
        any = true;
        allThree = allThree && std::abs(points - (3 * p.wins + p.draws)) < 0.01;
        allOne = allOne && std::abs(points - (p.wins + 0.5 * p.draws)) < 0.01;
    }
    return any && allThree && !allOne;
}

// A code of "1- 0.5 -0" in "3-1-0": a win is 3 points and a draw 1.
std::string ThreeOneZeroCode(const std::string& code) {
    if (code == "?-?") return code;
    auto part = [](std::string text) {
        bool forfeit = !text.empty() && text.back() == 'k';
        if (forfeit) text.pop_back();
        text = text == "1" ? "3" : text == "0.5" ? "1" : text;
        return forfeit ? text + "k" : text;
    };
    return part(GetField(code, '-', 1)) + "-" + part(GetField(code, '-', 2));
}

// The points one player's letter gives that player: "1", "0.5", "0", each
// with "k" for a forfeit; empty for no result.
std::string OwnPart(const std::string& letter) {
    std::string code = WhiteCode(letter);
    return code == "?-?" ? std::string() : GetField(code, '-', 1);
}

// The game from both players' letters, each telling its own points, so that
// every code a game can end with (0.5-0 and 0-0 as well) comes back; empty
// when the two cannot belong to one game.
std::string CombinedCode(const std::string& whiteLetter, const std::string& blackLetter) {
    std::string white = OwnPart(whiteLetter), black = OwnPart(blackLetter);
    if (white.empty() || black.empty()) return white.empty() && black.empty() ? "?-?" : "";
    bool whiteForfeit = white.back() == 'k', blackForfeit = black.back() == 'k';
    if (whiteForfeit != blackForfeit) return "";
    std::string code = white + "-" + black;
    static const std::set<std::string> valid{"1-0", "0-1", "0.5-0.5", "0.5-0", "0-0.5", "0-0", "1k-0k", "0k-1k", "0k-0k"};
    return valid.count(code) ? code : "";
}

struct GameItem {
    TrfGame game;
    std::string white, black;  // the two sides of the game id
    std::string letter;        // the result letter of the player who wrote it
    bool ownIsWhite;
    int lineNumber;
};

class TrfReader {
public:
    TrfReader(const Translation& tr, std::string aliasPrefix, const std::filesystem::path& file)
        : tr_(tr), aliasPrefix_(std::move(aliasPrefix)), file_(file) {}

    TrfTournament Read() {
        std::string name;
        // One line at a time: only the player lines are kept for the blocks.
        ForEachTextLine(file_, file_limit::Trf, [&](std::string& line, std::size_t number) {
            ReadLine(line, static_cast<int>(number), name);
        });
        if (playerLines_.empty()) throw myException(Where() + ": " + tr_(317, "The file holds no player line (001)."));
        result_.name = SafeTournamentName(name.empty() ? "TournamentFromTrf" : name);
        for (PlayerLine& p : playerLines_) ReadBlocks(p);
        if (CountsThreeOneZero(playerLines_)) result_.pointsType = "3-1-0";
        CollectRoundLines();
        CheckForbiddenGroups();
        return result_;
    }

private:
    void ReadLine(const std::string& line, int lineNumber, std::string& name) {
        // Every record read starts with "0" or "x": all other lines cost nothing more.
        if (line.size() < 3 || (line[0] != '0' && line[0] != 'x' && line[0] != 'X')) return;
        if (line.rfind("012", 0) == 0) {
            name = Trim(CleanLine(Columns(line, 5, Utf8Length(line))));
        } else if (StartsWithNoCase(line, "xxr")) {
            std::string rounds = FieldText(line, 5, Utf8Length(line));
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

    void ReadPlayer(const std::string& text, int lineNumber) {
        ColumnLine line(text);
        if (result_.players.size() >= static_cast<std::size_t>(MaxPlayers))
            throw myException(Where() + ": " + tr_(157, "The maximum number of players in a tournament is") + " " +
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
        playerLines_.push_back({entry.startNo, lineNumber, text, FieldText(line, 81, 84)});
    }

    void ReadBlocks(PlayerLine& p) {
        ColumnLine line(p.text);
        for (int r = 1; 92 + 10 * (r - 1) <= line.Length(); ++r) {
            int start = 92 + 10 * (r - 1);
            if (Trim(line.Columns(start, start + 8)).empty()) continue;
            if (r > MaxRounds) Refuse(p.lineNumber, 451, "the round is beyond the most rounds a tournament can have.", r);
            TrfBlock parts{Trim(line.Columns(start, start + 3)), Trim(line.Columns(start + 5, start + 5)),
                           Trim(line.Columns(start + 7, start + 7))};
            if (!IsZeroOpponent(parts.opponent)) CheckOpponent(parts.opponent, p, r);
            p.wins += IsWinLetter(parts.result) ? 1 : 0;
            p.draws += IsDrawLetter(parts.result) ? 1 : 0;
            TrfGame game = TrfBlockToGame(r, p.startNo, parts, aliasPrefix_);
            std::string white = GetField(game.gameId, '-', 1);
            AddGame(GameItem{game, white, GetField(game.gameId, '-', 2), parts.result,
                             white == aliasPrefix_ + std::to_string(p.startNo), p.lineNumber});
        }
    }

    void CheckOpponent(const std::string& opponent, const PlayerLine& p, int round) {
        if (!IsAllDigits(opponent)) Refuse(p.lineNumber, 311, "the opponent is not a starting number.", round);
        int number = std::stoi(opponent);
        if (number == p.startNo) Refuse(p.lineNumber, 318, "the player is paired against himself.", round);
        if (startNumbers_.count(number) == 0) Refuse(p.lineNumber, 314, "the opponent is not in the file.", round);
    }

    // A game seen from both players is one game line whose code joins what
    // each player's letter says about that player's own points.
    void AddGame(GameItem item) {
        auto [known, added] = itemOfGame_.try_emplace({item.game.round, item.game.gameId}, items_.size());
        if (!added) {
            GameItem& first = items_[known->second];
            if (first.game.code == item.game.code && first.ownIsWhite == item.ownIsWhite) return;
            bool realGame = item.black != "bye" && item.black != "stop";
            std::string code;
            if (realGame && first.ownIsWhite != item.ownIsWhite)
                code = first.ownIsWhite ? CombinedCode(first.letter, item.letter) : CombinedCode(item.letter, first.letter);
            if (code.empty()) Refuse(item.lineNumber, 319, "the two players' lines disagree on this game.", item.game.round);
            first.game.code = code;
            return;
        }
        auto& inRound = paired_[item.game.round];
        for (const std::string& side : {item.white, item.black}) {
            if (side == "bye" || side == "stop") continue;
            if (!inRound.insert(side).second)
                Refuse(item.lineNumber, 315, "the player is paired more than once.", item.game.round);
        }
        items_.push_back(std::move(item));
    }

    // Every player stands on one line of each round: one without a game in a
    // round (a blank block, a short line, a round nobody played) is absent.
    void CollectRoundLines() {
        int lastRound = 0;
        for (const GameItem& item : items_) {
            std::string code = result_.pointsType == "3-1-0" ? ThreeOneZeroCode(item.game.code) : item.game.code;
            result_.roundLines[item.game.round].push_back("|" + code + "|||" + item.game.gameId);
            lastRound = std::max(lastRound, item.game.round);
        }
        result_.maxRound = std::max(result_.maxRound, lastRound);
        for (int r = 1; r <= lastRound; ++r) {
            auto& lines = result_.roundLines[r];
            for (const TrfPlayerEntry& p : result_.players) {
                std::string alias = aliasPrefix_ + std::to_string(p.startNo);
                if (!paired_[r].count(alias)) lines.push_back("|0k-0k|||" + alias + "-stop");
            }
        }
    }

    std::string Where() const { return tr_(308, "TRF file") + " (" + file_.string() + ")"; }

    [[noreturn]] void Refuse(int lineNumber, int reasonId, const char* reason, int round = 0) {
        std::string where = Where() + ", " + tr_(295, "line") + " " + std::to_string(lineNumber);
        if (round > 0) where += ", " + tr_(3, "Round") + " " + std::to_string(round);
        throw myException(where + ": " + tr_(reasonId, reason));
    }

    const Translation& tr_;
    std::string aliasPrefix_;
    std::filesystem::path file_;
    TrfTournament result_;
    std::vector<PlayerLine> playerLines_;
    std::set<int> startNumbers_;
    std::vector<GameItem> items_;
    std::map<std::pair<int, std::string>, std::size_t> itemOfGame_;  // (round, game id) -> item
    std::map<int, std::set<std::string>> paired_;
    std::vector<int> forbiddenLines_;  // the line of each XXP group
};

std::vector<std::string> OptionsLines(Session& session, int maxRound, const std::string& pointsType) {
    std::vector<std::string> lines{";",
                                   "; valid values for TB1 - TB5 are:",
                                   ";    for TbsType = Chess : BH midBH BHcut1 DiEnc SB PS cWin cWinBl cBlack -",
                                   ";    for TbsType = Goals : G1 -G2 G1-G2 G1/G2 -",
                                   ";",
                                   "[Options]",
                                   "MaxRound=" + std::to_string(maxRound),
                                   "ColourFor1stPlayer=R",
                                   "PointsType=" + pointsType,
                                   "TBsType=Chess"};
    const IniFileLines ini = ReadIniFile(session.settings.file);
    for (int k = 1; k <= 5; ++k) {
        std::string key = "TB" + std::to_string(k);
        lines.push_back(key + "=" + ini.Value("DefaultTBforChess", key));
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
    WriteTextLines(folder / "options.txt", OptionsLines(session, trf.maxRound, trf.pointsType));
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

[[noreturn]] void ThrowFolderExists(Session& session, const std::filesystem::path& target) {
    throw myException(session.tr(182, "A directory named") + " \"" + target.string() + "\" " +
                      session.tr(183, "already exists."));
}

std::filesystem::path StagingFolder(Session& session, const std::filesystem::path& parent) {
    for (;;) {
        auto candidate = parent / (".import-" + std::to_string(session.random() % 1000000000u));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) return candidate;
        if (error) throw myException(FileErrorText(session, parent, error));
    }
}

// Moves the finished folder into place unless something of that name
// appeared meanwhile (another import of the same file, say).
void MoveIntoPlace(Session& session, const std::filesystem::path& staging, const std::filesystem::path& target) {
    if (::renameat2(AT_FDCWD, staging.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return;
    int error = errno;
    // A file system without the flag: a plain rename still refuses a folder with files.
    std::error_code ignored;
    if ((error == EINVAL || error == ENOSYS) && !std::filesystem::exists(target, ignored)) {
        if (std::rename(staging.c_str(), target.c_str()) == 0) return;
        error = errno;
    }
    if (error == EEXIST || error == ENOTEMPTY) ThrowFolderExists(session, target);
    throw myException(FileErrorText(session, target, std::error_code(error, std::generic_category())));
}

// Builds the folder next to its final place and renames it there, so a
// failure half-way leaves nothing behind.
void CreateTournamentFolder(Session& session, const TrfTournament& trf, const std::filesystem::path& target) {
    auto staging = StagingFolder(session, target.parent_path());
    try {
        WriteTournamentFiles(session, trf, staging);
        MoveIntoPlace(session, staging, target);
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
    if (text.size() > static_cast<std::size_t>(MaxFolderChars)) text.resize(MaxFolderChars);
    auto first = text.find_first_not_of(" .");
    if (first == std::string::npos) return "TournamentFromTrf";
    text = text.substr(first, text.find_last_not_of(" .") - first + 1);
    return text;
}

TrfTournament ReadTrfFile(const Translation& tr, const std::string& aliasPrefix, const std::filesystem::path& file) {
    return TrfReader(tr, aliasPrefix, file).Read();
}

std::filesystem::path ImportTrfFile(Session& session, const std::filesystem::path& file, const std::string& folderName) {
    if (!folderName.empty() && SafeTournamentName(folderName) != folderName)
        throw myException("\"" + folderName + "\" " + session.tr(316, "is not a valid folder name."));
    TrfTournament trf = ReadTrfFile(session.translation, session.settings.SystemPrefixForAlias, file);
    if (!folderName.empty()) trf.name = folderName;

    auto tourn = session.TournFolder();
    std::error_code error;
    std::filesystem::create_directories(tourn, error);
    if (error) throw myException(FileErrorText(session, tourn, error));
    auto target = tourn / trf.name;
    if (target.lexically_normal().parent_path() != tourn.lexically_normal())
        throw myException("\"" + trf.name + "\" " + session.tr(316, "is not a valid folder name."));
    bool exists = std::filesystem::exists(target, error);
    if (error) throw myException(FileErrorText(session, target, error));
    if (exists) ThrowFolderExists(session, target);
    CreateTournamentFolder(session, trf, target);
    ShowInformation(session, session.tr(184, "TRF file conversion complete. The converted tournament is in the directory") +
                                 ": \n\"" + target.string() + "\"");
    return target;
}

}  // namespace veltrun
