#include "app/command_forbidden.h"

#include <algorithm>

#include "app/show_errors.h"
#include "store/text_utils.h"
#include "store/errors.h"
#include "store/forbidden_groups.h"
#include "store/session.h"

namespace veltrun {

namespace {

// An alias the file can hold (no blank inside) that names a player of the table.
void CheckAlias(const Session& session, const std::string& alias) {
    bool blank = alias.find_first_of(" \t") != std::string::npos;
    if (blank || FindPlayerByArrivalID(session.tournament, alias) < 1 || Trim(alias) != alias)
        throw myException(session.tr(97, "Player") + " (" + alias + ") " +
                          session.tr(705, "is not a player of the tournament."));
}

std::string Joined(const std::vector<std::string>& aliases) {
    std::string text;
    for (const auto& alias : aliases) text += (text.empty() ? "" : " ") + alias;
    return text;
}

// Writes the changed groups, then takes them into the model.
void Save(Session& session, ForbiddenGroupList groups, const std::string& logLine) {
    Tournament& t = session.tournament;
    WriteForbiddenGroups(ForbiddenFilePath(t.TournamentFolder), groups);
    t.ForbiddenGroups = std::move(groups);
    session.AppendToLog(logLine + " (=write to file forbidden.txt).");
}

}  // namespace

bool ForbidCommand(Session& session, const std::vector<std::string>& aliases) {
    return CatchAndShowError(session, [&] {
        std::vector<std::string> group;
        for (const auto& alias : aliases) {
            CheckAlias(session, alias);
            if (std::find(group.begin(), group.end(), alias) == group.end()) group.push_back(alias);
        }
        if (group.size() < 2) throw myException(session.tr(703, "A forbidden group needs at least two different players") + ".");
        ForbiddenGroupList groups = session.tournament.ForbiddenGroups;
        if (!AddForbiddenGroup(groups, group)) {
            ShowInformation(session, session.tr(706, "These players are already kept apart."));
            return;
        }
        Save(session, std::move(groups), "Forbidden group added: " + Joined(group));
    });
}

bool AllowCommand(Session& session, const std::string& a, const std::string& b) {
    bool done = false;
    bool ok = CatchAndShowError(session, [&] {
        CheckAlias(session, a);
        CheckAlias(session, b);
        ForbiddenGroupList groups = session.tournament.ForbiddenGroups;
        if (!AllowForbiddenPair(groups, a, b)) {
            ShowMessageDialog(session, session.tr(707, "The pair is not forbidden.") + " (" + a + " - " + b + ")",
                              MessageKind::Error, {Button::Ok}, Button::Ok);
            return;
        }
        Save(session, std::move(groups), "Forbidden pair allowed: " + a + " " + b);
        done = true;
    });
    return ok && done;
}

bool RemoveForbiddenGroupCommand(Session& session, std::size_t index) {
    return CatchAndShowError(session, [&] {
        ForbiddenGroupList groups = session.tournament.ForbiddenGroups;
        if (index >= groups.size()) return;
        std::string removed = Joined(groups[index]);
        groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(index));
        Save(session, std::move(groups), "Forbidden group removed: " + removed);
    });
}

std::vector<std::string> ForbiddenGroupTexts(const Session& session) {
    const Tournament& t = session.tournament;
    std::vector<std::string> texts;
    for (const auto& group : t.ForbiddenGroups) {
        std::string text;
        for (const auto& alias : group) {
            int index = FindPlayerByArrivalID(t, alias);
            text += (text.empty() ? "" : ", ") + ("[" + alias + "] ") + (index > 0 ? t.Player(index).Name : "");
        }
        texts.push_back(text);
    }
    return texts;
}

}  // namespace veltrun
