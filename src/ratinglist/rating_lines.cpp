#include "ratinglist/rating_lines.h"

#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

#include "ratinglist/match_key.h"
#include "store/code_page.h"
#include "store/errors.h"
#include "store/file_limits.h"
#include "store/safe_open.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "store/utf8.h"

namespace veltrun {

namespace {

constexpr std::size_t kReadChunk = 4 << 20;

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

class FileReader {
public:
    explicit FileReader(const std::filesystem::path& file) : file_(file), fd_(OpenRegularFileForReading(file)) {}
    ~FileReader() { ::close(fd_); }
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    std::size_t Read(char* buffer, std::size_t size) {
        for (;;) {
            ssize_t n = ::read(fd_, buffer, size);
            if (n >= 0) return static_cast<std::size_t>(n);
            if (errno != EINTR) throw std::system_error(errno, std::generic_category(), file_.string());
        }
    }

private:
    std::filesystem::path file_;
    int fd_ = -1;
};

// Lines whose name marks them as another rating file of the folder.
bool IsFurtherRatingFile(const std::filesystem::directory_entry& entry) {
    std::string name = entry.path().filename().string();
    if (name.empty() || name[0] == '.' || entry.is_directory()) return false;
    return ToLowerAscii(ExtractExtPart(name)) == "txt" && ToLowerAscii(name) != "elo.txt";
}

}  // namespace

void RatingLines::Clear() {
    files_.clear();
    foldedFiles_.clear();
    ClearLines();
}

void RatingLines::ClearLines() {
    text_.clear();
    starts_.clear();
    fileOf_.clear();
    keys_.clear();
    keyStarts_.clear();
}

std::size_t RatingLines::AddFileName(const std::string& name) {
    if (files_.size() > UINT16_MAX) throw std::system_error(EMFILE, std::generic_category(), name);
    files_.push_back(name);
    return files_.size() - 1;
}

void RatingLines::AddLine(std::size_t fileIndex, std::string_view line) {
    if (IsBlank(line)) return;
    starts_.push_back(text_.size());
    fileOf_.push_back(static_cast<std::uint16_t>(fileIndex));
    // Older rating files are in the code page of older files (cp1250 by default).
    if (!IsValidUtf8(line)) {
        text_ += NonUtf8ToUtf8(line);
    } else {
        text_.append(line);
    }
    text_ += '\n';
    AppendKey(starts_.size() - 1);
}

void ForEachRatingFileChunk(const std::filesystem::path& file,
                            const std::function<bool(std::string_view)>& callback) {
    FileReader reader(file);
    std::string buffer(kReadChunk, '\0');
    std::size_t filled = 0;
    bool bomChecked = false;
    std::uintmax_t total = 0;
    for (;;) {
        // A line as long as the whole buffer, or a file larger than any rating
        // list, is no rating file: refused before it fills memory.
        if (filled == buffer.size()) throw std::system_error(EFBIG, std::generic_category(), file.string());
        std::size_t got = reader.Read(buffer.data() + filled, buffer.size() - filled);
        filled += got;
        total += got;
        if (total > file_limit::RatingFile) throw std::system_error(EFBIG, std::generic_category(), file.string());
        if (!bomChecked && (filled >= kUtf8Bom.size() || got == 0)) {
            bomChecked = true;
            std::size_t marks = ByteOrderMarksLength(std::string_view(buffer.data(), filled));
            buffer.erase(0, marks);
            filled -= marks;
        }
        std::string_view data(buffer.data(), filled);
        if (got == 0) {
            if (!data.empty()) callback(data);
            return;
        }
        std::size_t lastEnd = data.rfind('\n');
        if (lastEnd == std::string_view::npos) continue;
        if (!callback(data.substr(0, lastEnd + 1))) return;
        filled -= lastEnd + 1;
        std::memmove(buffer.data(), buffer.data() + lastEnd + 1, filled);
    }
}

void ForEachLineOf(std::string_view lines, const std::function<void(std::string_view)>& callback) {
    while (!lines.empty()) {
        std::size_t end = lines.find('\n');
        std::string_view line = lines.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        callback(line);
        if (end == std::string_view::npos) break;
        lines.remove_prefix(end + 1);
    }
}

void ForEachRatingFileLine(const std::filesystem::path& file, const std::function<bool(std::string_view)>& callback) {
    bool goOn = true;
    ForEachRatingFileChunk(file, [&](std::string_view chunk) {
        ForEachLineOf(chunk, [&](std::string_view line) {
            if (goOn) goOn = callback(line);
        });
        return goOn;
    });
}

void RatingLines::AddFile(const std::string& name, const std::filesystem::path& file) {
    std::size_t index = AddFileName(name);
    ForEachRatingFileLine(file, [this, index](std::string_view line) {
        AddLine(index, line);
        return true;
    });
}

std::string_view RatingLines::Line(std::size_t line) const {
    std::size_t start = starts_[line];
    std::size_t end = line + 1 < starts_.size() ? starts_[line + 1] : text_.size();
    return std::string_view(text_).substr(start, end - start - 1);
}

std::string RatingLines::Entry(std::size_t line) const {
    std::string entry(FileName(line));
    entry += '|';
    entry += Line(line);
    return entry;
}

void RatingLines::AppendKey(std::size_t line) {
    keyStarts_.push_back(keys_.size());
    std::uint16_t file = fileOf_[line];
    if (foldedFiles_.size() <= file) foldedFiles_.resize(file + 1u);
    if (foldedFiles_[file].empty()) foldedFiles_[file] = folder_.Fold(files_[file]) + "|";
    keys_ += foldedFiles_[file];
    folder_.Append(Line(line), keys_);
    keys_ += '\n';
}

void RatingLines::SetRemoveDiacritics(bool removeDiacritics) {
    if (removeDiacritics == folder_.RemovesDiacritics()) return;
    folder_ = MatchKeyFolder(removeDiacritics);
    foldedFiles_.clear();
    keys_.clear();
    keyStarts_.clear();
    for (std::size_t i = 0; i < starts_.size(); ++i) AppendKey(i);
}

std::size_t RatingLines::FindNext(std::string_view foldedTerm, std::size_t from) const {
    if (from >= keyStarts_.size()) return Size();
    // A key holds no line feed, so a term with one matches nothing.
    if (foldedTerm.find('\n') != std::string_view::npos) return Size();
    const char* begin = keys_.data() + keyStarts_[from];
    const char* end = keys_.data() + keys_.size();
    const void* hit = ::memmem(begin, static_cast<std::size_t>(end - begin), foldedTerm.data(), foldedTerm.size());
    if (!hit) return Size();
    auto offset = static_cast<std::size_t>(static_cast<const char*>(hit) - keys_.data());
    auto after = std::upper_bound(keyStarts_.begin(), keyStarts_.end(), offset);
    return static_cast<std::size_t>(after - keyStarts_.begin()) - 1;
}

std::vector<RatingFile> RatingFilesToRead(const Session& session) {
    namespace fs = std::filesystem;
    std::vector<RatingFile> files{{"elo.txt", session.EloFolder() / "elo.txt"}};
    if (!session.settings.IsLoadMoreEloFiles) return files;
    // Name order, so that the rows come in the same order on every machine.
    std::vector<fs::path> further;
    for (const auto& entry : fs::directory_iterator(session.EloFolder()))
        if (IsFurtherRatingFile(entry)) further.push_back(entry.path());
    std::sort(further.begin(), further.end());
    for (const auto& file : further) files.push_back({file.filename().string(), file});
    return files;
}

void FailToRead(Session& session, const std::filesystem::path& file, const std::system_error& e) {
    std::string shown = session.tr(329, "Could not read the rating file") + " \"" + file.string() + "\": " +
                        e.code().message() + ".";
    Fail(session, "Rating file " + file.string() + " not read: " + e.code().message(), shown);
}

void LoadRatingLines(Session& session, RatingLines& lines) {
    lines.Clear();
    lines.SetRemoveDiacritics(session.settings.EloSearchRemoveDiacritics);
    std::filesystem::path current = session.EloFolder();
    try {
        for (const auto& file : RatingFilesToRead(session)) {
            current = file.path;
            lines.AddFile(file.name, file.path);
        }
    } catch (const std::system_error& e) {
        lines.Clear();
        FailToRead(session, current, e);
    }
}

}  // namespace veltrun
