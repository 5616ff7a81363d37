#pragma once
// File names that the settings file gives for files written into the
// tournament folder (reports, TRF16 files, the engine's input and output).
#include <filesystem>
#include <string>
#include <string_view>

namespace veltrun {

class Session;
struct Settings;

// True for a name that stays inside one folder: not empty, no path separator,
// not "." or "..", no control character.
bool IsPlainFileName(std::string_view name);
// The tournament's own files, which a report must never overwrite.
bool IsTournamentOwnFile(std::string_view name);
// Also the TRF and engine files that the settings name: no report may take them.
bool IsReservedForReports(const Settings& settings, std::string_view name);
// The full path of a file named by a setting ("[Section] Key"), refused with
// a clear message when the name could leave the folder or hit a tournament file.
std::filesystem::path TournamentFileFromSetting(Session& session, const std::string& name,
                                                const std::string& settingName);

}  // namespace veltrun
