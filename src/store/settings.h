#pragma once
// The settings record read from Veltrun.ini in the program folder.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace veltrun {

// What a value of Veltrun.ini must look like; the message names it.
enum class SettingForm {
    WholeNumber,
    TrueOrFalse,
    ByePoints,
    AliasPrefix,
    LanguageName,
    CharsetName,
    ReportCharacter,
    WebAddress,
    EngineCommand
};

// A value of Veltrun.ini outside its range or form: the default was used instead.
struct SettingProblem {
    std::string section, key, value;
    SettingForm form = SettingForm::WholeNumber;
    int low = 0, high = 0;    // the range of a whole number
    std::string usedDefault;  // empty: the designed window placement
};

// The engine command of older settings files, which knew JaVaFo only.
inline constexpr const char* DefaultEngineCommand = "java -ea -jar {jar} {in} -p {out}";

struct Settings {
    std::filesystem::path file;  // the settings file itself

    std::optional<int> FormMainTop, FormMainLeft, FormMainWidth, FormMainHeight;  // empty: designed placement
    std::string DownloadUrl;
    bool OpenUrlInWebBrowser = false;
    std::string ByePoints = "asWin";  // normalised: "asWin" or "asLost"
    std::string SystemPrefixForAlias;
    bool ArrUseNumbersOnly = false;
    bool IsInternalFontCharset = false;
    std::string Language;
    std::string NonUtf8CodePage;  // [Options]: the code page of lines that are not UTF-8; empty: windows-1250
    std::string HtmlCharset;
    bool CloseQuery = false;
    bool IsBackupRoundFiles = false;
    bool IsWriteAllowedToLogFile = true;
    bool GoalsSkip2ColourCondition = false;
    bool IsForbiddenMatchAgainstTeamMembers = false;
    bool IsAcceleratedPairings = false;
    bool MakeOutputTRF16 = false;
    std::string ShortFileNameTRF16;
    bool MakeOutputTRF16National = false;
    std::string ShortFileNameTRF16National;
    std::string HtmlSuffix;
    std::string StartListName;
    std::string StartListSortingType;
    std::string RoundListName;
    std::string StandingsListName;
    std::string StandingsCardsListName;
    int GoalsInfinityAtDivisionByZero = 500;
    int GoalsDivisionNumberOfDecimalPlaces = 1;
    bool EnhancedCharsAreUsed = false;
    std::string EnhancedCharForDraw;
    std::string EnhancedCharForWhiteColor;
    std::string EnhancedCharForBlackColor;
    bool TeamReport_IsUsed = false;
    std::string TeamReport_ShortFileName;
    int TeamReport_TopNplayers = 1;
    bool TeamReport_WithPlayersList = true;
    int EloSearchMaxCountLines = 10;
    bool EloSearchRemoveDiacritics = true;
    bool IsLoadMoreEloFiles = false;
    bool JaVaFoIsUsed = false;
    std::string ShortFileNameJAVAFOin;
    std::string ShortFileNameJAVAFOout;
    int EngineTimeoutSeconds = 300;  // [JaVaFo] TimeoutSeconds: the longest wait for the engine
    // [JaVaFo] Command: the pairing engine's command line, {jar}, {in} and {out}
    // standing for the jar in the program folder and the engine's two files.
    std::string EngineCommand = DefaultEngineCommand;

    // Values found outside their range or form when the file was read; shown
    // as warnings once the language is known.
    std::vector<SettingProblem> problems;

    // Keys read when used (the second table): each call reads the file anew.
    std::string Read(const std::string& section, const std::string& key) const;
    void Write(const std::string& section, const std::string& key, const std::string& value) const;
};

// The words of an engine command: blanks separate them, double quotes keep
// blanks inside one ("C:/Program Files/x.exe"). Empty when the text is no
// usable command: unbalanced quotes, a control character, no program, an
// unknown {placeholder}, or {in} or {out} missing or given twice.
std::vector<std::string> EngineCommandWords(const std::string& command);

// Typed conversions of a settings value.
bool SettingBoolDefaultFalse(const std::string& value);
bool SettingBoolDefaultTrue(const std::string& value);
std::optional<int> SettingInt(const std::string& value);

// Whether a text has the form a setting of that kind needs (an alias prefix,
// a language file name, a character set name, a report character, a web address).
bool HasSettingForm(const std::string& value, SettingForm form);

// Reads every key of the settings file in the designed order; a value outside
// its range or form is recorded in problems and the key's default is used.
Settings LoadSettings(const std::filesystem::path& settingsFile);
void SaveWindowPlacement(const Settings& settings, int top, int left, int width, int height);

// The program folder: --home, else $VELTRUN_HOME, else the executable's folder when
// it holds Veltrun.ini (a portable copy), else $XDG_DATA_HOME/veltrun (~/.local/share/veltrun).
// Created when missing; a default Veltrun.ini (and the shipped language files)
// are copied in on first start.
std::filesystem::path ResolveProgramFolder(const std::string& homeOption, const std::filesystem::path& executable);
// The running program's own file (for the folder it lies in).
std::filesystem::path CurrentExecutablePath();
void InstallDefaults(const std::filesystem::path& programFolder, const std::filesystem::path& executable);

}  // namespace veltrun
