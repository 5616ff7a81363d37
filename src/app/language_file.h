#pragma once
// Language files: "id|text" lines that replace the built-in English texts.
#include <filesystem>
#include <string>
#include <vector>

namespace veltrun {

class Session;
struct Translation;

// Reads a language file's lines into the table (the format rules only).
void ParseLanguageLines(const std::vector<std::string>& lines, Translation& translation);
// LoadLanguageFile: the whole algorithm, character sets and the missing-file warning included.
void LoadLanguageFile(Session& session, const std::filesystem::path& path);
// The language set at start: built-in English or the configured file.
void LoadStartLanguage(Session& session);
// Names of the files in the language folder, sorted.
std::vector<std::string> ListLanguageFiles(const Session& session);

}  // namespace veltrun
