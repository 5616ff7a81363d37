#pragma once
// Changes to the field of players of a running tournament: adding a player
// (a late entrant after round 1), deleting before round 1, suspending after
// it, and restoring a suspended player.
#include <string>

namespace veltrun {

class Session;
struct Settings;
struct Tournament;

enum class PlayerAction { Delete, Suspend, Restore };

// Rewrites players.txt for the action; the player's line is found by its alias.
void ChangePlayerLine(Session& session, const std::string& arrivalID, PlayerAction action);

// The action on the model once players.txt holds it. False when a suspended
// or restored alias is not in memory: the tournament must be read again.
bool ApplyPlayerAction(Tournament& t, const std::string& arrivalID, PlayerAction action);

// What the director typed into the add-player dialog.
struct AddPlayerFields {
    std::string Name;
    std::string ELO;
    std::string FideID;
    std::string NationalID;
    std::string TeamID;
};
// The new player's alias. It is always one the next opening accepts: an
// alias with "-", or "bye" or "stop", falls back to the numbered form.
std::string GenerateArrivalID(const Tournament& t, const Settings& settings, const std::string& name);
// The OK button of the add-player dialog: checks the fields (FieldError naming
// E_PLAYER or E_ELO), appends the player to players.txt and the model; a late
// entrant also gets a "stop" line in every round paired so far, after which
// the tournament is opened again. Returns the new player's alias.
std::string AddPlayer(Session& session, const AddPlayerFields& fields);

}  // namespace veltrun
