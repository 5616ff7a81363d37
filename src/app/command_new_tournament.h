#pragma once
// The New tournament button and its dialog's OK.
#include <string>

#include "store/new_tournament.h"

namespace veltrun {

class Session;

// Asks "Do you really want to create new tournament?" when one is open;
// true when the dialog may be shown.
bool ConfirmNewTournament(Session& session);
// The type list changed: the tie-break codes to preselect, with the warning
// that Goals is not for chess tournaments.
std::array<std::string, 5> TbsTypeChanged(Session& session, const std::string& type);
// CreateTournament with its refusal shown; false when nothing was created.
bool CreateTournamentCommand(Session& session, const NewTournamentFields& fields);

}  // namespace veltrun
