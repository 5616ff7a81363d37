#pragma once
// RatingLines: every line of the rating files, kept for the whole run, with
// each line's match key computed once when it is loaded. Lines and keys sit
// in two large buffers, one line after the other, so a search is one pass of
// a substring search over the keys.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "ratinglist/match_key.h"

namespace veltrun {

class Session;

class RatingLines {
public:
    explicit RatingLines(bool removeDiacritics = true) : folder_(removeDiacritics) {}

    bool Empty() const { return starts_.empty(); }
    std::size_t Size() const { return starts_.size(); }
    void Clear();
    // Forgets the lines but keeps the file names.
    void ClearLines();

    // Adds every non-blank line of the file under its name. A line that is not
    // valid UTF-8 is read as cp1250. Throws std::system_error naming the file.
    void AddFile(const std::string& name, const std::filesystem::path& file);
    // Adds one line (tests, and the file reader).
    void AddLine(std::size_t fileIndex, std::string_view line);
    std::size_t AddFileName(const std::string& name);

    std::string_view FileName(std::size_t line) const { return files_[fileOf_[line]]; }
    std::string_view Line(std::size_t line) const;
    // File name, "|" and the line: the text the search looks in.
    std::string Entry(std::size_t line) const;

    bool RemovesDiacritics() const { return folder_.RemovesDiacritics(); }
    // Recomputes every key when the diacritics setting changed since the load.
    void SetRemoveDiacritics(bool removeDiacritics);
    // The first line at or after `from` whose key holds the (already folded)
    // term; Size() when there is none.
    std::size_t FindNext(std::string_view foldedTerm, std::size_t from) const;

private:
    void AppendKey(std::size_t line);

    MatchKeyFolder folder_;  // its cache makes the fold of a line cheap
    std::vector<std::string> foldedFiles_;  // key of each file name with its "|"
    std::vector<std::string> files_;
    std::string text_;                 // the lines, each followed by '\n'
    std::vector<std::size_t> starts_;  // where each line begins in text_
    std::vector<std::uint16_t> fileOf_;
    std::string keys_;                    // the keys, each followed by '\n'
    std::vector<std::size_t> keyStarts_;  // where each key begins in keys_
};

// Calls back with the rating file in pieces of whole lines (line ends kept, a
// leading BOM removed) while the callback returns true. Throws
// std::system_error naming the file.
void ForEachRatingFileChunk(const std::filesystem::path& file, const std::function<bool(std::string_view)>& callback);
// Every line of a piece of text, CR LF or LF removed.
void ForEachLineOf(std::string_view lines, const std::function<void(std::string_view)>& callback);
// Calls back with every line of a rating file (line end and BOM removed)
// while the callback returns true. Throws std::system_error naming the file.
void ForEachRatingFileLine(const std::filesystem::path& file, const std::function<bool(std::string_view)>& callback);

struct RatingFile {
    std::string name;
    std::filesystem::path path;
};
// The rating files a search reads: elo.txt, then (with IsLoadMoreEloFiles) every
// other *.txt file of the rating folder in name order.
std::vector<RatingFile> RatingFilesToRead(const Session& session);

// LoadRatingLines: elo.txt of the rating folder, then (with IsLoadMoreEloFiles)
// every other *.txt file of the folder in name order. Throws myException with
// the translated message when a file cannot be read.
void LoadRatingLines(Session& session, RatingLines& lines);
// Logs and throws myException with the translated message.
[[noreturn]] void FailToRead(Session& session, const std::filesystem::path& file, const std::system_error& e);

}  // namespace veltrun
