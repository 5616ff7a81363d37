#pragma once
// The Add results button: the games still to enter and saving one result.
#include <optional>
#include <string>
#include <vector>

#include "store/result_entry.h"

namespace veltrun {

class Session;

// OpenResultEntry's first step: the dialog's game items; an empty list after
// the information that there is nothing to enter; nothing after an error.
std::optional<std::vector<ResultGameItem>> OpenResultEntry(Session& session);
// SaveResult with its refusal shown; false when nothing was saved.
bool SaveResultCommand(Session& session, const ResultFields& fields);
// The result of one game named by its id, as typed on the command line
// ("1K-0K" and "0,5-0,5" read as the round files read them). correct: the
// game may already have a result, in this round or an earlier one.
// What a typed result came to, and the round of its game.
enum class ResultOutcome { refused, saved, unchanged };
struct ResultEntered {
    ResultOutcome outcome = ResultOutcome::refused;
    int round = 0;
};
ResultEntered EnterResultCommand(Session& session, const std::string& gameId, const std::string& resultCode,
                                 const std::string& goalsWhite, const std::string& goalsBlack, bool correct = false);

// A game with its result entered, as a correction offers it.
struct EnteredResult {
    ResultGameItem item;
    std::string result;
    std::string goals;  // Goals tournaments
};
// The played games with a result, latest round first.
std::vector<EnteredResult> EnteredResults(const Session& session);
// Changes an entered result after the director saw the old and the new one,
// and for an earlier round also agreed that later rounds stay paired as they
// are; the tournament is then read again. A game still at "?-?" is simply
// entered. The same result again is said to be there and changes nothing.
// Throws on a refused field.
enum class Correction { declined, unchanged, changed };
Correction CorrectResult(Session& session, const ResultFields& fields);

}  // namespace veltrun
