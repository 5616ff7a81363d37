#pragma once
// Changes to the field of players of a running tournament: adding a player
// (a late entrant after round 1), deleting before round 1, suspending after
// it, and restoring a suspended player.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrun {

class Session;
struct Settings;
struct Tournament;

enum class PlayerFilter { Active, Suspended, All };
enum class PlayerAction { Delete, Suspend, Restore };

// FillPlayerChooser: the chooser's items read from players.txt: an empty
// entry first, then "[{ArrivalID}] {Name} ({ELO})" by name.
std::vector<std::string> FillPlayerChooser(const Session& session, PlayerFilter filter);
// The alias of a chooser entry: the text between "[" and the first "]".
std::string ArrivalIDOfChooserItem(std::string_view item);

// Rewrites players.txt for the action; the player's line is found by its alias.
void ChangePlayerLine(Session& session, const std::string& arrivalID, PlayerAction action);

// The chooser of the delete/suspend and restore commands.
struct PlayerChoice {
    PlayerFilter filter;
    PlayerAction action;
    std::string caption;  // translated
};
PlayerChoice DeleteOrSuspendChoice(const Session& session);
PlayerChoice RestoreChoice(const Session& session);
// Carries out the chosen action on players.txt and the model (reopening the
// tournament when the alias is not in memory).
void ApplyPlayerChoice(Session& session, const PlayerChoice& choice, const std::string& arrivalID);

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
