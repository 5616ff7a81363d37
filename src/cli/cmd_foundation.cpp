// Commands that show the installation itself: info and translate.
#include <ostream>

#include "app/catalogue.h"
#include "cli/commands.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun::cli {

namespace {

std::string Optional(const std::optional<int>& value) { return value ? std::to_string(*value) : "(designed placement)"; }

void PrintSettings(const Settings& s, std::ostream& out) {
    auto line = [&](const std::string& section, const std::string& key, const std::string& value) {
        out << "  [" << section << "] " << key << " = " << value << "\n";
    };
    line("FormMain", "Top", Optional(s.FormMainTop));
    line("FormMain", "Left", Optional(s.FormMainLeft));
    line("FormMain", "Width", Optional(s.FormMainWidth));
    line("FormMain", "Height", Optional(s.FormMainHeight));
    line("FideRatingList", "DownloadUrl", s.DownloadUrl);
    line("FideRatingList", "OpenUrlInWebBrowser", BoolText(s.OpenUrlInWebBrowser));
    line("Options", "ByePoints", s.ByePoints);
    line("Options", "SystemPrefixForAlias", s.SystemPrefixForAlias);
    line("Options", "ArrUseNumbersOnly", BoolText(s.ArrUseNumbersOnly));
    line("InternalFontCharset", "IsInternalFontCharset", BoolText(s.IsInternalFontCharset));
    line("Options", "Language", s.Language);
    line("Options", "NonUtf8CodePage", s.NonUtf8CodePage);
    line("Reports", "HtmlCharset", s.HtmlCharset);
    line("FormMain", "CloseQuery", BoolText(s.CloseQuery));
    line("Options", "IsBackupRoundFiles", BoolText(s.IsBackupRoundFiles));
    line("Options", "IsWriteAllowedToLogFile", BoolText(s.IsWriteAllowedToLogFile));
    line("Options", "GoalsSkip2ColourCondition", BoolText(s.GoalsSkip2ColourCondition));
    line("Options", "IsForbiddenMatchAgainstTeamMembers", BoolText(s.IsForbiddenMatchAgainstTeamMembers));
    line("Options", "IsAcceleratedPairings", BoolText(s.IsAcceleratedPairings));
    line("Reports", "MakeOutputTRF16", BoolText(s.MakeOutputTRF16));
    line("Reports", "ShortFileNameTRF16", s.ShortFileNameTRF16);
    line("Reports", "MakeOutputTRF16National", BoolText(s.MakeOutputTRF16National));
    line("Reports", "ShortFileNameTRF16National", s.ShortFileNameTRF16National);
    line("Reports", "HtmlSuffix", s.HtmlSuffix);
    line("Reports", "StartListName", s.StartListName);
    line("Reports", "StartListSortingType", s.StartListSortingType);
    line("Reports", "RoundListName", s.RoundListName);
    line("Reports", "StandingsListName", s.StandingsListName);
    line("Reports", "StandingsCardsListName", s.StandingsCardsListName);
    line("Reports", "GoalsInfinityAtDivisionByZero", std::to_string(s.GoalsInfinityAtDivisionByZero));
    line("Reports", "GoalsDivisionNumberOfDecimalPlaces", std::to_string(s.GoalsDivisionNumberOfDecimalPlaces));
    line("Reports", "EnhancedCharsAreUsed", BoolText(s.EnhancedCharsAreUsed));
    line("Reports", "EnhancedCharForDraw", s.EnhancedCharForDraw);
    line("Reports", "EnhancedCharForWhiteColor", s.EnhancedCharForWhiteColor);
    line("Reports", "EnhancedCharForBlackColor", s.EnhancedCharForBlackColor);
    line("Reports", "TeamReport_IsUsed", BoolText(s.TeamReport_IsUsed));
    line("Reports", "TeamReport_ShortFileName", s.TeamReport_ShortFileName);
    line("Reports", "TeamReport_TopNplayers", std::to_string(s.TeamReport_TopNplayers));
    line("Reports", "TeamReport_WithPlayersList", BoolText(s.TeamReport_WithPlayersList));
    line("Options", "EloSearchMaxCountLines", std::to_string(s.EloSearchMaxCountLines));
    line("Options", "EloSearchRemoveDiacritics", BoolText(s.EloSearchRemoveDiacritics));
    line("Options", "IsLoadMoreEloFiles", BoolText(s.IsLoadMoreEloFiles));
    line("JaVaFo", "JaVaFoIsUsed", BoolText(s.JaVaFoIsUsed));
    line("JaVaFo", "ShortFileNameJAVAFOin", s.ShortFileNameJAVAFOin);
    line("JaVaFo", "ShortFileNameJAVAFOout", s.ShortFileNameJAVAFOout);
    line("JaVaFo", "TimeoutSeconds", std::to_string(s.EngineTimeoutSeconds));
    line("JaVaFo", "Command", s.EngineCommand);
}

int Info(CliContext& c, const CommandArgs&) {
    const Session& s = c.session;
    c.out << "Veltrun " << VELTRUN_VERSION << "\n";
    c.out << "Program folder: " << s.ProgramFolder.string() << "\n";
    c.out << "Settings file: " << s.SettingsFile().string() << "\n";
    c.out << "Language: " << (s.translation.EnglishBuiltIn ? std::string("English (built-in)") : s.settings.Language) << "\n";
    c.out << "HTML charset: " << s.translation.HtmlCharset << "\n";
    c.out << "Settings:\n";
    PrintSettings(s.settings, c.out);
    return 0;
}

int Translate(CliContext& c, const CommandArgs& args) {
    int id = 0;
    const std::string& text = args.Positional().at(0);
    if (!TryParseInt(text, id) || id < 1 || id > LanguageSlots)
        throw UsageError("ID must be a whole number from 1 to " + std::to_string(LanguageSlots) + ".");
    std::string english(EnglishText(id));
    c.out << c.session.tr(id, english) << "\n";
    return 0;
}

}  // namespace

void RegisterFoundationCommands(std::vector<Command>& table) {
    table.push_back({"info", "info", "program folder, settings file, language and every setting", {}, 0, 0,
                     TakesTournament::No, Info});
    table.push_back({"translate", "translate ID", "the text of message ID in the current language", {}, 1, 1,
                     TakesTournament::No, Translate});
}

}  // namespace veltrun::cli
