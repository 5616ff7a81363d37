#include "ratinglist/folded_lines.h"

#include <string.h>

#include <algorithm>

#include "ratinglist/rating_lines.h"
#include "ratinglist/rating_search.h"
#include "store/code_page.h"
#include "store/utf8.h"

namespace veltrun {

namespace {

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

std::string_view WithoutLineEnd(std::string_view text, std::size_t start) {
    std::string_view line = text.substr(start, text.find('\n', start) - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

void FoldedLines::Append(std::string_view text, MatchKeyFolder& folder) {
    std::size_t textFrom = text_.size();
    std::size_t keyFrom = keys_.size();
    if (folder.AppendValid(text, keys_)) {
        text_.append(text);
    } else {
        // Older rating files are in the code page of older files (cp1250 by default).
        keys_.resize(keyFrom);
        ForEachLineOf(text, [this](std::string_view line) {
            text_ += IsValidUtf8(line) ? std::string(line) : NonUtf8ToUtf8(line);
            text_ += '\n';
        });
        folder.Append(std::string_view(text_).substr(textFrom), keys_);
    }
    if (text_.size() > textFrom && text_.back() != '\n') {
        text_ += '\n';
        keys_ += '\n';
    }
}

// Walks the new lines and their keys side by side, keeping the non-blank ones.
void FoldedLines::Index() const {
    std::size_t textFrom = indexedText_;
    std::size_t keyFrom = indexedKeys_;
    while (textFrom < text_.size()) {
        std::size_t textEnd = text_.find('\n', textFrom);
        std::size_t keyEnd = keys_.find('\n', keyFrom);
        std::string_view line(text_.data() + textFrom, textEnd - textFrom);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!IsBlank(line)) {
            lineStarts_.push_back(textFrom);
            keyStarts_.push_back(keyFrom);
        }
        textFrom = textEnd + 1;
        keyFrom = keyEnd + 1;
    }
    indexedText_ = textFrom;
    indexedKeys_ = keyFrom;
}

void FoldedLines::Clear() {
    text_.clear();
    keys_.clear();
    lineStarts_.clear();
    keyStarts_.clear();
    indexedText_ = indexedKeys_ = 0;
}

void FoldedLines::Refold(MatchKeyFolder& folder) {
    keys_.clear();
    lineStarts_.clear();
    keyStarts_.clear();
    indexedText_ = indexedKeys_ = 0;
    folder.Append(text_, keys_);
}

std::string_view FoldedLines::Line(std::size_t line) const { return WithoutLineEnd(text_, lineStarts_[line]); }

std::string_view FoldedLines::Key(std::size_t line) const { return WithoutLineEnd(keys_, keyStarts_[line]); }

std::size_t FoldedLines::FindNext(std::string_view term, std::string_view entryHead, std::size_t from) const {
    if (entryHead.find(term) != std::string_view::npos) return from < Size() ? from : kNone;
    if (term.find_first_of("|\r\n") != std::string_view::npos) {
        // A term that could reach over a line's end or into the file name: line by line.
        std::string entry;
        for (std::size_t line = from; line < Size(); ++line) {
            entry.assign(entryHead).append(Key(line));
            if (entry.find(term) != std::string::npos) return line;
        }
        return kNone;
    }
    // Otherwise a match lies inside one key: a single substring search over them all.
    std::size_t offset = from == 0 ? 0 : from < Size() ? keyStarts_[from] : keys_.size();
    while (offset < keys_.size()) {
        const void* hit = ::memmem(keys_.data() + offset, keys_.size() - offset, term.data(), term.size());
        if (!hit) break;
        auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - keys_.data());
        Index();
        auto after = std::upper_bound(keyStarts_.begin(), keyStarts_.end(), at);
        auto line = static_cast<std::size_t>(after - keyStarts_.begin());
        // Inside the key before, unless it fell into a blank line, which is not kept.
        if (line > 0 && at < keyStarts_[line - 1] + Key(line - 1).size()) return line - 1;
        offset = at + 1;
    }
    return kNone;
}

void SearchInto(const FoldedLines& lines, std::string_view fileName, std::string_view entryHead,
                std::string_view term, int maxRows, std::vector<SearchRow>& rows) {
    for (std::size_t line = 0; static_cast<int>(rows.size()) < maxRows; ++line) {
        line = lines.FindNext(term, entryHead, line);
        if (line == FoldedLines::kNone) break;
        AppendSearchRows(fileName, lines.Line(line), rows);
    }
}

}  // namespace veltrun
