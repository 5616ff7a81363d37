// The language command of the main window.
#include "app/command_language.h"

#include <system_error>

#include "app/language_file.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun {

namespace fs = std::filesystem;

std::vector<std::string> LanguageChoices(Session& session) {
    std::error_code ec;
    fs::create_directories(session.LanguageFolder(), ec);
    std::vector<std::string> choices{EnglishBuiltInLanguage};
    for (const std::string& name : ListLanguageFiles(session)) {
        if (name.empty() || name.front() == '.') continue;
        if (ToLowerAscii(fs::path(name).extension().string()) != ".txt") continue;
        choices.push_back(name);
    }
    return choices;
}

void SetLanguage(Session& session, const std::string& choice) {
    session.settings.Write("Options", "Language", choice);
    session.settings.Language = choice;
    if (choice != EnglishBuiltInLanguage) {
        session.translation.EnglishBuiltIn = false;
        LoadLanguageFile(session, session.LanguageFolder() / choice);
        return;
    }
    session.translation.EnglishBuiltIn = true;
    // The checked value: the raw key may name a set browsers do not know.
    const std::string charset = Trim(session.settings.HtmlCharset);
    session.translation.HtmlCharset = charset.empty() ? "utf-8" : charset;
    session.translation.InternalFontCharset = 1;
}

bool LanguageCommand(Session& session) {
    ChooserRequest request;
    request.width = 300;
    request.caption = session.tr(110, "Language");
    request.label = session.tr(111, "Select your language") + ":";
    request.items = LanguageChoices(session);
    request.preselected = 0;
    const auto chosen = session.ui.Choose(request);
    if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(request.items.size())) return false;
    SetLanguage(session, request.items[static_cast<size_t>(*chosen)]);
    return true;
}

std::optional<fs::path> FindLanguageFile(const Session& session, const std::string& name) {
    std::error_code ec;
    for (const fs::path& candidate : {session.LanguageFolder() / name, session.LanguageFolder() / (name + ".txt")})
        if (fs::is_regular_file(candidate, ec)) return candidate;
    return std::nullopt;
}

}  // namespace veltrun
