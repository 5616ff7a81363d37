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
// ("1K-0K" and "0,5-0,5" read as the round files read them).
bool EnterResultCommand(Session& session, const std::string& gameId, const std::string& resultCode,
                        const std::string& goalsWhite, const std::string& goalsBlack);

}  // namespace veltrun
