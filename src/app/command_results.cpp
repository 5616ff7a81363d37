#include "app/command_results.h"

#include "app/show_errors.h"
#include "store/errors.h"
#include "store/file_limits.h"
#include "store/round_file.h"
#include "store/session.h"
#include "store/text_file.h"

namespace veltrun {

namespace {

bool GameHasLine(const Session& session, const std::string& gameId) {
    const Tournament& t = session.tournament;
    for (const auto& line : ReadTrimmedLines(RoundFilePath(t.TournamentFolder, t.CurrentRound), file_limit::RoundFile))
        if (!IsRoundFileComment(line) && ParseGameLine(line).GameId == gameId) return true;
    return false;
}

}  // namespace

std::optional<std::vector<ResultGameItem>> OpenResultEntry(Session& session) {
    std::optional<std::vector<ResultGameItem>> items;
    CatchAndShowError(session, [&] {
        GameList games = GamesToEnter(session, session.tournament);
        if (games.empty()) {
            ShowInformation(session, session.tr(112, "There is nothing to enter (all results have already been "
                                                     "inserted). Use button for pairing next round."));
            items.emplace();
            return;
        }
        items = FillGameList(session.tournament, games);
    });
    return items;
}

bool SaveResultCommand(Session& session, const ResultFields& fields) {
    return CatchAndShowError(session, [&] { SaveResult(session, fields); });
}

bool EnterResultCommand(Session& session, const std::string& gameId, const std::string& resultCode,
                        const std::string& goalsWhite, const std::string& goalsBlack) {
    auto items = OpenResultEntry(session);
    if (!items || items->empty()) return false;
    return CatchAndShowError(session, [&] {
        const Tournament& t = session.tournament;
        for (const auto& item : *items) {
            if (item.GameId != gameId) continue;
            SaveResult(session, {gameId, item.Round, NormaliseResultCode(resultCode), goalsWhite, goalsBlack});
            return;
        }
        if (GameHasLine(session, gameId))
            throw myException(session.tr(105, "Game") + " (" + gameId + ") " +
                              session.tr(202, "already has a result."));
        throw myException(session.tr(31, "Fatal error: game") + " " + gameId + " " +
                          session.tr(32, "was not found in file") + " round" + std::to_string(t.CurrentRound) +
                          ".txt");
    });
}

}  // namespace veltrun
