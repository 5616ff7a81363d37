#pragma once
// INI files ("[Section]" headers and "Key=Value" lines). Section and key names
// compare without regard to ASCII case. Writing one key keeps every other line,
// comment and the order of the file, and replaces the file atomically.
#include <filesystem>
#include <string>

namespace veltrun {

std::string IniReadString(const std::filesystem::path& file, const std::string& section, const std::string& key);
void IniWriteString(const std::filesystem::path& file, const std::string& section, const std::string& key,
                    const std::string& value);

}  // namespace veltrun
