#pragma once
// Opening files so that a crafted folder cannot hang or redirect us: what is
// read must be a regular file (a named pipe would block forever), what is
// appended to in place is never reached through a link, and a file the
// director write-protected is not replaced.
#include <filesystem>
#include <string>

namespace veltrun {

// A descriptor for reading a regular file. Throws myException naming the
// file when it cannot be opened or is a folder, a pipe, a device or a socket.
int OpenRegularFileForReading(const std::filesystem::path& file);
// The whole file (through OpenRegularFileForReading).
std::string ReadFileBytes(const std::filesystem::path& file);
// A descriptor for appending to a regular file in place, created when
// missing; -1 when the file is a link or not a regular file, or on any error.
int OpenRegularFileForAppend(const std::filesystem::path& file);
// Throws myException naming the file when it exists and is write-protected:
// a rename would replace it all the same, so the writers ask first.
void RefuseWriteProtected(const std::filesystem::path& file);

}  // namespace veltrun
