// Reading and writing whole text files (text_file.h).
#include "store/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#include "store/atomic_file.h"
#include "store/code_page.h"
#include "store/errors.h"
#include "store/file_limits.h"
#include "store/file_notices.h"
#include "store/safe_open.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

// A line longer than this is no line of ours: refuse it rather than fill memory.
constexpr std::size_t kMaxLineBytes = 1024 * 1024;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string Quoted(const std::filesystem::path& file) { return "\"" + file.string() + "\""; }

[[noreturn]] void ThrowReadError(const std::filesystem::path& file, int error) {
    throw myException(TheFile(file) + " " + FileText(421, "could not be read:") + " " + std::strerror(error));
}

[[noreturn]] void ThrowWriteError(const std::filesystem::path& file, int error) {
    throw myException(TheFile(file) + " " + FileText(422, "could not be written:") + " " + std::strerror(error));
}

[[noreturn]] void ThrowLineTooLong(const std::filesystem::path& file, std::size_t line_number) {
    throw myException("Line " + std::to_string(line_number) + " of the file " + Quoted(file) + " is longer than 1 MB.");
}

using LineCallback = std::function<void(std::string& line, std::size_t number)>;

// Hands on one finished raw line (without its line end); notes whether it had
// to be read in the code page of older files.
void AddLine(std::string& raw, std::size_t& count, bool& nonUtf8, const LineCallback& callback) {
    std::string line;
    if (IsValidUtf8(raw)) {
        line = raw;
    } else {
        line = NonUtf8ToUtf8(raw);
        nonUtf8 = true;
    }
    callback(line, ++count);
    raw.clear();
}

// Silently read in a code page, a name would become another name at the next
// write; the director must hear which code page was assumed.
void WarnNonUtf8(const std::filesystem::path& file) {
    std::string codePage = CodePageForNonUtf8();
    WarnOnceAboutFile(file, "code page " + codePage,
                      TheFile(file) + " " +
                          FileText(425, "holds lines that are not UTF-8; they were read in the code page") + " " +
                          codePage + ".");
}

}  // namespace

void ForEachTextLine(const std::filesystem::path& file, std::uintmax_t maxBytes, const LineCallback& callback) {
    int fd = OpenRegularFileForReading(file);
    FileHandle f(::fdopen(fd, "rb"));
    if (!f) {
        int error = errno;
        ::close(fd);
        ThrowReadError(file, error);
    }
    // Refused up front when the size is known; the count below holds for a
    // file that grows while it is read.
    struct stat state {};
    if (::fstat(fileno(f.get()), &state) == 0 && static_cast<std::uintmax_t>(state.st_size) > maxBytes)
        throw FileTooLarge(file, maxBytes);
    std::size_t count = 0;
    std::uintmax_t total = 0;
    bool nonUtf8 = false;
    std::string raw;
    char buffer[65536];
    std::size_t got = 0;
    bool at_start = true;
    // CR LF, LF and CR alone all end a line (TRF files end lines with CR, as
    // FIDE's rules say); a CR may be the last byte of one read and its LF the
    // first of the next.
    bool after_cr = false;
    while ((got = std::fread(buffer, 1, sizeof buffer, f.get())) > 0) {
        total += got;
        if (total > maxBytes) throw FileTooLarge(file, maxBytes);
        std::string_view chunk(buffer, got);
        if (at_start) chunk.remove_prefix(ByteOrderMarksLength(chunk));
        at_start = false;
        while (!chunk.empty()) {
            if (after_cr && chunk.front() == '\n') chunk.remove_prefix(1);
            after_cr = false;
            std::size_t end = chunk.find_first_of("\r\n");
            raw.append(chunk.substr(0, end));
            if (raw.size() > kMaxLineBytes) ThrowLineTooLong(file, count + 1);
            if (end == std::string_view::npos) break;
            after_cr = chunk[end] == '\r';
            AddLine(raw, count, nonUtf8, callback);
            chunk.remove_prefix(end + 1);
        }
    }
    if (std::ferror(f.get())) ThrowReadError(file, errno != 0 ? errno : EIO);
    if (!raw.empty()) AddLine(raw, count, nonUtf8, callback);
    if (nonUtf8) WarnNonUtf8(file);
}

std::vector<std::string> ReadTextLines(const std::filesystem::path& file, std::uintmax_t maxBytes) {
    std::vector<std::string> lines;
    ForEachTextLine(file, maxBytes, [&lines](std::string& line, std::size_t) { lines.push_back(std::move(line)); });
    return lines;
}

std::vector<std::string> ReadTextLines(const std::filesystem::path& file) {
    return ReadTextLines(file, file_limit::TextFile);
}

std::vector<std::string> ReadTrimmedLines(const std::filesystem::path& file, std::uintmax_t maxBytes) {
    std::vector<std::string> lines = ReadTextLines(file, maxBytes);
    for (auto& line : lines) line = Trim(line);
    return lines;
}

std::vector<std::string> ReadTrimmedLines(const std::filesystem::path& file) {
    return ReadTrimmedLines(file, file_limit::TextFile);
}

void WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    try {
        AtomicFile out(file);
        for (const auto& line : lines) out.WriteLine(line);
        out.Commit();
    } catch (const std::system_error& e) {
        ThrowWriteError(file, e.code().value());
    }
}

void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    try {
        AtomicFile out(file);
        out.Write(bytes);
        out.Commit();
    } catch (const std::system_error& e) {
        ThrowWriteError(file, e.code().value());
    }
}

}  // namespace veltrun
