// A single search straight from the rating files: each piece of the file is
// split in two halves at a line end, folded and searched side by side on two
// cores, and dropped; the halves' rows are then taken in file order.
#include <future>
#include <iterator>
#include <system_error>

#include "ratinglist/folded_lines.h"
#include "ratinglist/rating_lines.h"
#include "ratinglist/rating_search.h"

namespace veltrun {

namespace {

constexpr std::size_t kSplitBytes = 256 * 1024;  // below this one core is quicker

struct Half {
    explicit Half(bool removeDiacritics) : folder(removeDiacritics) {}
    MatchKeyFolder folder;  // its cache is not shared between threads
    FoldedLines lines;
    std::vector<SearchRow> rows;

    void Search(std::string_view text, std::string_view fileName, std::string_view entryHead, std::string_view term,
                int maxRows) {
        lines.Clear();
        rows.clear();
        lines.Append(text, folder);
        SearchInto(lines, fileName, entryHead, term, maxRows, rows);
    }
};

// Adds the rows of a half, three to a line, while there are fewer than maxRows.
void AddRowsOfLines(std::vector<SearchRow>& found, int maxRows, std::vector<SearchRow>& rows) {
    for (std::size_t i = 0; i + 3 <= found.size() && static_cast<int>(rows.size()) < maxRows; i += 3)
        rows.insert(rows.end(), std::make_move_iterator(found.begin() + static_cast<long>(i)),
                    std::make_move_iterator(found.begin() + static_cast<long>(i) + 3));
}

// Returns false once there are enough rows.
bool SearchPiece(std::string_view piece, const RatingFile& file, std::string_view entryHead, std::string_view term,
                 int maxRows, Half (&halves)[2], std::vector<SearchRow>& rows) {
    std::size_t middle = piece.size() < kSplitBytes ? piece.size() : piece.find('\n', piece.size() / 2);
    middle = middle < piece.size() ? middle + 1 : piece.size();
    std::string_view first = piece.substr(0, middle);
    std::string_view second = piece.substr(middle);
    int room = maxRows - static_cast<int>(rows.size());
    std::future<void> secondDone;
    if (!second.empty())
        secondDone = std::async(std::launch::async,
                                [&] { halves[1].Search(second, file.name, entryHead, term, room); });
    halves[0].Search(first, file.name, entryHead, term, room);
    if (secondDone.valid()) secondDone.get();
    AddRowsOfLines(halves[0].rows, maxRows, rows);
    if (!second.empty()) AddRowsOfLines(halves[1].rows, maxRows, rows);
    return static_cast<int>(rows.size()) < maxRows;
}

}  // namespace

std::vector<SearchRow> SearchRatingFiles(const std::vector<RatingFile>& files, std::string_view term, int maxRows,
                                         bool removeDiacritics) {
    MatchKeyFolder folder(removeDiacritics);
    std::string key = folder.Fold(term);
    std::vector<SearchRow> rows;
    Half halves[2] = {Half(removeDiacritics), Half(removeDiacritics)};
    for (const auto& file : files) {
        if (static_cast<int>(rows.size()) >= maxRows) break;
        std::string entryHead = folder.Fold(file.name) + "|";
        try {
            ForEachRatingFileChunk(file.path, [&](std::string_view piece) {
                return SearchPiece(piece, file, entryHead, key, maxRows, halves, rows);
            });
        } catch (const std::system_error& e) {
            throw std::filesystem::filesystem_error(e.what(), file.path, e.code());
        }
    }
    return rows;
}

}  // namespace veltrun
