// Access to INI files (ini_file.h): a read takes the whole file at once; a
// write changes one line and replaces the file atomically.
#include "store/file_limits.h"
#include "store/ini_file.h"

#include <optional>
#include <system_error>
#include <vector>

#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

bool IsComment(const std::string& trimmed) {
    return trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#';
}

// The section name of a "[Section]" line, or nothing for any other line.
std::optional<std::string> SectionName(const std::string& trimmed) {
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    std::size_t close = trimmed.find(']');
    return Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// The key of a "Key=Value" line, or nothing for any other line.
std::optional<std::string> KeyName(const std::string& trimmed) {
    if (IsComment(trimmed) || trimmed.front() == '[') return std::nullopt;
    std::size_t equals = trimmed.find('=');
    if (equals == std::string::npos) return std::nullopt;
    return Trim(trimmed.substr(0, equals));
}

bool SameName(const std::string& a, const std::string& b) { return ToLowerAscii(a) == ToLowerAscii(b); }

// Where a key lives in the lines of a file: the first matching key line within
// a matching section, else the place to add it.
struct KeyPlace {
    std::optional<std::size_t> key_line;      // the line holding the key
    std::optional<std::size_t> insert_after;  // last key line (or header) of the first matching section
};

KeyPlace FindKey(const std::vector<std::string>& lines, const std::string& section, const std::string& key) {
    KeyPlace place;
    bool in_section = false;
    bool in_first_section = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string trimmed = Trim(lines[i]);
        if (auto name = SectionName(trimmed)) {
            in_section = SameName(*name, section);
            in_first_section = in_section && !place.insert_after;
            if (in_first_section) place.insert_after = i;
            continue;
        }
        if (!in_section) continue;
        auto key_name = KeyName(trimmed);
        if (!key_name) continue;
        if (SameName(*key_name, key)) {
            place.key_line = i;
            return place;
        }
        if (in_first_section) place.insert_after = i;
    }
    return place;
}

// The value of a key line: everything after the first "=", trimmed.
std::string ValueOf(const std::string& line) {
    std::size_t equals = line.find('=');
    return Trim(line.substr(equals + 1));
}

}  // namespace

std::string IniFileLines::Value(const std::string& section, const std::string& key) const {
    KeyPlace place = FindKey(lines, section, key);
    return place.key_line ? ValueOf(lines[*place.key_line]) : std::string();
}

IniFileLines ReadIniFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return {};
    return {ReadTextLines(file, file_limit::SettingsFile)};
}

std::string IniReadString(const std::filesystem::path& file, const std::string& section, const std::string& key) {
    return ReadIniFile(file).Value(section, key);
}

void IniWriteString(const std::filesystem::path& file, const std::string& section, const std::string& key,
                    const std::string& value) {
    std::error_code error;
    std::vector<std::string> lines;
    if (std::filesystem::exists(file, error)) lines = ReadTextLines(file, file_limit::SettingsFile);
    // A line break inside the value would smuggle further lines into the file.
    std::string safe_value = ReplaceChar(ReplaceChar(value, '\r', " "), '\n', " ");
    KeyPlace place = FindKey(lines, section, key);
    if (place.key_line) {
        std::string& line = lines[*place.key_line];
        line = *KeyName(Trim(line)) + "=" + safe_value;
    } else if (place.insert_after) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*place.insert_after + 1), key + "=" + safe_value);
    } else {
        lines.push_back("[" + section + "]");
        lines.push_back(key + "=" + safe_value);
    }
    WriteTextLines(file, lines);
}

}  // namespace veltrun
