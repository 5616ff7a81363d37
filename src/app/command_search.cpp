#include "app/command_search.h"

#include <filesystem>
#include <functional>
#include <system_error>

#include "app/command_convert_ratings.h"
#include "ratinglist/rating_lines.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

// Logs and throws myException with the translated message.
[[noreturn]] void FailToRead(Session& session, const std::filesystem::filesystem_error& e) {
    std::string file = e.path1().string();
    std::string shown = session.tr(329, "Could not read the rating file") + " \"" + file + "\": " +
                        e.code().message() + ".";
    Fail(session, "Rating file " + file + " not read: " + e.code().message(), shown);
}

std::vector<RatingFile> FilesToRead(Session& session) {
    try {
        return RatingFilesToRead(session.EloFolder(), session.settings.IsLoadMoreEloFiles);
    } catch (const std::filesystem::filesystem_error& e) {
        FailToRead(session, e);
    }
}

// Loads the rating files into the lines kept for the run; on failure they stay empty.
void LoadRatingLines(Session& session, RatingLines& lines) {
    lines.Clear();
    lines.SetRemoveDiacritics(session.settings.EloSearchRemoveDiacritics);
    for (const auto& file : FilesToRead(session)) {
        try {
            lines.AddFile(file.name, file.path);
        } catch (const std::system_error& e) {
            lines.Clear();
            FailToRead(session, std::filesystem::filesystem_error(e.what(), file.path, e.code()));
        }
    }
}

using Searcher = std::function<std::vector<SearchRow>(const std::string& term, int maxRows, bool removeDiacritics)>;

// Without elo.txt the command offers the conversion instead of searching.
bool OfferedConversion(Session& session, SearchOutcome& outcome) {
    std::filesystem::create_directories(session.EloFolder());
    if (std::filesystem::exists(session.EloFolder() / "elo.txt")) return false;
    OfferRatingListConversion(session);
    outcome.status = SearchOutcome::Status::ConversionOffered;
    return true;
}

SearchOutcome Search(Session& session, const std::string& nameField, std::optional<int> maxRows,
                     const Searcher& searcher) {
    SearchOutcome outcome;
    bool removeDiacritics = session.settings.EloSearchRemoveDiacritics;
    outcome.term = Trim(nameField);
    if (removeDiacritics) outcome.term = RemoveDiacritics(outcome.term);
    if (outcome.term.empty()) {
        ShowMessageDialog(session, session.tr(159, "Part of name for search must be entered."), MessageKind::Warning,
                          {Button::Ok}, Button::Ok);
        outcome.status = SearchOutcome::Status::EmptyTerm;
        return outcome;
    }
    {
        BusyCursor busy(session.ui);
        outcome.rows = searcher(outcome.term, maxRows.value_or(session.settings.EloSearchMaxCountLines), removeDiacritics);
    }
    if (outcome.rows.empty()) {
        ShowInformation(session, "\"" + outcome.term + "\" - " + session.tr(163, "no results found for search."));
        outcome.status = SearchOutcome::Status::NoResults;
        return outcome;
    }
    outcome.status = SearchOutcome::Status::Found;
    outcome.caption = session.tr(160, "Searching for a player");
    outcome.label =
        session.tr(161, "For the search term") + " \"" + outcome.term + "\" " + session.tr(162, "was found") + ":";
    return outcome;
}

}  // namespace

SearchOutcome SearchCommand(Session& session, RatingLines& lines, const std::string& nameField,
                            std::optional<int> maxRows) {
    if (lines.Empty()) {
        SearchOutcome offered;
        if (OfferedConversion(session, offered)) return offered;
        BusyCursor busy(session.ui);
        LoadRatingLines(session, lines);
    }
    return Search(session, nameField, maxRows, [&lines](const std::string& term, int rows, bool removeDiacritics) {
        return SearchRatingLines(lines, term, rows, removeDiacritics);
    });
}

SearchOutcome SearchCommandOnce(Session& session, const std::string& nameField, std::optional<int> maxRows) {
    SearchOutcome offered;
    if (OfferedConversion(session, offered)) return offered;
    return Search(session, nameField, maxRows, [&session](const std::string& term, int rows, bool removeDiacritics) {
        try {
            return SearchRatingFiles(FilesToRead(session), term, rows, removeDiacritics);
        } catch (const std::filesystem::filesystem_error& e) {
            FailToRead(session, e);
        }
    });
}

PlayerFromSearch PlayerFromRow(const SearchRow& row) { return {row.name, row.rating, row.fideId, row.nationalId}; }

}  // namespace veltrun
