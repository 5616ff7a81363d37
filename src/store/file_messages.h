#pragma once
// Message pieces shared by the loaders of the tournament folder.
#include <filesystem>
#include <string>

namespace veltrun {

class Session;

// "File not exist (/path/file)."
std::string FileNotExistMessage(const Session& session, const std::filesystem::path& file);
// Throws myException with FileNotExistMessage when the file is missing, and
// naming it as no regular file when a folder, a pipe or a device stands there.
void RequireRegularFile(const Session& session, const std::filesystem::path& file);
// " (in file /path/file, line 7)": appended to a loader's refusal so the
// director can find the line to mend.
std::string AtFileLine(const Session& session, const std::filesystem::path& file, int lineNumber);

}  // namespace veltrun
