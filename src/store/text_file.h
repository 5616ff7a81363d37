#pragma once
// The one way text files are read and written. Reading ends a line at CRLF,
// LF or CR alone, and decodes a line that is not valid UTF-8 in the code page
// of older files (code_page.h, Windows-1250 by default), warning once per
// file; only regular files are read. Writing is UTF-8 with CRLF, as a whole
// through AtomicFile (atomic_file.h), so a crash never leaves half a file.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/atomic_file.h"  // SimulateWriteFailureAfter for the tests of the writes below
#include "store/utf8.h"

namespace veltrun {

std::string Cp1250ToUtf8(std::string_view bytes);
// Characters that cp1250 lacks become "?".
std::string Utf8ToCp1250(std::string_view text);
// One raw line (without its line end) to UTF-8, in the code page of older files
// when it is not UTF-8.
std::string DecodeLine(std::string_view raw);

// Calls back with every line as it stands (line end removed, not trimmed) and
// its number, holding one line at a time. A file of more than maxBytes is
// refused with FileTooLarge (file_limits.h) before its lines are handed on.
// Throws myException naming the file when it cannot be read.
void ForEachTextLine(const std::filesystem::path& file, std::uintmax_t maxBytes,
                     const std::function<void(std::string& line, std::size_t number)>& callback);
// Lines as they stand (line ends removed, not trimmed). maxBytes is the limit
// of the file's kind (file_limits.h).
std::vector<std::string> ReadTextLines(const std::filesystem::path& file, std::uintmax_t maxBytes);
std::vector<std::string> ReadTextLines(const std::filesystem::path& file);
// Lines trimmed of surrounding blanks.
std::vector<std::string> ReadTrimmedLines(const std::filesystem::path& file, std::uintmax_t maxBytes);
std::vector<std::string> ReadTrimmedLines(const std::filesystem::path& file);
// Writes the lines, each followed by CR LF, through AtomicFile. Throws
// myException naming the file on any error; the old file is then intact.
void WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines);
// Writes raw bytes atomically (reports, elo files).
void WriteFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace veltrun
