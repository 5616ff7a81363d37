#pragma once
// FoldedLines: whole lines of one rating file next to their match keys, the
// text every player search looks in. The window keeps one per file for the
// whole run; a single search from the command line folds a piece of the file
// at a time and drops it. A line feed folds to itself and ends any accent
// rule, so a piece of valid UTF-8 is folded in one go and its keys end where
// its lines do.
#include <string>
#include <string_view>
#include <vector>

#include "ratinglist/match_key.h"

namespace veltrun {

struct SearchRow;

class FoldedLines {
public:
    // Appends the lines of text (CR LF or LF; the last may lack its end).
    // Blank lines are not kept; a line that is no valid UTF-8 is read as cp1250.
    void Append(std::string_view text, MatchKeyFolder& folder);
    void Clear();
    // Computes every key anew, for another diacritics setting.
    void Refold(MatchKeyFolder& folder);

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    std::size_t Size() const {
        Index();
        return lineStarts_.size();
    }
    // The line without its line end.
    std::string_view Line(std::size_t line) const;
    // The first line at or after from whose entry (entryHead, the key of the
    // file name and "|", then the line's key) holds the folded term; kNone
    // when there is none.
    std::size_t FindNext(std::string_view term, std::string_view entryHead, std::size_t from) const;

private:
    void Index() const;
    std::string_view Key(std::size_t line) const;

    std::string text_;  // the lines as read, each ended by '\n'
    std::string keys_;  // their keys, each ended by '\n'
    // Where each kept (non-blank) line starts in text_ and its key in keys_,
    // found only when first asked for: a search that finds nothing in a piece
    // of the command line's search never needs them.
    mutable std::vector<std::size_t> lineStarts_;
    mutable std::vector<std::size_t> keyStarts_;
    mutable std::size_t indexedText_ = 0;  // bytes of text_ and keys_ indexed so far
    mutable std::size_t indexedKeys_ = 0;
};

// The search both the window and the command line run: adds the rows of the
// lines whose entry holds the folded term while there are fewer than maxRows
// (three rows a line, so up to two more than maxRows may come back).
void SearchInto(const FoldedLines& lines, std::string_view fileName, std::string_view entryHead,
                std::string_view term, int maxRows, std::vector<SearchRow>& rows);

}  // namespace veltrun
