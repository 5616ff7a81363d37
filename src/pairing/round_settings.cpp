#include "pairing/round_settings.h"

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "store/file_limits.h"
#include "store/options_file.h"
#include "store/settings.h"
#include "store/text_file.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

using KeyValues = std::vector<std::pair<std::string, std::string>>;

std::optional<std::string> SectionName(const std::string& trimmed) {
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    std::size_t close = trimmed.find(']');
    return Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

std::optional<std::string> KeyName(const std::string& trimmed) {
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#' || trimmed.front() == '[')
        return std::nullopt;
    std::size_t equals = trimmed.find('=');
    if (equals == std::string::npos) return std::nullopt;
    return Trim(trimmed.substr(0, equals));
}

// The effect of IniWriteString for every key in turn: a key already in a
// section of that name keeps its place and gets the new value; new keys
// follow the last key of the first such section; without the section, the
// section and its keys are appended.
void WriteSection(StringList& lines, const std::string& section, const KeyValues& values) {
    std::map<std::string, std::size_t> key_lines;  // lower-cased key -> its first line
    std::optional<std::size_t> insert_after;
    bool in_section = false, in_first = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string trimmed = Trim(lines[i]);
        if (auto name = SectionName(trimmed)) {
            in_section = ToLowerAscii(*name) == ToLowerAscii(section);
            in_first = in_section && !insert_after;
            if (in_first) insert_after = i;
            continue;
        }
        if (!in_section) continue;
        auto key = KeyName(trimmed);
        if (!key) continue;
        key_lines.emplace(ToLowerAscii(*key), i);
        if (in_first) insert_after = i;
    }
    StringList added;
    if (!insert_after) added.push_back("[" + section + "]");
    for (const auto& [key, value] : values) {
        auto found = key_lines.find(ToLowerAscii(key));
        if (found != key_lines.end())
            lines[found->second] = *KeyName(Trim(lines[found->second])) + "=" + value;
        else
            added.push_back(key + "=" + value);
    }
    auto at = insert_after ? lines.begin() + static_cast<std::ptrdiff_t>(*insert_after + 1) : lines.end();
    lines.insert(at, added.begin(), added.end());
}

}  // namespace

void WriteRoundSettings(const Tournament& t, const Settings& settings, int round, const PairingLog& log) {
    std::filesystem::path file = OptionsFilePath(t.TournamentFolder);
    log.Write("Pairing options are written to file (" + file.string() + ").");
    KeyValues values = {
        {"JaVaFoUsed", BoolText(settings.JaVaFoIsUsed)},
        {"SkipColourCondition", BoolText(settings.GoalsSkip2ColourCondition)},
        {"ForbiddenMatchAgainstTeamMembers", BoolText(settings.IsForbiddenMatchAgainstTeamMembers)},
        {"NumberOfPlayers", std::to_string(t.PlayerCount())},
    };
    for (int i = 1; i <= t.PlayerCount(); ++i)
        values.emplace_back("Player" + std::to_string(i),
                            t.Player(i).ArrivalID + "|" + std::to_string(t.Player(i).OnOff));
    StringList lines;
    std::error_code error;
    if (std::filesystem::exists(file, error)) lines = ReadTextLines(file, file_limit::OptionsFile);
    WriteSection(lines, "Round" + std::to_string(round) + "Settings", values);
    // The blank line that ends each round's section goes in the same write:
    // appended afterwards, a kill in between left neither version of the file.
    lines.emplace_back();
    WriteTextLines(file, lines);
}

}  // namespace veltrun
