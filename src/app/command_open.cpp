#include "app/command_open.h"

#include "app/show_errors.h"
#include "store/open_tournament.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun {

bool OpenTournamentCommand(Session& session, const std::filesystem::path& folder) {
    BusyCursor busy(session.ui);
    return CatchAndShowError(session, [&] { OpenTournament(session, folder); });
}

OpenChoice ChooseFileToOpen(Session& session) {
    std::error_code ec;
    std::filesystem::create_directories(session.TournFolder(), ec);
    FileRequest request;
    request.caption = session.tr(6, "Open the tournament ...");
    request.initial_folder = session.TournFolder();
    request.filters = {{"Tournament Option File", "options.txt"}, {"TRF Files", "*.TRF"}};
    auto chosen = session.ui.ChooseFile(request);
    if (!chosen) return {};
    if (ToLowerAscii(chosen->filename().string()) == "options.txt")
        return {OpenChoiceKind::Tournament, chosen->parent_path()};
    return {OpenChoiceKind::TrfFile, *chosen};
}

}  // namespace veltrun
