#include "store/open_tournament.h"

#include <algorithm>
#include <map>
#include <memory>

#include "store/forbidden_file.h"
#include "store/options_file.h"
#include "store/players_file.h"
#include "store/round_file.h"
#include "store/session.h"
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
        session.AppendToLog("Warning: file " + file.string() +
                            " is not read (round files are read from round1.txt on, without a gap, up to MaxRound).");
        ShowWarning(session, session.tr(121, "File") + " " + file.string() + " " +
                                 session.tr(201, "is not read: round files are read from round1.txt on, without a gap, "
                                                 "up to the number of rounds."));
    }
}

void LoadInto(Session& session, Tournament& t, const std::filesystem::path& folder) {
    session.AppendToLog("Opening tournament from folder (" + t.TournamentFolder + "). Starting ...");
    auto options = OptionsFilePath(folder);
    session.AppendToLog("Reading of options from file (" + options.string() + ").");
    t.MaxRound = ReadMaxRound(options);
    t.CurrentRound = CountExistingRounds(folder, t.MaxRound);
    WarnAboutUnreadRoundFiles(session, folder, t.CurrentRound);
    ReadTournamentChoices(options, t, session.random);
    auto players = PlayersFilePath(folder);
    LoadPlayers(session, t, players);
    // Checked before the rating sort may rewrite players.txt, so a bad group leaves every file as it was.
    LoadForbiddenGroups(session, t, folder);
    SortPlayersByElo(session, t, players);
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

    std::filesystem::path previousLog = session.log.File();
    session.log.SetFile(fresh->LogFileName);
    try {
        LoadInto(session, *fresh, root);
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
