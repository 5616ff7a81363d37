// Reading the settings file into the settings record, with each key's
// conversion and fallback.
#include "store/settings.h"

#include "store/ini_file.h"
#include "store/text_utils.h"

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

// Reads the keys of one settings file; every read opens and closes the file.
class KeyReader {
public:
    explicit KeyReader(const Settings& settings) : settings_(settings) {}
    std::string Text(const char* section, const char* key) const { return settings_.Read(section, key); }
    bool False(const char* section, const char* key) const { return SettingBoolDefaultFalse(Text(section, key)); }
    bool True(const char* section, const char* key) const { return SettingBoolDefaultTrue(Text(section, key)); }
    std::optional<int> Int(const char* section, const char* key) const { return SettingInt(Text(section, key)); }
    int Int(const char* section, const char* key, int fallback) const {
        return Int(section, key).value_or(fallback);
    }

private:
    const Settings& settings_;
};

std::string NormalisedByePoints(const std::string& value) {
    return ToLowerAscii(Trim(value)) == "aslost" ? "asLost" : "asWin";
}

}  // namespace

Settings LoadSettings(const std::filesystem::path& settingsFile) {
    Settings s;
    s.file = settingsFile;
    KeyReader read(s);
    s.FormMainTop = read.Int("FormMain", "Top");
    s.FormMainLeft = read.Int("FormMain", "Left");
    s.FormMainWidth = read.Int("FormMain", "Width");
    s.FormMainHeight = read.Int("FormMain", "Height");
    s.DownloadUrl = read.Text("FideRatingList", "DownloadUrl");
    s.OpenUrlInWebBrowser = read.False("FideRatingList", "OpenUrlInWebBrowser");
    s.ByePoints = NormalisedByePoints(read.Text("Options", "ByePoints"));
    s.SystemPrefixForAlias = read.Text("Options", "SystemPrefixForAlias");
    s.ArrUseNumbersOnly = read.False("Options", "ArrUseNumbersOnly");
    s.IsInternalFontCharset = read.False("InternalFontCharset", "IsInternalFontCharset");
    s.Language = read.Text("Options", "Language");
    s.NonUtf8CodePage = read.Text("Options", "NonUtf8CodePage");
    s.HtmlCharset = read.Text("Reports", "HtmlCharset");
    s.CloseQuery = read.False("FormMain", "CloseQuery");
    s.IsBackupRoundFiles = read.False("Options", "IsBackupRoundFiles");
    s.IsWriteAllowedToLogFile = read.True("Options", "IsWriteAllowedToLogFile");
    s.GoalsSkip2ColourCondition = read.False("Options", "GoalsSkip2ColourCondition");
    s.IsForbiddenMatchAgainstTeamMembers = read.False("Options", "IsForbiddenMatchAgainstTeamMembers");
    s.IsAcceleratedPairings = read.False("Options", "IsAcceleratedPairings");
    s.MakeOutputTRF16 = read.False("Reports", "MakeOutputTRF16");
    s.ShortFileNameTRF16 = read.Text("Reports", "ShortFileNameTRF16");
    s.MakeOutputTRF16National = read.False("Reports", "MakeOutputTRF16National");
    s.ShortFileNameTRF16National = read.Text("Reports", "ShortFileNameTRF16National");
    s.HtmlSuffix = read.Text("Reports", "HtmlSuffix");
    s.StartListName = read.Text("Reports", "StartListName");
    s.StartListSortingType = read.Text("Reports", "StartListSortingType");
    s.RoundListName = read.Text("Reports", "RoundListName");
    s.StandingsListName = read.Text("Reports", "StandingsListName");
    s.StandingsCardsListName = read.Text("Reports", "StandingsCardsListName");
    s.GoalsInfinityAtDivisionByZero = read.Int("Reports", "GoalsInfinityAtDivisionByZero", 500);
    s.GoalsDivisionNumberOfDecimalPlaces = read.Int("Reports", "GoalsDivisionNumberOfDecimalPlaces", 1);
    s.EnhancedCharsAreUsed = read.False("Reports", "EnhancedCharsAreUsed");
    s.EnhancedCharForDraw = read.Text("Reports", "EnhancedCharForDraw");
    s.EnhancedCharForWhiteColor = read.Text("Reports", "EnhancedCharForWhiteColor");
    s.EnhancedCharForBlackColor = read.Text("Reports", "EnhancedCharForBlackColor");
    s.TeamReport_IsUsed = read.False("Reports", "TeamReport_IsUsed");
    s.TeamReport_ShortFileName = read.Text("Reports", "TeamReport_ShortFileName");
    s.TeamReport_TopNplayers = read.Int("Reports", "TeamReport_TopNplayers", 1);
    s.TeamReport_WithPlayersList = read.True("Reports", "TeamReport_WithPlayersList");
    s.EloSearchMaxCountLines = read.Int("Options", "EloSearchMaxCountLines", 10);
    s.EloSearchRemoveDiacritics = read.True("Options", "EloSearchRemoveDiacritics");
    s.IsLoadMoreEloFiles = read.False("Options", "IsLoadMoreEloFiles");
    s.JaVaFoIsUsed = read.False("JaVaFo", "JaVaFoIsUsed");
    s.ShortFileNameJAVAFOin = read.Text("JaVaFo", "ShortFileNameJAVAFOin");
    s.ShortFileNameJAVAFOout = read.Text("JaVaFo", "ShortFileNameJAVAFOout");
    // A wait of zero or less would give the engine no chance at all.
    int timeout = read.Int("JaVaFo", "TimeoutSeconds", 300);
    s.EngineTimeoutSeconds = timeout > 0 ? timeout : 300;
    return s;
}

void SaveWindowPlacement(const Settings& settings, int top, int left, int width, int height) {
    settings.Write("FormMain", "Top", std::to_string(top));
    settings.Write("FormMain", "Left", std::to_string(left));
    settings.Write("FormMain", "Width", std::to_string(width));
    settings.Write("FormMain", "Height", std::to_string(height));
}

}  // namespace veltrun
