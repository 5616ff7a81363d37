// Language files: "id|text" lines that replace the built-in English texts,
// and the character sets a language brings with it.
#include "app/language_file.h"

#include <system_error>

#include "app/setting_warnings.h"
#include "store/errors.h"
#include "store/file_limits.h"
#include "store/ini_file.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {

namespace fs = std::filesystem;

namespace {

constexpr const char* EnglishBuiltInName = "English (built-in)";

// The identifier of a line: digits only (leading zeros allowed), 1..LanguageSlots; 0 when not.
int LanguageIdentifier(const std::string& text) {
    if (!IsAllDigits(text)) return 0;
    long value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
        if (value > LanguageSlots) return 0;
    }
    return static_cast<int>(value);
}

std::string CleanTranslation(std::string_view text) {
    std::string cleaned;
    for (char c : Trim(text))
        if (static_cast<unsigned char>(c) >= 32 && c != '|') cleaned += c;
    return cleaned;
}

}  // namespace

void ParseLanguageLines(const std::vector<std::string>& lines, Translation& translation) {
    for (const auto& raw : lines) {
        const std::string line = Trim(raw);
        if (line.empty() || line.front() == '#') continue;
        const size_t bar = line.find('|');
        if (bar == std::string::npos) continue;
        const int id = LanguageIdentifier(line.substr(0, bar));
        const std::string text = CleanTranslation(std::string_view(line).substr(bar + 1));
        if (id > 0 && !text.empty()) translation.LanguageTable[static_cast<size_t>(id)] = text;
    }
}

void LoadLanguageFile(Session& session, const fs::path& path) {
    Translation& translation = session.translation;
    // Every key this needs, from one reading of the settings file.
    const IniFileLines ini = ReadIniFile(session.settings.file);
    translation.HtmlCharset = ini.Value("Reports", "HtmlCharset");
    std::error_code ec;
    // Only a missing file falls back to English; a pipe or a folder in its
    // place is an error of its own (ReadTextLines names it).
    if (!fs::exists(path, ec)) {
        translation.EnglishBuiltIn = true;
        session.settings.Language = EnglishBuiltInName;
        try {
            session.settings.Write("Options", "Language", EnglishBuiltInName);
        } catch (const myException&) {
            // A read-only settings file only means the warning comes again next time.
        }
        if (!HasSettingForm(Trim(translation.HtmlCharset), SettingForm::CharsetName)) translation.HtmlCharset = "utf-8";
        ShowWarning(session, session.tr(88, "Language file") + " \"" + path.string() + "\" " +
                                 session.tr(89, "does not exist. Therefore, English was set as the language."));
        return;
    }
    // Read before emptying the table, so an unreadable file leaves the language as it was.
    const std::vector<std::string> lines = ReadTextLines(path, file_limit::LanguageFile);
    translation.LanguageTable.fill(std::string());
    ParseLanguageLines(lines, translation);
    translation.EnglishBuiltIn = false;

    const std::string name = ToLowerAscii(path.filename().string());
    translation.InternalFontCharset = 1;
    if (SettingBoolDefaultFalse(ini.Value("InternalFontCharset", "IsInternalFontCharset"))) {
        // A value that is no integer keeps the default set: the font is cosmetic.
        if (auto charset = SettingInt(ini.Value("InternalFontCharset", name)))
            translation.InternalFontCharset = *charset;
    }
    const std::string charset = Trim(ini.Value("LanguageFileAndHtmlCharset", name));
    if (HasSettingForm(charset, SettingForm::CharsetName)) {
        translation.HtmlCharset = charset;
    } else if (!charset.empty()) {
        SettingProblem problem{"LanguageFileAndHtmlCharset", name, charset, SettingForm::CharsetName, 0, 0, "utf-8"};
        WarnAboutSetting(session, problem);
    }
    // The page declares this name in its head: only a name of the right form.
    if (!HasSettingForm(Trim(translation.HtmlCharset), SettingForm::CharsetName)) translation.HtmlCharset = "utf-8";
}

void LoadStartLanguage(Session& session) {
    const std::string& language = session.settings.Language;
    if (language != EnglishBuiltInName) {
        session.translation.EnglishBuiltIn = false;
        LoadLanguageFile(session, session.LanguageFolder() / language);
        return;
    }
    session.translation.EnglishBuiltIn = true;
    const std::string charset = Trim(session.settings.HtmlCharset);
    session.translation.HtmlCharset = charset.empty() ? "utf-8" : charset;
}

std::vector<std::string> ListLanguageFiles(const Session& session) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(session.LanguageFolder(), ec))
        if (entry.is_regular_file(ec)) names.push_back(entry.path().filename().string());
    SortAlphabetical(names);
    return names;
}

}  // namespace veltrun
