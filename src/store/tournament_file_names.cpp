#include "store/tournament_file_names.h"

#include "store/errors.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun {

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    if (Trim(name) != name) return false;
    for (char c : name) {
        auto code = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || code < 32 || code == 127) return false;
    }
    return true;
}

bool IsTournamentOwnFile(std::string_view name) {
    std::string lower = ToLowerAscii(name);
    if (lower == "options.txt" || lower == "players.txt" || lower == "tournlog.log" ||
        lower == "tournlog.1.log")
        return true;
    for (std::string_view prefix : {"round", "bak_round"}) {
        if (lower.rfind(prefix, 0) != 0 || lower.size() <= prefix.size() + 4) continue;
        std::string_view rest = std::string_view(lower).substr(prefix.size());
        if (rest.substr(rest.size() - 4) == ".txt" && IsAllDigits(rest.substr(0, rest.size() - 4))) return true;
    }
    return false;
}

bool IsReservedForReports(const Settings& settings, std::string_view name) {
    if (IsTournamentOwnFile(name)) return true;
    std::string lower = ToLowerAscii(name);
    for (const std::string* other : {&settings.ShortFileNameTRF16, &settings.ShortFileNameTRF16National,
                                     &settings.ShortFileNameJAVAFOin, &settings.ShortFileNameJAVAFOout})
        if (!other->empty() && ToLowerAscii(*other) == lower) return true;
    return false;
}

std::filesystem::path TournamentFileFromSetting(Session& session, const std::string& name,
                                                const std::string& settingName) {
    std::string head = session.tr(290, "The file name") + " \"" + name + "\" (" + settingName + ") ";
    if (!IsPlainFileName(name)) {
        std::string text = head + session.tr(291, "in the settings file must be a plain file name inside the tournament folder.");
        Fail(session, "Fatal error. File name \"" + name + "\" (" + settingName + ") is not a plain file name.", text);
    }
    if (IsTournamentOwnFile(name)) {
        std::string text = head + session.tr(292, "in the settings file would overwrite a file of the tournament.");
        Fail(session, "Fatal error. File name \"" + name + "\" (" + settingName + ") is a file of the tournament.", text);
    }
    return std::filesystem::path(session.tournament.TournamentFolder) / name;
}

}  // namespace veltrun
