#include <unistd.h>

#include <iostream>
#include <sstream>

#include "app/language_file.h"
#include "app/startup.h"
#include "cli/commands.h"
#include "cli/terminal_text.h"
#include "cli/terminal_ui.h"
#include "store/error_text.h"
#include "store/errors.h"
#include "store/translation.h"
#include "store/session.h"
#include "store/text_utils.h"
#include "store/tournament_lock.h"

namespace veltrun::cli {

namespace {

std::string TournamentFolderPath(const Session& session, const std::string& text);

void PrintUsage(std::ostream& out) {
    out << "Usage: veltrun [--home DIR] [--yes|--no] [--lang NAME] COMMAND [ARGS]\n"
           "       veltrun            (no command: the desktop program)\n\n"
           "Global options:\n"
           "  --home DIR   program folder (settings, Tourn/, Elo/, Language/)\n"
           "  --yes, --no  answer every question of the command\n"
           "  --lang NAME  language file for this run (\"English\" for the built-in texts)\n"
           "  --version    print the version\n\n"
           "Commands:\n";
    for (const auto& c : CommandTable()) {
        std::string usage = c.usage;
        out << "  " << PadRight(usage, " ", 44) << " " << c.summary << "\n";
    }
    out << "\n'veltrun COMMAND --help' describes one command.\n"
           "Exit codes: 0 done, 1 refused or failed, 2 usage error.\n";
}

void PrintCommandHelp(const Command& c, std::ostream& out) {
    out << "Usage: veltrun " << c.usage << "\n" << c.summary << "\n";
    if (!c.options.empty()) out << "Options:\n";
    for (const auto& o : c.options)
        out << "  " << PadRight(o.name + (o.takesValue ? " VALUE" : ""), " ", 22) << " " << o.help << "\n";
}

const Command* FindCommand(const std::string& name) {
    for (const auto& c : CommandTable())
        if (c.name == name) return &c;
    return nullptr;
}

// Flushes the log however the command ends: done, refused, failed or a usage error.
class LogFlush {
public:
    explicit LogFlush(Session& session) : session_(session) {}
    ~LogFlush() { session_.log.Flush(); }
    LogFlush(const LogFlush&) = delete;
    LogFlush& operator=(const LogFlush&) = delete;

private:
    Session& session_;
};

void ApplyLanguageOption(Session& session, const std::string& lang) {
    if (lang.empty()) return;
    if (lang == "English" || lang == "English (built-in)") {
        session.translation.EnglishBuiltIn = true;
        return;
    }
    auto file = session.LanguageFolder() / lang;
    if (!std::filesystem::exists(file) && std::filesystem::exists(session.LanguageFolder() / (lang + ".txt")))
        file = session.LanguageFolder() / (lang + ".txt");
    if (!std::filesystem::exists(file)) throw UsageError("No language file \"" + lang + "\" in " + session.LanguageFolder().string() + ".");
    LoadLanguageFile(session, file);
}

int RunCommand(const Command& command, const GlobalOptions& global, std::ostream& out, std::ostream& err) {
    CommandArgs args(global.rest, command.options);
    if (args.HelpRequested()) {
        PrintCommandHelp(command, out);
        return 0;
    }
    int count = static_cast<int>(args.Positional().size());
    if (count < command.minPositional) throw UsageError("Missing argument. Usage: veltrun " + command.usage);
    if (count > command.maxPositional) throw UsageError("Too many arguments. Usage: veltrun " + command.usage);

    auto folder = ResolveProgramFolder(global.home, CurrentExecutablePath());
    InstallDefaults(folder, CurrentExecutablePath());
    TerminalUi ui(out, err, global.answer, isatty(STDIN_FILENO) && isatty(STDERR_FILENO));
    Session session(ui, folder);
    TournamentLock lock;      // released only after
    LogFlush flush(session);  // the log is written
    try {
        StartSession(session);
        ApplyLanguageOption(session, global.lang);
        ui.SetUnansweredText(session.tr(480, "Nothing was changed: answer with --yes or --no."));
        if (command.takes == TakesTournament::Yes && !args.Positional().empty() &&
            !lock.TryLock(TournamentFolderPath(session, args.Positional().front()))) {
            ShowMessageDialog(session, session.tr(380, "The tournament is in use by another Veltrun process."),
                              MessageKind::Error, {Button::Ok}, Button::Ok);
            return 1;
        }
        CliContext context{session, ui, out};
        return command.run(context, args);
    } catch (const UsageError&) {
        throw;
    } catch (const std::exception& e) {
        // myException carries its translated text; ErrorText says the rest.
        err << "Error: " << ErrorText(session, e) << "\n";
        return 1;
    }
}

}  // namespace

const std::vector<Command>& CommandTable() {
    static const std::vector<Command> table = [] {
        std::vector<Command> t;
        RegisterFoundationCommands(t);
        RegisterTournamentCommands(t);
        RegisterForbiddenCommands(t);
        RegisterPairingCommands(t);
        RegisterReportCommands(t);
        RegisterFideCommands(t);
        RegisterRatingCommands(t);
        return t;
    }();
    return table;
}

namespace {

// The folder a tournament argument names, whether or not it exists.
std::string TournamentFolderPath(const Session& session, const std::string& text) {
    namespace fs = std::filesystem;
    fs::path given(text);
    bool looksLikePath = text.find('/') != std::string::npos || text == "." || text == "..";
    fs::path candidate = looksLikePath ? given : session.TournFolder() / given;
    if (!looksLikePath && !fs::is_directory(candidate) && fs::is_directory(given)) candidate = given;
    std::error_code ec;
    fs::path absolute = fs::absolute(candidate, ec);
    if (ec) absolute = candidate;
    std::string result = absolute.lexically_normal().string();
    while (result.size() > 1 && result.back() == '/') result.pop_back();
    return result;
}

}  // namespace

std::string ResolveTournamentFolder(const Session& session, const std::string& text) {
    namespace fs = std::filesystem;
    std::string result = TournamentFolderPath(session, text);
    std::error_code ec;
    // Said here, where the name is known, rather than as a missing players.txt.
    if (!fs::exists(result, ec)) {
        throw myException(session.tr(481, "There is no tournament of this name in the folder") + " " +
                          session.TournFolder().string() + ": \"" + text + "\".");
    }
    if (!fs::is_directory(result, ec))
        throw myException("\"" + result + "\" " + session.tr(482, "is not a tournament folder."));
    return result;
}

int RunCli(const std::vector<std::string>& argv, std::ostream& rawOut, std::ostream& rawErr) {
    // Everything printed passes the filter: names, rating-list lines and
    // messages may hold control characters.
    TerminalSafeStream out(rawOut), err(rawErr);
    try {
        GlobalOptions global = ParseGlobalOptions(argv);
        if (global.version) {
            out << "veltrun " << VELTRUN_VERSION << "\n";
            return 0;
        }
        if (global.command.empty()) {
            PrintUsage(global.help ? out : err);
            return global.help ? 0 : 2;
        }
        const Command* command = FindCommand(global.command);
        if (!command) throw UsageError("Unknown command \"" + global.command + "\". See 'veltrun --help'.");
        if (global.help) {
            PrintCommandHelp(*command, out);
            return 0;
        }
        return RunCommand(*command, global, out, err);
    } catch (const UsageError& e) {
        err << "Usage error: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        // Before a session exists (the program folder itself failed): English.
        err << "Error: " << ErrorText(Translation{}, e) << "\n";
        return 1;
    }
}

}  // namespace veltrun::cli
