#include "app/command_players.h"

#include "app/show_errors.h"
#include "store/session.h"

namespace veltrun {

namespace {

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
