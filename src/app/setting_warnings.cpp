// The settings reader records values it could not use; these warnings tell
// the director which key to correct, in the chosen language.
#include "app/setting_warnings.h"

#include "store/session.h"

namespace veltrun {

namespace {

std::string ExpectedForm(const Session& session, const SettingProblem& problem) {
    switch (problem.form) {
        case SettingForm::WholeNumber:
            return session.tr(464, "a whole number from") + " " + std::to_string(problem.low) + " " +
                   session.tr(465, "to") + " " + std::to_string(problem.high);
        case SettingForm::TrueOrFalse: return session.tr(466, "true or false");
        case SettingForm::ByePoints: return session.tr(467, "asWin or asLost");
        case SettingForm::AliasPrefix: return session.tr(468, "one to eight letters A-Z");
        case SettingForm::LanguageName:
            return session.tr(469, "English (built-in) or the name of a file in the Language folder");
        case SettingForm::CharsetName:
            return session.tr(483, "a character set web browsers know, such as utf-8, windows-1250 or iso-8859-2");
        case SettingForm::ReportCharacter:
            return session.tr(471, "one to four characters, without markup characters or a vertical bar");
        case SettingForm::WebAddress: return session.tr(472, "a web address beginning with http:// or https://");
        case SettingForm::EngineCommand:
            return session.tr(542, "a command line holding {in} and {out} once each, such as") +
                   " bbpPairings.exe --dutch {in} -p {out}";
    }
    return {};
}

// A value may be long or odd; the warning shows enough of it to find it.
std::string ShownValue(const std::string& value) {
    constexpr std::size_t MaxShown = 80;
    if (value.size() <= MaxShown) return value;
    std::size_t cut = MaxShown;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
    return value.substr(0, cut) + " ...";
}

}  // namespace

void WarnAboutSettings(Session& session) {
    for (const SettingProblem& problem : session.settings.problems) WarnAboutSetting(session, problem);
}

void WarnAboutSetting(Session& session, const SettingProblem& problem) {
    {
        const std::string used = problem.usedDefault.empty() ? session.tr(474, "the designed window placement")
                                                             : "\"" + problem.usedDefault + "\"";
        ShowWarning(session, session.tr(461, "The setting") + " [" + problem.section + "] " + problem.key + "=" +
                                 ShownValue(problem.value) + " " + session.tr(462, "in the file") + " " +
                                 session.SettingsFile().string() + " " + session.tr(463, "is not allowed. Expected:") +
                                 " " + ExpectedForm(session, problem) + ". " + session.tr(473, "The default is used:") +
                                 " " + used + ".");
    }
}

}  // namespace veltrun
