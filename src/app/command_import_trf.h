#pragma once
// The Open button's TRF branch and the TRF16 output on request.
#include <filesystem>
#include <optional>
#include <string>

namespace veltrun {

class Session;

// Imports a TRF file into a new folder under Tourn/ (named folderName when
// given); the new folder, or nothing after the error was shown.
std::optional<std::filesystem::path> ImportTrfCommand(Session& session, const std::filesystem::path& file,
                                                      const std::string& folderName = "");

// Writes the open tournament's TRF16 file: to outputFile when given, else to
// the file the settings name in the tournament folder. The written file, or
// nothing after the error was shown.
std::optional<std::filesystem::path> WriteTrf16Command(Session& session, bool national,
                                                       const std::filesystem::path& outputFile = {});

}  // namespace veltrun
