#include "app/demo_tournament.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <random>
#include <string>

#include "app/command_open.h"
#include "app/command_pairing.h"
#include "app/demo_names.h"
#include "app/show_errors.h"
#include "standings/rating_performance.h"
#include "store/new_tournament.h"
#include "store/result_entry.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {
namespace {

// The demo runs unattended: it says yes to its own questions (closing the
// starting list before round 1), keeps the per-round "Pairing is completed."
// notes to itself and passes warnings, errors and everything else on.
class UnattendedUi : public Ui {
public:
    explicit UnattendedUi(Ui& inner) : inner_(inner) {}
    Button ShowMessage(const MessageRequest& request) override {
        if (request.offer) return Button::No;  // every report is written at the end
        for (Button b : request.buttons)
            if (b == Button::Yes) return Button::Yes;
        if (request.kind == MessageKind::Information) return request.default_button;
        return inner_.ShowMessage(request);
    }
    std::optional<int> Choose(const ChooserRequest& request) override { return inner_.Choose(request); }
    std::optional<std::filesystem::path> ChooseFile(const FileRequest& request) override {
        return inner_.ChooseFile(request);
    }
    void SetBusy(bool busy) override { inner_.SetBusy(busy); }
    bool Progress(long long done, long long total, const std::string& text) override {
        return inner_.Progress(done, total, text);
    }
    void OpenReport(const std::filesystem::path& file, const std::string& browser) override {
        inner_.OpenReport(file, browser);
    }
    bool Idle() override { return inner_.Idle(); }
    void Print(const std::string& text) override { inner_.Print(text); }

private:
    Ui& inner_;
};

std::string TimeStamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// "DemoYYYYMMDD-HHMMSS", with "-2", "-3" ... when that folder exists already.
std::string FreeFolderName(const Session& session) {
    const std::string base = "Demo" + TimeStamp();
    std::string name = base;
    for (int n = 2; std::filesystem::exists(session.TournFolder() / name); ++n)
        name = std::string(base).append("-").append(std::to_string(n));
    return name;
}

void CreateDemoTournament(Session& session, const std::string& folderName, int rounds) {
    // As the dialog opens: random colour, "1- 0.5 -0", chess, default tie-breaks.
    NewTournamentFields fields = DefaultNewTournamentFields(session);
    fields.FolderName = folderName;
    fields.MaxRound = std::to_string(rounds);
    CreateTournament(session, fields);
}

// Ratings around 1900, a few players unrated.
int DemoRating(std::mt19937& random) {
    if (std::uniform_int_distribution<int>(1, 20)(random) == 1) return 0;
    std::normal_distribution<double> rating(1900, 250);
    return std::clamp(static_cast<int>(rating(random)), 1000, 2800);
}

void WriteDemoPlayers(const Session& session, const DemoOptions& options, std::mt19937& random) {
    const std::vector<std::string> names = DemoPlayerNames(options.players, random);
    const std::vector<std::string> teams = DemoTeamNames(options.teams);
    std::vector<std::string> lines{"#on/off|ArrivalID|Name|ELO|FideID|NationalID|TeamID"};
    for (int i = 0; i < options.players; ++i) {
        const std::string team = teams.empty() ? "" : teams[static_cast<size_t>(i) % teams.size()];
        lines.push_back("1|D" + std::to_string(i + 1) + "|" + names[static_cast<size_t>(i)] + "|" +
                        std::to_string(DemoRating(random)) + "|||" + team);
    }
    WriteTextLines(std::filesystem::path(session.tournament.TournamentFolder) / "players.txt", lines);
}

// White's result: the stronger side wins more often; about a third of the
// games between equals are drawn. Unrated players count as 1500.
std::string DemoResultCode(const Tournament& t, const std::string& gameId, std::mt19937& random) {
    auto rating = [&t](const std::string& alias) {
        const int i = FindPlayerByArrivalID(t, alias);
        return i > 0 && t.Player(i).ELO > 0 ? t.Player(i).ELO : 1500;
    };
    const double expected = ExpectedPercentage(rating(GetField(gameId, '-', 1)) - rating(GetField(gameId, '-', 2))) / 100;
    const double draw = 0.35 * (1 - std::abs(2 * expected - 1));
    const double roll = std::uniform_real_distribution<double>(0, 1)(random);
    if (roll < expected - draw / 2) return "1-0";
    if (roll < expected + draw / 2) return "0.5-0.5";
    return "0-1";
}

void PlayRound(Session& session, std::mt19937& random) {
    const Tournament& t = session.tournament;
    const GameList games = GamesToEnter(session, t);
    for (const ResultGameItem& game : FillGameList(t, games)) {
        ResultFields fields;
        fields.GameId = game.GameId;
        fields.Round = game.Round;
        fields.ResultCode = DemoResultCode(t, game.GameId, random);
        SaveResult(session, fields);
    }
}

void Collect(DemoResult& result, const ReportsWritten& written) {
    result.reports.insert(result.reports.end(), written.files.begin(), written.files.end());
    result.done = result.done && written.done;
}

void WriteEveryReport(Session& session, const DemoOptions& options, DemoResult& result) {
    Collect(result, StartListCommand(session, options.open));
    for (int r = 1; r <= session.tournament.CurrentRound; ++r) Collect(result, RoundReportOfRound(session, r, options.open));
    Collect(result, StandingsCommand(session, false, options.open));
    Collect(result, StandingsAndCardsCommand(session, options.open));
    if (options.teams > 0 && !session.settings.TeamReport_IsUsed) Collect(result, TeamReportCommand(session, options.open));
}

// Pairs and plays round after round; false when a round could not be paired or played.
bool PlayEveryRound(Session& session, const DemoOptions& options, std::mt19937& random) {
    ProgressDisplay progress(session.ui);
    for (int r = 1; r <= options.rounds; ++r) {
        const std::string round = session.tr(3, "Round") + " " + std::to_string(r) + "/" + std::to_string(options.rounds);
        if (!BTN_PAIRINGClick(session).pairing) return false;
        progress.Report(r - 1, options.rounds, round + " " + session.tr(262, "paired") + " ...");
        if (!CatchAndShowError(session, [&] { PlayRound(session, random); })) return false;
        progress.Report(r, options.rounds, round + " " + session.tr(264, "played") + "    ");
    }
    return true;
}

}  // namespace

DemoResult RunDemo(Session& outer, const DemoOptions& options) {
    UnattendedUi ui(outer.ui);
    Session session(ui, outer.ProgramFolder);
    session.settings = outer.settings;
    session.translation = outer.translation;
    session.log.SetEnabled(outer.settings.IsWriteAllowedToLogFile);

    DemoResult result;
    std::mt19937 random(options.seed);
    session.random.seed(options.seed);
    const bool created = CatchAndShowError(session, [&] {
        CreateDemoTournament(session, FreeFolderName(session), options.rounds);
        result.folder = session.tournament.TournamentFolder;
        WriteDemoPlayers(session, options, random);
    });
    if (!created || !OpenTournamentCommand(session, result.folder)) return result;

    result.done = PlayEveryRound(session, options, random);
    if (session.tournament.CurrentRound > 0) WriteEveryReport(session, options, result);
    session.log.Flush();
    return result;
}

}  // namespace veltrun
