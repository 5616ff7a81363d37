#pragma once
// The main window's language command: choose a language file, store the
// choice in the settings file and load it.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace veltrun {

class Session;

inline constexpr const char* EnglishBuiltInLanguage = "English (built-in)";

// "English (built-in)" first, then the .txt files of the language folder
// (created when missing); hidden files and folders are left out.
std::vector<std::string> LanguageChoices(Session& session);
// Shows the chooser and applies the confirmed choice; false when the
// director closed it without a choice.
bool LanguageCommand(Session& session);
// Switches to a language by its chooser name and stores it in the settings file.
void SetLanguage(Session& session, const std::string& choice);
// A language given by name for one run: the file itself, or the name plus
// ".txt"; nothing when there is no such file.
std::optional<std::filesystem::path> FindLanguageFile(const Session& session, const std::string& name);

}  // namespace veltrun
