#pragma once
// The add-player dialog's Search button: looks the typed part of a name up in
// the rating files and hands back the rows for the result chooser.
#include <optional>
#include <string>
#include <vector>

#include "ratinglist/rating_search.h"

namespace veltrun {

class Session;
class RatingLines;

struct SearchOutcome {
    enum class Status {
        ConversionOffered,  // there was no elo.txt; the conversion offer ran instead
        EmptyTerm,          // refused with a message
        NoResults,          // told with a message
        Found               // rows to choose from
    };
    Status status = Status::EmptyTerm;
    std::string term;  // as searched (trimmed, without diacritics when so set)
    std::vector<SearchRow> rows;
    std::string caption;  // of the result chooser
    std::string label;
};

// lines is the run's RatingLines: loaded on the first search, kept after.
// maxRows defaults to EloSearchMaxCountLines.
SearchOutcome SearchCommand(Session& session, RatingLines& lines, const std::string& nameField,
                            std::optional<int> maxRows = std::nullopt);

// The same command for a single search (the command line): the rating files
// are read straight through instead of being loaded and kept.
SearchOutcome SearchCommandOnce(Session& session, const std::string& nameField, std::optional<int> maxRows = std::nullopt);

// What a taken row puts into the add-player dialog.
struct PlayerFromSearch {
    std::string name;
    std::string elo;
    std::string fideId;
    std::string nationalId;
};
PlayerFromSearch PlayerFromRow(const SearchRow& row);

}  // namespace veltrun
