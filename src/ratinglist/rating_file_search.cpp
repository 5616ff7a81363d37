// A single search straight from the rating files. Instead of folding line by
// line, a piece of whole lines is folded at once: a line feed folds to itself
// and ends any accent rule, so the fold of the piece is the folds of its lines
// one after the other, and one substring search covers them all.
#include <string.h>

#include <future>
#include <iterator>
#include <system_error>

#include "ratinglist/match_key.h"
#include "ratinglist/rating_lines.h"
#include "ratinglist/rating_search.h"

namespace veltrun {

namespace {

// Whether a match could take in the "file name|" before a line: then every
// line is searched with it, as the kept lines are.
bool NeedsFileName(std::string_view key, std::string_view foldedName) {
    return key.find_first_of("|\r\n") != std::string_view::npos || foldedName.find(key) != std::string_view::npos;
}

class PieceSearch {
public:
    PieceSearch(std::string_view fileName, std::string_view key, bool removeDiacritics)
        : fileName_(fileName), key_(key), folder_(removeDiacritics) {}

    // The rows of the lines of a piece of whole lines that hold the key, at
    // most those of the lines up to maxRows rows; false when the piece is no
    // valid UTF-8.
    bool Search(std::string_view piece, int maxRows) {
        rows_.clear();
        maxRows_ = maxRows;
        folded_.clear();
        if (!folder_.AppendValid(piece, folded_)) return false;
        std::size_t keyLine = 0;  // start of the current line in folded_ and in piece
        std::size_t rawLine = 0;
        std::size_t from = 0;
        while (!Full() && from < folded_.size()) {
            const void* found = ::memmem(folded_.data() + from, folded_.size() - from, key_.data(), key_.size());
            if (!found) return true;
            auto hit = static_cast<std::size_t>(static_cast<const char*>(found) - folded_.data());
            // Both texts have their line feeds in the same places: step line by line up to the hit.
            for (std::size_t next; (next = folded_.find('\n', keyLine)) < hit;) {
                keyLine = next + 1;
                rawLine = piece.find('\n', rawLine) + 1;
            }
            std::string_view line = piece.substr(rawLine, piece.find('\n', rawLine) - rawLine);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            AppendSearchRows(fileName_, line, rows_);
            from = folded_.find('\n', hit);
            if (from == std::string::npos) return true;
            keyLine = ++from;
            rawLine = piece.find('\n', rawLine) + 1;
        }
        return true;
    }

    std::vector<SearchRow>& Rows() { return rows_; }

private:
    bool Full() const { return static_cast<int>(rows_.size()) >= maxRows_; }

    std::string_view fileName_;
    std::string_view key_;
    MatchKeyFolder folder_;
    int maxRows_ = 0;
    std::vector<SearchRow> rows_;
    std::string folded_;
};

// Adds found rows, three to a line, while there are fewer than maxRows.
void AddRowsOfLines(std::vector<SearchRow>& found, int maxRows, std::vector<SearchRow>& rows) {
    for (std::size_t i = 0; i + 3 <= found.size() && static_cast<int>(rows.size()) < maxRows; i += 3)
        rows.insert(rows.end(), std::make_move_iterator(found.begin() + static_cast<long>(i)),
                    std::make_move_iterator(found.begin() + static_cast<long>(i) + 3));
}

// One file: each piece is split in two halves at a line end, searched side by
// side on two cores; the halves' rows are then taken in file order.
class FileSearch {
public:
    FileSearch(const RatingFile& file, std::string_view key, bool removeDiacritics, int maxRows,
               std::vector<SearchRow>& rows)
        : key_(key),
          maxRows_(maxRows),
          rows_(rows),
          halves_{PieceSearch(file.name, key, removeDiacritics), PieceSearch(file.name, key, removeDiacritics)},
          slice_(removeDiacritics) {
        index_ = slice_.AddFileName(file.name);
        lineByLine_ = NeedsFileName(key, MatchKeyFolder(removeDiacritics).Fold(file.name));
    }

    // Returns false once there are enough rows.
    bool Piece(std::string_view piece) {
        if (lineByLine_) {
            LineByLine(piece);
            return !Full();
        }
        std::size_t middle = piece.size() < kSplitBytes ? piece.size() : piece.find('\n', piece.size() / 2);
        middle = middle < piece.size() ? middle + 1 : piece.size();
        std::string_view first = piece.substr(0, middle);
        std::string_view second = piece.substr(middle);
        int room = maxRows_ - static_cast<int>(rows_.size());
        std::future<bool> secondDone;
        if (!second.empty())
            secondDone = std::async(std::launch::async, [&] { return halves_[1].Search(second, room); });
        bool firstOk = halves_[0].Search(first, room);
        bool secondOk = second.empty() || secondDone.get();
        Take(firstOk, first, halves_[0]);
        if (!second.empty() && !Full()) Take(secondOk, second, halves_[1]);
        return !Full();
    }

private:
    static constexpr std::size_t kSplitBytes = 256 * 1024;  // below this one core is quicker

    bool Full() const { return static_cast<int>(rows_.size()) >= maxRows_; }

    void Take(bool ok, std::string_view text, PieceSearch& half) {
        if (ok) {
            AddRowsOfLines(half.Rows(), maxRows_, rows_);
        } else {
            LineByLine(text);
        }
    }

    // Older cp1250 lines, or a term reaching into the file name: as the kept lines are searched.
    void LineByLine(std::string_view text) {
        ForEachLineOf(text, [&](std::string_view line) { slice_.AddLine(index_, line); });
        SearchInto(slice_, key_, maxRows_, rows_);
        slice_.ClearLines();
    }

    std::string_view key_;
    int maxRows_;
    std::vector<SearchRow>& rows_;
    PieceSearch halves_[2];
    RatingLines slice_;
    std::size_t index_ = 0;
    bool lineByLine_ = false;
};

}  // namespace

std::vector<SearchRow> SearchRatingFiles(Session& session, std::string_view term, int maxRows, bool removeDiacritics) {
    std::string key = MatchKeyFolder(removeDiacritics).Fold(term);
    std::vector<SearchRow> rows;
    for (const auto& file : RatingFilesToRead(session)) {
        if (static_cast<int>(rows.size()) >= maxRows) break;
        FileSearch search(file, key, removeDiacritics, maxRows, rows);
        try {
            ForEachRatingFileChunk(file.path, [&search](std::string_view piece) { return search.Piece(piece); });
        } catch (const std::system_error& e) {
            FailToRead(session, file.path, e);
        }
    }
    return rows;
}

}  // namespace veltrun
