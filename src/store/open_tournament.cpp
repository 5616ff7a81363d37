#include "store/open_tournament.h"

#include <algorithm>
#include <map>
#include <memory>

#include "store/errors.h"
#include "store/forbidden_file.h"
#include "store/options_file.h"
#include "store/players_file.h"
#include "store/round_file.h"
#include "store/session.h"
#include "store/temporary_files.h"
#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun {

namespace {

std::string FolderText(const std::filesystem::path& folder) {
    std::string text = folder.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

int CountExistingRounds(const std::filesystem::path& folder, int maxRound) {
    int current = 0;
    for (int n = 1; n <= maxRound; ++n) {
        if (!std::filesystem::exists(RoundFilePath(folder, n))) break;
        current = n;
    }
    return current;
}

// Results in a round file that is not read would silently vanish from the
// standings; the director is told which file it is.
void WarnAboutUnreadRoundFiles(Session& session, const std::filesystem::path& folder, int currentRound) {
    for (const auto& file : UnreadRoundFiles(folder, currentRound)) {
        ShowWarning(session, session.tr(121, "File") + " " + file.string() + " " +
                                 session.tr(201, "is not read: round files are read from round1.txt on, without a gap, "
                                                 "up to the number of rounds."));
    }
}

// Without a number of rounds a running tournament would look like one before
// round 1, and player changes would act on it as such.
void RequireMaxRoundWhenRoundsExist(Session& session, const std::filesystem::path& folder, int maxRound) {
    if (maxRound >= 1 || UnreadRoundFiles(folder, 0).empty()) return;
    auto options = OptionsFilePath(folder);
    bool present = std::filesystem::is_regular_file(options);
    Fail(session,
         "Fatal error. " + options.string() + (present ? " holds no valid MaxRound" : " is missing") +
             ", but the folder holds round files.",
         session.tr(121, "File") + " " + options.string() + " " +
             (present ? session.tr(405, "holds no valid number of rounds (key MaxRound, as MaxRound=7), but the "
                                        "folder holds round files.")
                      : session.tr(407, "is missing, but the folder holds round files; it names the number of "
                                        "rounds (key MaxRound).")));
}

void LoadInto(Session& session, Tournament& t, const std::filesystem::path& folder) {
    session.AppendToLog("Opening tournament from folder (" + t.TournamentFolder + "). Starting ...");
    auto options = OptionsFilePath(folder);
    t.MaxRound = ReadMaxRound(options);
    RequireMaxRoundWhenRoundsExist(session, folder, t.MaxRound);
    t.CurrentRound = CountExistingRounds(folder, t.MaxRound);
    WarnAboutUnreadRoundFiles(session, folder, t.CurrentRound);
    ReadTournamentChoices(options, t, session.random);
    session.AppendToLog("Reading of options from file (" + options.string() + "): " + std::to_string(t.MaxRound) +
                        " rounds.");
    auto players = PlayersFilePath(folder);
    LoadPlayers(session, t, players);
    LoadForbiddenGroups(session, t, folder);
    SortPlayersByElo(session, t);
    for (int n = 1; n <= t.CurrentRound; ++n) LoadRoundFile(session, t, n, RoundFilePath(folder, n));
    session.AppendToLog("Opening tournament from folder (" + t.TournamentFolder + ") was successfully completed.");
}

}  // namespace

void OpenTournament(Session& session, const std::filesystem::path& folder) {
    auto fresh = std::make_unique<Tournament>();
    ClearTournament(*fresh);
    fresh->TournamentFolder = FolderText(folder);
    std::filesystem::path root(fresh->TournamentFolder);
    fresh->LogFileName = (root / "tournlog.log").string();

    // What a killed run of ours left behind is no file of the tournament.
    RemoveStaleTemporaryFiles(root);
    std::filesystem::path previousLog = session.log.File();
    session.log.SetFile(fresh->LogFileName);
    try {
        LoadInto(session, *fresh, root);
    } catch (const myException& e) {
        // As shown, with the file and line the short line of the failure lacks.
        session.AppendToLog(std::string("Error: ") + e.what());
        session.log.SetFile(previousLog);
        throw;
    } catch (...) {
        session.log.SetFile(previousLog);
        throw;
    }
    session.tournament = std::move(*fresh);
}

std::vector<std::filesystem::path> UnreadRoundFiles(const std::filesystem::path& folder, int currentRound) {
    std::map<long long, std::filesystem::path> unread;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        if (name.size() < 10 || name.rfind("round", 0) != 0 || name.substr(name.size() - 4) != ".txt") continue;
        std::string number = name.substr(5, name.size() - 9);
        if (!IsAllDigits(number) || number.front() == '0' || number.size() > 9) continue;
        long long n = std::stoll(number);
        if (n > currentRound) unread[n] = entry.path();
    }
    std::vector<std::filesystem::path> files;
    for (auto& [n, path] : unread) files.push_back(path);
    return files;
}

}  // namespace veltrun
