#include "app/command_players.h"

#include "app/show_errors.h"
#include "store/file_limits.h"
#include "store/file_messages.h"
#include "store/forbidden_groups.h"
#include "store/open_tournament.h"
#include "store/players_file.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

// The chooser of the delete/suspend and restore commands.
struct PlayerChoice {
    PlayerFilter filter;
    PlayerAction action;
    std::string caption;  // translated
};

PlayerChoice DeleteOrSuspendChoice(const Session& session) {
    if (session.tournament.CurrentRound >= 1)
        return {PlayerFilter::Active, PlayerAction::Suspend, session.tr(125, "To suspend player")};
    return {PlayerFilter::All, PlayerAction::Delete, session.tr(124, "Delete player")};
}

PlayerChoice RestoreChoice(const Session& session) {
    return {PlayerFilter::Suspended, PlayerAction::Restore, session.tr(153, "Restoration of player")};
}

// Carries out the chosen action on players.txt and the model (reopening the
// tournament when the alias is not in memory).
void ApplyPlayerChoice(Session& session, const PlayerChoice& choice, const std::string& arrivalID) {
    // forbidden.txt first: should the players' file fail afterwards, a group
    // without the player still opens, while a group naming a deleted one would not.
    if (choice.action == PlayerAction::Delete) DropPlayerFromForbiddenFile(session, session.tournament, arrivalID);
    ChangePlayerLine(session, arrivalID, choice.action);
    Tournament& t = session.tournament;
    if (!ApplyPlayerAction(t, arrivalID, choice.action)) OpenTournament(session, t.TournamentFolder);
}

void ShowError(Session& session, const std::string& text) {
    ShowMessageDialog(session, text, MessageKind::Error, {Button::Ok}, Button::Ok);
}

// The alias chosen from the chooser's list (shown, or matched against alias).
std::optional<std::string> ChoosePlayer(Session& session, const PlayerChoice& choice,
                                        const std::optional<std::string>& alias) {
    std::vector<std::string> items = FillPlayerChooser(session, choice.filter);
    if (items.size() <= 1) {
        ShowError(session, session.tr(127, "No player found for this action."));
        return std::nullopt;
    }
    if (alias) {
        for (const auto& item : items)
            if (!item.empty() && ArrivalIDOfChooserItem(item) == *alias) return *alias;
        ShowError(session, session.tr(97, "Player") + " (" + *alias + ") " +
                               session.tr(203, "is not among the players for this action."));
        return std::nullopt;
    }
    ChooserRequest request;
    request.caption = choice.caption;
    request.label = session.tr(choice.action == PlayerAction::Restore ? 154 : 126, "Select player") + ":";
    request.items = items;
    request.preselected = 0;
    request.width = 400;
    auto index = session.ui.Choose(request);
    if (!index || *index <= 0 || *index >= static_cast<int>(items.size())) return std::nullopt;
    return ArrivalIDOfChooserItem(items[static_cast<size_t>(*index)]);
}

bool RunPlayerChoice(Session& session, const PlayerChoice& choice, const std::optional<std::string>& alias) {
    bool done = false;
    bool ok = CatchAndShowError(session, [&] {
        auto chosen = ChoosePlayer(session, choice, alias);
        if (!chosen) return;
        ApplyPlayerChoice(session, choice, *chosen);
        done = true;
    });
    return ok && done;
}

}  // namespace

std::vector<std::string> FillPlayerChooser(const Session& session, PlayerFilter filter) {
    auto path = PlayersFilePath(session.tournament.TournamentFolder);
    RequireRegularFile(session, path);
    StringList kept;
    for (const auto& raw : ReadTrimmedLines(path, file_limit::PlayersFile)) {
        std::string line = CleanLine(raw);
        if (IsPlayersFileComment(line)) continue;
        PlayerLineFields f = SplitPlayerLine(line);
        if (filter == PlayerFilter::Active && f.OnOff != "1") continue;
        if (filter == PlayerFilter::Suspended && f.OnOff != "0") continue;
        kept.push_back(f.Name + "|" + f.ArrivalID + "|" + f.ELO);
    }
    SortAlphabetical(kept);
    std::vector<std::string> items = {""};
    for (const auto& entry : kept)
        items.push_back("[" + GetField(entry, '|', 2) + "] " + GetField(entry, '|', 1) + " (" + GetField(entry, '|', 3) + ")");
    return items;
}

std::string ArrivalIDOfChooserItem(std::string_view item) {
    if (item.empty() || item.front() != '[') return {};
    size_t close = item.find(']');
    return std::string(item.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

bool ConfirmAddPlayer(Session& session) {
    if (session.tournament.CurrentRound < 1) return true;
    return ShowMessageDialog(session, session.tr(108, "Do you really want to add player into running tournament?"),
                             MessageKind::Information, {Button::Yes, Button::No}, Button::No) == Button::Yes;
}

std::optional<std::string> AddPlayerCommand(Session& session, const AddPlayerFields& fields) {
    // After the last round a late entrant would only stand on stop lines.
    const Tournament& t = session.tournament;
    if (t.MaxRound > 0 && t.CurrentRound >= t.MaxRound) {
        ShowMessageDialog(session, session.tr(120, "Tournament is over."), MessageKind::Error, {Button::Ok}, Button::Ok);
        return std::nullopt;
    }
    if (!ConfirmAddPlayer(session)) return std::nullopt;
    std::string alias;
    if (!CatchAndShowError(session, [&] { alias = AddPlayer(session, fields); })) return std::nullopt;
    return alias;
}

bool DeleteOrSuspendPlayerCommand(Session& session, const std::optional<std::string>& alias) {
    return RunPlayerChoice(session, DeleteOrSuspendChoice(session), alias);
}

bool RestorePlayerCommand(Session& session, const std::optional<std::string>& alias) {
    return RunPlayerChoice(session, RestoreChoice(session), alias);
}

}  // namespace veltrun
