#include "ratinglist/rating_lines.h"

#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "ratinglist/match_key.h"
#include "store/errors.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

constexpr std::size_t kReadChunk = 4 << 20;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool HasHighByte(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

class FileReader {
public:
    explicit FileReader(const std::filesystem::path& file) : file_(file) {
        fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) throw std::system_error(errno, std::generic_category(), file.string());
    }
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
    // Older rating files are cp1250; what is no valid UTF-8 is read as that.
    if (HasHighByte(line) && !IsValidUtf8(line)) {
        text_ += Cp1250ToUtf8(line);
    } else {
        text_.append(line);
    }
    text_ += '\n';
    AppendKey(starts_.size() - 1);
}

void RatingLines::AddFile(const std::string& name, const std::filesystem::path& file) {
    FileReader reader(file);
    std::size_t index = AddFileName(name);
    std::string pending;
    std::string chunk(kReadChunk, '\0');
    bool first = true;
    auto finishLine = [&](std::string_view line) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (first && line.substr(0, kUtf8Bom.size()) == kUtf8Bom) line.remove_prefix(kUtf8Bom.size());
        first = false;
        AddLine(index, line);
    };
    for (;;) {
        std::size_t got = reader.Read(chunk.data(), chunk.size());
        if (got == 0) break;
        std::string_view rest(chunk.data(), got);
        for (;;) {
            std::size_t end = rest.find('\n');
            if (end == std::string_view::npos) break;
            if (pending.empty()) {
                finishLine(rest.substr(0, end));
            } else {
                pending.append(rest.substr(0, end));
                finishLine(pending);
                pending.clear();
            }
            rest.remove_prefix(end + 1);
        }
        pending.append(rest);
    }
    if (!pending.empty()) finishLine(pending);
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
    folder_.Append(FileName(line), keys_);
    keys_ += '|';
    folder_.Append(Line(line), keys_);
    keys_ += '\n';
}

void RatingLines::SetRemoveDiacritics(bool removeDiacritics) {
    if (removeDiacritics == folder_.RemovesDiacritics()) return;
    folder_ = MatchKeyFolder(removeDiacritics);
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

void LoadRatingLines(Session& session, RatingLines& lines) {
    namespace fs = std::filesystem;
    lines.Clear();
    lines.SetRemoveDiacritics(session.settings.EloSearchRemoveDiacritics);
    fs::path current;
    try {
        current = session.EloFolder() / "elo.txt";
        lines.AddFile("elo.txt", current);
        if (!session.settings.IsLoadMoreEloFiles) return;
        // Name order, so that the rows come in the same order on every machine.
        std::vector<fs::path> further;
        for (const auto& entry : fs::directory_iterator(session.EloFolder()))
            if (IsFurtherRatingFile(entry)) further.push_back(entry.path());
        std::sort(further.begin(), further.end());
        for (const auto& file : further) {
            current = file;
            lines.AddFile(file.filename().string(), file);
        }
    } catch (const std::system_error& e) {
        lines.Clear();
        std::string shown = session.tr(329, "Could not read the rating file") + " \"" + current.string() + "\": " +
                            e.code().message() + ".";
        Fail(session, "Rating file " + current.string() + " not read: " + e.code().message(), shown);
    }
}

}  // namespace veltrun
