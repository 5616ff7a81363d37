// Reading the settings file into the settings record, with each key's
// conversion and fallback.
#include "store/settings.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "store/ini_file.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "store/tournament.h"
#include "store/web_charsets.h"

namespace veltrun {

bool SettingBoolDefaultFalse(const std::string& value) { return ToLowerAscii(Trim(value)) == "true"; }

bool SettingBoolDefaultTrue(const std::string& value) { return ToLowerAscii(Trim(value)) != "false"; }

std::optional<int> SettingInt(const std::string& value) {
    int number = 0;
    if (!TryParseInt(value, number)) return std::nullopt;
    return number;
}

std::string Settings::Read(const std::string& section, const std::string& key) const {
    return IniReadString(file, section, key);
}

void Settings::Write(const std::string& section, const std::string& key, const std::string& value) const {
    IniWriteString(file, section, key, value);
}

namespace {

// Counts {in}, {out} and {jar} in a word; false for any other {...}.
bool CountPlaceholders(const std::string& word, int& in, int& out) {
    for (std::size_t open = word.find('{'); open != std::string::npos; open = word.find('{', open + 1)) {
        const std::size_t close = word.find('}', open);
        if (close == std::string::npos) return false;
        const std::string name = word.substr(open, close - open + 1);
        if (name == "{in}") ++in;
        else if (name == "{out}") ++out;
        else if (name != "{jar}") return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> EngineCommandWords(const std::string& command) {
    if (command.size() > 2000 || !IsValidUtf8(command)) return {};
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : command) {
        if (static_cast<unsigned char>(c) < 32 || c == 127) return {};
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted) return {};
    if (inWord) words.push_back(word);
    int in = 0, out = 0;
    for (const std::string& w : words)
        if (!CountPlaceholders(w, in, out)) return {};
    // The program itself is never one of the files.
    if (words.empty() || words.front().empty() || words.front().find('{') != std::string::npos || in != 1 || out != 1)
        return {};
    return words;
}

bool HasSettingForm(const std::string& value, SettingForm form) {
    auto all = [&value](auto allowed) { return std::all_of(value.begin(), value.end(), allowed); };
    auto isAsciiLetter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    auto printable = [](char c) { return static_cast<unsigned char>(c) >= 32 && c != 127; };
    switch (form) {
        case SettingForm::AliasPrefix:
            // Generated aliases are prefix plus number: no "-" or "|", nothing the alias grammar reserves.
            return !value.empty() && value.size() <= 8 && all(isAsciiLetter);
        case SettingForm::LanguageName:
            // A file of the Language folder, never a path out of it.
            return !value.empty() && value.size() <= 255 && value.front() != '.' && IsValidUtf8(value) &&
                   all([&](char c) { return printable(c) && c != '/' && c != '\\'; });
        case SettingForm::CharsetName:
            // Declared in every report's head: only names browsers know.
            return WebCharsetConverter(value).has_value();
        case SettingForm::ReportCharacter: {
            // A few characters shown in a report cell; no markup and no field separator.
            const int length = IsValidUtf8(value) ? Utf8Length(value) : 0;
            return length >= 1 && length <= 4 && all([&](char c) {
                       return printable(c) && std::string_view("<>&\"'|").find(c) == std::string_view::npos;
                   });
        }
        case SettingForm::WebAddress: {
            const std::string lower = ToLowerAscii(value);
            return (lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0) && value.size() <= 2000 &&
                   all([&](char c) { return printable(c) && c != ' ' && c != '"'; });
        }
        case SettingForm::EngineCommand: return !EngineCommandWords(value).empty();
        case SettingForm::WholeNumber:
        case SettingForm::TrueOrFalse:
        case SettingForm::ByePoints: break;
    }
    return false;
}

namespace {

// Reads the keys of one settings file from the lines it held when it was read.
// A missing or empty value takes the key's default silently; a value outside
// the key's range or form takes it too, and is recorded as a problem.
class KeyReader {
public:
    KeyReader(Settings& settings, IniFileLines ini) : settings_(settings), ini_(std::move(ini)) {}
    std::string Text(const char* section, const char* key) const { return ini_.Value(section, key); }

    bool Bool(const char* section, const char* key, bool fallback) {
        const std::string value = Trim(Text(section, key));
        const std::string lower = ToLowerAscii(value);
        if (lower == "true" || lower == "false") return lower == "true";
        if (!value.empty()) Record(section, key, value, SettingForm::TrueOrFalse, fallback ? "true" : "false");
        return fallback;
    }
    std::optional<int> Int(const char* section, const char* key, int low, int high, const std::string& fallbackText) {
        const std::string value = Trim(Text(section, key));
        int number = 0;
        if (TryParseInt(value, number) && number >= low && number <= high) return number;
        if (!value.empty()) {
            SettingProblem& problem = Record(section, key, value, SettingForm::WholeNumber, fallbackText);
            problem.low = low;
            problem.high = high;
        }
        return std::nullopt;
    }
    int Int(const char* section, const char* key, int low, int high, int fallback) {
        return Int(section, key, low, high, std::to_string(fallback)).value_or(fallback);
    }
    std::string Formed(const char* section, const char* key, SettingForm form, const std::string& fallback) {
        const std::string value = Trim(Text(section, key));
        if (value.empty()) return fallback;
        if (HasSettingForm(value, form)) return value;
        Record(section, key, value, form, fallback);
        return fallback;
    }
    std::string ByePoints() {
        const std::string value = Trim(Text("Options", "ByePoints"));
        const std::string lower = ToLowerAscii(value);
        if (lower == "aslost") return "asLost";
        if (lower != "aswin" && !value.empty()) Record("Options", "ByePoints", value, SettingForm::ByePoints, "asWin");
        return "asWin";
    }

private:
    SettingProblem& Record(const char* section, const char* key, const std::string& value, SettingForm form,
                           const std::string& fallback) {
        SettingProblem problem;
        problem.section = section;
        problem.key = key;
        problem.value = value;
        problem.form = form;
        problem.usedDefault = fallback;
        settings_.problems.push_back(std::move(problem));
        return settings_.problems.back();
    }

    Settings& settings_;
    const IniFileLines ini_;
};

constexpr const char* ShippedDownloadUrl = "https://ratings.fide.com/download/players_list_xml.zip";
// Window edges may lie on any screen of a large desktop, but not beyond reason.
constexpr int FarEdge = 100000;

}  // namespace

Settings LoadSettings(const std::filesystem::path& settingsFile) {
    Settings s;
    s.file = settingsFile;
    KeyReader read(s, ReadIniFile(settingsFile));
    s.FormMainTop = read.Int("FormMain", "Top", -FarEdge, FarEdge, "");
    s.FormMainLeft = read.Int("FormMain", "Left", -FarEdge, FarEdge, "");
    s.FormMainWidth = read.Int("FormMain", "Width", 1, FarEdge, "");
    s.FormMainHeight = read.Int("FormMain", "Height", 1, FarEdge, "");
    s.DownloadUrl = read.Formed("FideRatingList", "DownloadUrl", SettingForm::WebAddress, ShippedDownloadUrl);
    s.OpenUrlInWebBrowser = read.Bool("FideRatingList", "OpenUrlInWebBrowser", false);
    s.ByePoints = read.ByePoints();
    s.SystemPrefixForAlias = read.Formed("Options", "SystemPrefixForAlias", SettingForm::AliasPrefix, "A");
    s.ArrUseNumbersOnly = read.Bool("Options", "ArrUseNumbersOnly", false);
    s.IsInternalFontCharset = read.Bool("InternalFontCharset", "IsInternalFontCharset", false);
    // An empty name means the built-in English, like a missing one.
    s.Language = read.Formed("Options", "Language", SettingForm::LanguageName, "English (built-in)");
    s.NonUtf8CodePage = read.Text("Options", "NonUtf8CodePage");
    s.HtmlCharset = read.Formed("Reports", "HtmlCharset", SettingForm::CharsetName, "utf-8");
    s.CloseQuery = read.Bool("FormMain", "CloseQuery", false);
    s.IsBackupRoundFiles = read.Bool("Options", "IsBackupRoundFiles", false);
    s.IsWriteAllowedToLogFile = read.Bool("Options", "IsWriteAllowedToLogFile", true);
    s.GoalsSkip2ColourCondition = read.Bool("Options", "GoalsSkip2ColourCondition", false);
    s.IsForbiddenMatchAgainstTeamMembers = read.Bool("Options", "IsForbiddenMatchAgainstTeamMembers", false);
    s.IsAcceleratedPairings = read.Bool("Options", "IsAcceleratedPairings", false);
    s.MakeOutputTRF16 = read.Bool("Reports", "MakeOutputTRF16", false);
    s.ShortFileNameTRF16 = read.Text("Reports", "ShortFileNameTRF16");
    s.MakeOutputTRF16National = read.Bool("Reports", "MakeOutputTRF16National", false);
    s.ShortFileNameTRF16National = read.Text("Reports", "ShortFileNameTRF16National");
    s.HtmlSuffix = read.Text("Reports", "HtmlSuffix");
    s.StartListName = read.Text("Reports", "StartListName");
    // 2 sorts by rating, any other number alphabetically.
    s.StartListSortingType = std::to_string(read.Int("Reports", "StartListSortingType", 0, 9, 2));
    s.RoundListName = read.Text("Reports", "RoundListName");
    s.StandingsListName = read.Text("Reports", "StandingsListName");
    s.StandingsCardsListName = read.Text("Reports", "StandingsCardsListName");
    s.GoalsInfinityAtDivisionByZero = read.Int("Reports", "GoalsInfinityAtDivisionByZero", 0, 1000000, 500);
    // More decimals than a double holds would print noise, or nothing at all.
    s.GoalsDivisionNumberOfDecimalPlaces = read.Int("Reports", "GoalsDivisionNumberOfDecimalPlaces", 0, 6, 1);
    s.EnhancedCharsAreUsed = read.Bool("Reports", "EnhancedCharsAreUsed", false);
    s.EnhancedCharForDraw = read.Formed("Reports", "EnhancedCharForDraw", SettingForm::ReportCharacter, "½");
    s.EnhancedCharForWhiteColor =
        read.Formed("Reports", "EnhancedCharForWhiteColor", SettingForm::ReportCharacter, "○");
    s.EnhancedCharForBlackColor =
        read.Formed("Reports", "EnhancedCharForBlackColor", SettingForm::ReportCharacter, "●");
    s.TeamReport_IsUsed = read.Bool("Reports", "TeamReport_IsUsed", false);
    s.TeamReport_ShortFileName = read.Text("Reports", "TeamReport_ShortFileName");
    s.TeamReport_TopNplayers = read.Int("Reports", "TeamReport_TopNplayers", 1, MaxPlayers, 1);
    s.TeamReport_WithPlayersList = read.Bool("Reports", "TeamReport_WithPlayersList", true);
    s.EloSearchMaxCountLines = read.Int("Options", "EloSearchMaxCountLines", 1, 10000, 10);
    s.EloSearchRemoveDiacritics = read.Bool("Options", "EloSearchRemoveDiacritics", true);
    s.IsLoadMoreEloFiles = read.Bool("Options", "IsLoadMoreEloFiles", false);
    s.JaVaFoIsUsed = read.Bool("JaVaFo", "JaVaFoIsUsed", false);
    s.ShortFileNameJAVAFOin = read.Text("JaVaFo", "ShortFileNameJAVAFOin");
    s.ShortFileNameJAVAFOout = read.Text("JaVaFo", "ShortFileNameJAVAFOout");
    // A wait of zero would give the engine no chance at all; a day is more than any pairing needs.
    s.EngineTimeoutSeconds = read.Int("JaVaFo", "TimeoutSeconds", 1, 86400, 300);
    s.EngineCommand = read.Formed("JaVaFo", "Command", SettingForm::EngineCommand, DefaultEngineCommand);
    return s;
}

void SaveWindowPlacement(const Settings& settings, int top, int left, int width, int height) {
    settings.Write("FormMain", "Top", std::to_string(top));
    settings.Write("FormMain", "Left", std::to_string(left));
    settings.Write("FormMain", "Width", std::to_string(width));
    settings.Write("FormMain", "Height", std::to_string(height));
}

}  // namespace veltrun
