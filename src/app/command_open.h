#pragma once
// The Open button: choosing options.txt (or a TRF file) and opening the tournament.
#include <filesystem>

namespace veltrun {

class Session;

// OpenTournament with its error shown; false when the opening failed (the
// previous tournament, or none, stays open).
bool OpenTournamentCommand(Session& session, const std::filesystem::path& folder);

enum class OpenChoiceKind { None, Tournament, TrfFile };
struct OpenChoice {
    OpenChoiceKind kind = OpenChoiceKind::None;
    std::filesystem::path path;  // the tournament folder, or the TRF file
};
// Creates Tourn/ when missing and shows the file dialog there: a file named
// options.txt (any case) gives its folder, any other file is a TRF file.
OpenChoice ChooseFileToOpen(Session& session);

}  // namespace veltrun
