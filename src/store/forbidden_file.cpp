#include "store/forbidden_file.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "store/errors.h"
#include "store/file_messages.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

// Far more than 2000 players can fill with aliases; anything larger is no file of ours.
constexpr std::uintmax_t kMaxFileBytes = 4 * 1024 * 1024;
constexpr std::string_view kHeader = "# Players who must not meet: one group per line, aliases separated by blanks";

std::vector<std::string> SplitAtBlanks(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line + " ") {
        if (c == ' ') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

void CheckIsPlainFile(Session& session, const std::filesystem::path& path) {
    std::error_code ec;
    auto status = std::filesystem::symlink_status(path, ec);
    bool plain = !ec && std::filesystem::is_regular_file(status);
    if (plain && std::filesystem::file_size(path, ec) <= kMaxFileBytes && !ec) return;
    Fail(session, "Fatal error. File " + path.string() + " is not a regular file of a sane size.",
         session.tr(121, "File") + " (" + path.string() + ") " +
             session.tr(704, "is not a plain file of a sane size."));
}

}  // namespace

std::filesystem::path ForbiddenFilePath(const std::filesystem::path& folder) { return folder / "forbidden.txt"; }

ForbiddenGroupList ReadForbiddenGroups(Session& session, const Tournament& t, const std::filesystem::path& path) {
    CheckIsPlainFile(session, path);
    std::unordered_map<std::string, int> byAlias;
    for (int i = 1; i <= t.PlayerCount(); ++i) byAlias.emplace(t.Player(i).ArrivalID, i);
    ForbiddenGroupList groups;
    std::vector<std::string> lines = ReadTrimmedLines(path);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        std::string line = Trim(CleanLine(ReplaceChar(lines[k], '\t', " ")));
        if (line.empty() || line.front() == '#') continue;
        std::string where = AtFileLine(session, path, static_cast<int>(k) + 1) + ".";
        std::vector<std::string> group;
        for (const std::string& alias : SplitAtBlanks(line)) {
            if (byAlias.count(alias) == 0)
                Fail(session, "Fatal error. Forbidden group names unknown player (" + alias + ") in " + path.string() +
                                  ", line " + std::to_string(k + 1) + ".",
                     session.tr(702, "A forbidden group names a player who is not in the tournament") + " (" + alias +
                         ")" + where);
            if (std::find(group.begin(), group.end(), alias) == group.end()) group.push_back(alias);
        }
        if (group.size() < 2)
            Fail(session, "Fatal error. Forbidden group with fewer than two players in " + path.string() + ", line " +
                              std::to_string(k + 1) + ".",
                 session.tr(703, "A forbidden group needs at least two different players") + where);
        groups.push_back(std::move(group));
    }
    return groups;
}

void LoadForbiddenGroups(Session& session, Tournament& t, const std::filesystem::path& folder) {
    auto path = ForbiddenFilePath(folder);
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ec))) {
        t.ForbiddenGroups.clear();
        return;
    }
    t.ForbiddenGroups = ReadForbiddenGroups(session, t, path);
    session.AppendToLog("Load forbidden pairs from file (" + path.string() + "): " +
                        std::to_string(t.ForbiddenGroups.size()) + " groups.");
}

void WriteForbiddenGroups(const std::filesystem::path& path, const ForbiddenGroupList& groups) {
    std::vector<std::string> lines{std::string(kHeader)};
    for (const auto& group : groups) {
        std::string text;
        for (const auto& alias : group) text += (text.empty() ? "" : " ") + alias;
        lines.push_back(text);
    }
    WriteTextLines(path, lines);
}

}  // namespace veltrun
