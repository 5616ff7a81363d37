#pragma once
// RatingLines: every line of the rating files, kept for the whole run with
// each line's match key computed once when it is loaded (one FoldedLines per
// file), so a search is one pass of a substring search over the keys.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ratinglist/folded_lines.h"
#include "ratinglist/match_key.h"

namespace veltrun {

class RatingLines {
public:
    explicit RatingLines(bool removeDiacritics = true) : folder_(removeDiacritics) {}

    bool Empty() const { return Size() == 0; }
    std::size_t Size() const;
    void Clear();

    // Adds every non-blank line of the file under its name. A line that is not
    // valid UTF-8 is read as cp1250. Throws std::system_error naming the file.
    void AddFile(const std::string& name, const std::filesystem::path& file);
    // Adds one line (tests, and the fuzz target).
    void AddLine(std::size_t fileIndex, std::string_view line);
    std::size_t AddFileName(const std::string& name);

    std::string_view FileName(std::size_t line) const;
    std::string_view Line(std::size_t line) const;

    bool RemovesDiacritics() const { return folder_.RemovesDiacritics(); }
    // Recomputes every key when the diacritics setting changed since the load.
    void SetRemoveDiacritics(bool removeDiacritics);
    // Adds the rows of the lines that hold the (folded) term, file after file.
    void SearchInto(std::string_view foldedTerm, int maxRows, std::vector<SearchRow>& rows) const;

private:
    std::size_t FileOf(std::size_t& line) const;

    MatchKeyFolder folder_;  // its cache makes the fold of a line cheap
    std::vector<std::string> files_;
    std::vector<std::string> entryHeads_;  // key of each file name with its "|"
    std::vector<FoldedLines> lines_;       // of each file
};

// Calls back with the rating file in pieces of whole lines (line ends kept, a
// leading BOM removed) while the callback returns true. Throws
// std::system_error naming the file.
void ForEachRatingFileChunk(const std::filesystem::path& file, const std::function<bool(std::string_view)>& callback);
// Every line of a piece of text, CR LF or LF removed.
void ForEachLineOf(std::string_view lines, const std::function<void(std::string_view)>& callback);

struct RatingFile {
    std::string name;
    std::filesystem::path path;
};
// The rating files a search reads: elo.txt of the folder, then (with
// furtherFiles, the IsLoadMoreEloFiles setting) every other *.txt file of the
// folder in name order.
std::vector<RatingFile> RatingFilesToRead(const std::filesystem::path& folder, bool furtherFiles);

}  // namespace veltrun
