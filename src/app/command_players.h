#pragma once
// The three player buttons: add, delete or suspend, restore.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pairing/player_changes.h"

namespace veltrun {

class Session;

enum class PlayerFilter { Active, Suspended, All };

// FillPlayerChooser: the chooser's items read from players.txt: an empty
// entry first, then "[{ArrivalID}] {Name} ({ELO})" by name.
std::vector<std::string> FillPlayerChooser(const Session& session, PlayerFilter filter);
// The alias of a chooser entry: the text between "[" and the first "]".
std::string ArrivalIDOfChooserItem(std::string_view item);

// In a running tournament, asks "Do you really want to add player into
// running tournament?"; true when the add-player dialog may be shown.
bool ConfirmAddPlayer(Session& session);
// The question, then AddPlayer; the new alias, or nothing when refused.
std::optional<std::string> AddPlayerCommand(Session& session, const AddPlayerFields& fields);

// Delete (before round 1) or suspend (after it). With an alias the player is
// taken from the chooser's list without showing it; without one the chooser
// is shown. False when refused or cancelled.
bool DeleteOrSuspendPlayerCommand(Session& session, const std::optional<std::string>& alias = std::nullopt);
bool RestorePlayerCommand(Session& session, const std::optional<std::string>& alias = std::nullopt);

}  // namespace veltrun
