#include "app/command_new_tournament.h"

#include "app/show_errors.h"
#include "store/session.h"

namespace veltrun {

bool ConfirmNewTournament(Session& session) {
    if (!session.HasTournament()) return true;
    return AskYesNo(session, session.tr(107, "Do you really want to create new tournament?"), Button::No);
}

std::array<std::string, 5> TbsTypeChanged(Session& session, const std::string& type) {
    if (type == "Goals") ShowWarning(session, session.tr(64, "This setting is not for chess tournaments."));
    return DefaultTieBreaks(session, type == "Goals" ? "Goals" : "Chess");
}

bool CreateTournamentCommand(Session& session, const NewTournamentFields& fields) {
    return CatchAndShowError(session, [&] { CreateTournament(session, fields); });
}

}  // namespace veltrun
