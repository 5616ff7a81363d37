#pragma once
// INI files ("[Section]" headers and "Key=Value" lines). Section and key names
// compare without regard to ASCII case. Writing one key keeps every other line,
// comment and the order of the file, and replaces the file atomically.
#include <filesystem>
#include <string>
#include <vector>

namespace veltrun {

// The lines of one INI file as read at one moment, for reading many keys
// without opening the file for each (and without a mix of two versions when
// the file changes meanwhile).
struct IniFileLines {
    std::vector<std::string> lines;
    // The value of the first matching key within a matching section, trimmed; empty when missing.
    std::string Value(const std::string& section, const std::string& key) const;
};

// A missing file reads as no lines; an unreadable one throws, naming the file.
IniFileLines ReadIniFile(const std::filesystem::path& file);

// One key: the file is read anew for each call.
std::string IniReadString(const std::filesystem::path& file, const std::string& section, const std::string& key);
void IniWriteString(const std::filesystem::path& file, const std::string& section, const std::string& key,
                    const std::string& value);

}  // namespace veltrun
