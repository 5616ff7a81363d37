#include "store/new_tournament.h"

#include <filesystem>

#include "store/field_error.h"
#include "store/options_file.h"
#include "store/players_file.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

ListItem Item(std::string code, const std::string& description) {
    return {code, "[" + code + "] " + description};
}

int CheckMaxRound(const Session& session, const std::string& typed) {
    std::string text = Trim(typed);
    if (text.empty()) throw FieldError("E_MAX_ROUND", session.tr(59, "Number of rounds must be entered."));
    int rounds = 0;
    // A number too large for the model is no usable number of rounds either.
    if (!IsAllDigits(text) || !TryParseInt(text, rounds))
        throw FieldError("E_MAX_ROUND", session.tr(60, "Number of rounds must be a positive integer."));
    return rounds;
}

// Only a plain name of one folder inside Tourn/ is accepted: "." or ".."
// would put the tournament into Tourn/ itself or outside it.
std::filesystem::path CheckFolder(const Session& session, const std::string& name) {
    bool onlyDots = !name.empty() && name.find_first_not_of('.') == std::string::npos;
    if (HasForbiddenNameChar(name) || onlyDots)
        throw FieldError("E_FOLDER", session.tr(61, "Directory name cannot contain characters") + " \\/:*?\"<>|");
    std::filesystem::path folder = session.TournFolder() / name;
    if (name.empty() || std::filesystem::exists(folder))
        throw FieldError("E_FOLDER", session.tr(62, "A directory named") + " \"" + name + "\" " +
                                         session.tr(63, "already exists. Choose a different directory name."));
    return folder;
}

void WriteNewFiles(const std::filesystem::path& folder, const NewOptions& options) {
    bool tournCreated = !std::filesystem::exists(folder.parent_path());
    std::filesystem::create_directories(folder);
    try {
        WriteTextLines(OptionsFilePath(folder), NewOptionsFileLines(options));
        WriteTextLines(PlayersFilePath(folder), {std::string(PlayersFileHeader)});
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove_all(tournCreated ? folder.parent_path() : folder, ec);
        throw;
    }
}

}  // namespace

std::vector<ListItem> ColourItems(const Session& session) {
    return {Item("R", session.tr(54, "Random")), Item("W", session.tr(55, "White")), Item("B", session.tr(56, "Black"))};
}

std::vector<ListItem> PointsTypeItems() { return {{"1- 0.5 -0", "1- 0.5 -0"}, {"3-1-0", "3-1-0"}}; }

std::vector<ListItem> TbsTypeItems(const Session& session) {
    return {Item("Chess", session.tr(57, "Chess")), Item("Goals", session.tr(58, "Goals/Score"))};
}

std::vector<ListItem> TieBreakItems(const Translation& tr, std::string_view type) {
    if (type == "Goals")
        return {Item("G1", tr(49, "more goals scored")),
                Item("-G2", tr(50, "fewer received goals")),
                Item("G1-G2", tr(51, "difference: scored goals  - received goals")),
                Item("G1/G2", tr(52, "quotient: scored goals / received goals")),
                Item("DiEnc", tr(187, "direct encounter(s)")),
                Item("-", tr(48, "not assigned"))};
    return {Item("BH", tr(42, "Buchholz")),
            Item("midBH", tr(43, "middle Buchholz")),
            Item("BHcut1", tr(186, "Buchholz without lowest")),
            Item("DiEnc", tr(187, "direct encounter(s)")),
            Item("SB", tr(44, "Sonneborn–Berger")),
            Item("PS", tr(45, "Progress")),
            Item("cWin", tr(46, "count of wins")),
            Item("cWinBl", tr(188, "count of wins with black pieces")),
            Item("cBlack", tr(47, "count of black")),
            Item("-", tr(48, "not assigned"))};
}

std::vector<ListItem> TieBreakItems(const Session& session, std::string_view type) {
    return TieBreakItems(session.translation, type);
}

std::string CodeOfItem(std::string_view itemText) {
    std::string code(itemText.substr(0, itemText.find(']')));
    return ReplaceChar(code, '[', "");
}

int DefaultTieBreakIndex(const Session& session, int n, std::string_view type, int fallback) {
    std::string code = session.settings.Read("DefaultTBfor" + std::string(type), "TB" + std::to_string(n));
    auto items = TieBreakItems(session, type);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].Code == code) return static_cast<int>(i);
    return fallback;
}

std::array<std::string, 5> DefaultTieBreaks(const Session& session, std::string_view type) {
    auto items = TieBreakItems(session, type);
    int notAssigned = static_cast<int>(items.size()) - 1;
    std::array<std::string, 5> codes;
    for (int n = 1; n <= 5; ++n)
        codes[static_cast<size_t>(n - 1)] = items[static_cast<size_t>(DefaultTieBreakIndex(session, n, type, notAssigned))].Code;
    return codes;
}

NewTournamentFields DefaultNewTournamentFields(const Session& session) {
    NewTournamentFields fields;
    fields.FolderName = session.tr(53, "Tourn") + DateStamp();
    fields.TB = DefaultTieBreaks(session, "Chess");
    return fields;
}

void CreateTournament(Session& session, const NewTournamentFields& fields) {
    int rounds = CheckMaxRound(session, fields.MaxRound);
    std::filesystem::path folder = CheckFolder(session, Trim(fields.FolderName));

    NewOptions options;
    options.MaxRound = rounds;
    options.ColourFor1stPlayer = fields.Colour == "W" || fields.Colour == "B" ? fields.Colour : "R";
    options.PointsType = fields.PointsType == "3-1-0" ? "3-1-0" : "1- 0.5 -0";
    options.TBsType = fields.TBsType == "Goals" ? "Goals" : "Chess";
    for (size_t k = 0; k < 5; ++k) options.TB[k] = ValidateTieBreak(fields.TB[k]);
    WriteNewFiles(folder, options);

    Tournament fresh;
    fresh.TournamentFolder = folder.string();
    fresh.LogFileName = (folder / "tournlog.log").string();
    fresh.MaxRound = rounds;
    fresh.CurrentRound = 0;
    fresh.ColourFor1stPlayer = ReadColourFor1stPlayer(options.ColourFor1stPlayer, session.random);
    SetPointsSystem(fresh, options.PointsType);
    // The type too, so a new Goals tournament takes goals before it is reopened.
    fresh.TBsType = options.TBsType;
    for (int k = 1; k <= 5; ++k) fresh.TB(k) = options.TB[static_cast<size_t>(k - 1)];
    session.tournament = std::move(fresh);
    session.log.SetFile(session.tournament.LogFileName);
    session.AppendToLog("New tournament created.");
}

}  // namespace veltrun
