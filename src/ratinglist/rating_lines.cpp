#include "ratinglist/rating_lines.h"

#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <system_error>

#include "store/file_limits.h"
#include "store/safe_open.h"
#include "store/text_utils.h"
#include "store/utf8.h"

namespace veltrun {

namespace {

constexpr std::size_t kReadChunk = 4 << 20;

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

std::size_t RatingLines::Size() const {
    std::size_t size = 0;
    for (const auto& lines : lines_) size += lines.Size();
    return size;
}

void RatingLines::Clear() {
    files_.clear();
    entryHeads_.clear();
    lines_.clear();
}

std::size_t RatingLines::AddFileName(const std::string& name) {
    files_.push_back(name);
    entryHeads_.push_back(folder_.Fold(name) + "|");
    lines_.emplace_back();
    return files_.size() - 1;
}

void RatingLines::AddLine(std::size_t fileIndex, std::string_view line) {
    lines_[fileIndex].Append(std::string(line) + "\n", folder_);
}

// The file holding the line; line becomes its number within that file.
std::size_t RatingLines::FileOf(std::size_t& line) const {
    std::size_t file = 0;
    while (line >= lines_[file].Size()) line -= lines_[file++].Size();
    return file;
}

std::string_view RatingLines::FileName(std::size_t line) const { return files_[FileOf(line)]; }

std::string_view RatingLines::Line(std::size_t line) const {
    std::size_t file = FileOf(line);
    return lines_[file].Line(line);
}

void RatingLines::SetRemoveDiacritics(bool removeDiacritics) {
    if (removeDiacritics == folder_.RemovesDiacritics()) return;
    folder_ = MatchKeyFolder(removeDiacritics);
    for (std::size_t file = 0; file < files_.size(); ++file) {
        entryHeads_[file] = folder_.Fold(files_[file]) + "|";
        lines_[file].Refold(folder_);
    }
}

void RatingLines::SearchInto(std::string_view foldedTerm, int maxRows, std::vector<SearchRow>& rows) const {
    for (std::size_t file = 0; file < files_.size(); ++file)
        veltrun::SearchInto(lines_[file], files_[file], entryHeads_[file], foldedTerm, maxRows, rows);
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

void RatingLines::AddFile(const std::string& name, const std::filesystem::path& file) {
    std::size_t index = AddFileName(name);
    ForEachRatingFileChunk(file, [this, index](std::string_view chunk) {
        lines_[index].Append(chunk, folder_);
        return true;
    });
}

std::vector<RatingFile> RatingFilesToRead(const std::filesystem::path& folder, bool furtherFiles) {
    namespace fs = std::filesystem;
    std::vector<RatingFile> files{{"elo.txt", folder / "elo.txt"}};
    if (!furtherFiles) return files;
    // Name order, so that the rows come in the same order on every machine.
    std::vector<fs::path> further;
    for (const auto& entry : fs::directory_iterator(folder))
        if (IsFurtherRatingFile(entry)) further.push_back(entry.path());
    std::sort(further.begin(), further.end());
    for (const auto& path : further) files.push_back({path.filename().string(), path});
    return files;
}

}  // namespace veltrun
