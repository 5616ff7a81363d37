#include "fide/engine_bridge.h"

#include <system_error>

#include "fide/process_runner.h"
#include "fide/trf16_writer.h"
#include "store/errors.h"
#include "store/open_tournament.h"
#include "store/round_file.h"
#include "store/session.h"
#include "store/settings.h"
#include "store/text_file.h"
#include "store/text_utils.h"
#include "store/tournament_file_names.h"

namespace veltrun {

namespace {

constexpr int MaxLoggedErrorLines = 40;

// The engine as the settings name it: the words to run, and what it needs.
struct Engine {
    std::vector<std::string> words;
    std::string name;  // for the log: "JaVaFo", or the program's file name
    bool java = false;
    bool needsJar = false;
    bool bbpPairings = false;  // wants the extra records of its own TRF reading
};

Engine EngineOfSettings(const Session& session) {
    Engine engine;
    engine.words = EngineCommandWords(session.settings.EngineCommand);
    if (engine.words.empty()) engine.words = EngineCommandWords(DefaultEngineCommand);
    std::string& program = engine.words.front();
    const std::string file = ToLowerAscii(std::filesystem::path(program).filename().string());
    engine.java = file == "java" || file == "java.exe";
    engine.bbpPairings = file.rfind("bbppairings", 0) == 0;
    engine.name = engine.java ? "JaVaFo" : std::filesystem::path(program).filename().string();
    for (const std::string& word : engine.words) engine.needsJar = engine.needsJar || word.find("{jar}") != std::string::npos;
    // A bare program name found in the program folder is taken from there, like the jar.
    const std::filesystem::path local = session.ProgramFolder / program;
    if (program.find('/') == std::string::npos && std::filesystem::is_regular_file(local)) program = local.string();
    return engine;
}

std::string NoOutputMessage(Session& session, const std::string& outputName, const Engine& engine) {
    // clang-format off
    return session.tr(180, "File creation failed") + " (" + outputName + "). " +
           (engine.java ? session.tr(181, "This may mean, that Java is not installed. Install Java, or disable full Fide compatibility mode (JaVaFoIsUsed=False) in the INI file.")
                        : session.tr(540, "This may mean, that the pairing engine is not installed. Put it in the program folder or on the search path, or correct the setting [JaVaFo] Command in the INI file.")) + " " +
           session.tr(193, "The reason for not creating a file can also be the exhaustion of all permissible combinations (few players and many rounds -  next round cannot be assembled).");
    // clang-format on
}

// A side of the new round as the round file writer takes it: the table index
// of the player with that starting number, or "bye".
std::string SideOfStartNo(const Tournament& t, int startNo) {
    if (startNo == 0) return "bye";
    for (int i = 1; i <= t.PlayerCount(); ++i)
        if (t.Player(i).StartNo == startNo) return std::to_string(i);
    throw myException("No player has the starting number " + std::to_string(startNo) + ".");
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(CleanLine(text.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

// What the engine wrote to stderr goes into the log, so a failure can be traced.
void LogErrorOutput(Session& session, const std::string& errorOutput, const std::string& name) {
    int count = 0;
    for (const std::string& line : SplitLines(errorOutput)) {
        if (Trim(line).empty()) continue;
        if (++count > MaxLoggedErrorLines) {
            session.AppendToLog(name + ": ...");
            break;
        }
        session.AppendToLog(name + ": " + line);
    }
}

// The engine's own last word on stderr (Java's "Invalid or corrupt jarfile",
// a stack trace's last line), shortened and without control characters; empty
// when it said nothing.
std::string LastErrorLine(const std::string& errorOutput) {
    constexpr std::size_t MaxShown = 300;
    std::string last;
    for (const std::string& line : SplitLines(errorOutput))
        if (!Trim(line).empty()) last = Trim(line);
    std::string shown;
    for (char c : last)
        if (static_cast<unsigned char>(c) >= 32 && c != 127) shown += c;
    if (shown.size() > MaxShown) {
        std::size_t cut = MaxShown;
        while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) --cut;  // whole characters only
        shown = shown.substr(0, cut) + " ...";
    }
    return shown;
}

// A failure message with what the engine said, when it said anything.
std::string WithEngineWords(Session& session, const std::string& message, const std::string& errorOutput) {
    const std::string said = LastErrorLine(errorOutput);
    if (said.empty()) return message;
    return message + " " + session.tr(460, "The pairing engine said:") + " \"" + said + "\"";
}

struct EngineFiles {
    std::filesystem::path jar, input, output, round;
};

EngineFiles CheckedFiles(Session& session, const Engine& engine) {
    const Settings& s = session.settings;
    EngineFiles files;
    files.input = TournamentFileFromSetting(session, s.ShortFileNameJAVAFOin, "[JaVaFo] ShortFileNameJAVAFOin");
    files.output = TournamentFileFromSetting(session, s.ShortFileNameJAVAFOout, "[JaVaFo] ShortFileNameJAVAFOout");
    if (ToLowerAscii(s.ShortFileNameJAVAFOin) == ToLowerAscii(s.ShortFileNameJAVAFOout))
        Fail(session, "Fatal error. The engine's input and output files have the same name.",
             session.tr(293, "The input and output files of the pairing engine must have different names."));
    files.jar = session.ProgramFolder / "javafo.jar";
    if (engine.needsJar && !std::filesystem::is_regular_file(files.jar))
        Fail(session, "Run of JaVaFo failed. File not exist (" + files.jar.string() + ").",
             session.tr(91, "File not exist") + " (" + files.jar.string() + ").");
    int round = session.tournament.CurrentRound + 1;
    files.round = RoundFilePath(session.tournament.TournamentFolder, round);
    // Never overwrite a round that holds results; the pairing command checks this too.
    if (std::filesystem::exists(files.round)) {
        std::string text = "\"" + files.round.string() + "\" ";
        Fail(session, "File " + text + "already exists. Something is wrong.",
             session.tr(121, "File") + " " + text + session.tr(122, "already exists. Something is wrong."));
    }
    return files;
}

// An answer with no pair in it: blank, or nothing at all.
bool IsBlankFile(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::file_size(file, error) > 4096 || error) return false;
    for (const std::string& line : ReadTextLines(file))
        if (!Trim(line).empty()) return false;
    return true;
}

void RunEngine(Session& session, const Engine& engine, const EngineFiles& files) {
    ProcessRequest request;
    request.arguments = EngineArguments(engine.words, files.jar, files.input, files.output);
    const std::string& name = engine.name;
    int seconds = session.settings.EngineTimeoutSeconds > 0 ? session.settings.EngineTimeoutSeconds : 300;
    request.timeout = std::chrono::seconds(seconds);
    request.idle = [&session] { return session.ui.Idle(); };

    ProcessResult result;
    {
        BusyCursor busy(session.ui);
        try {
            result = RunAndWait(request);
        } catch (const ProcessStartError& e) {
            Fail(session, "Run of " + name + " failed. Cannot start " + e.what(),
                 session.tr(303, "The program could not be started:") + " " + e.what() + ". " +
                     NoOutputMessage(session, files.output.filename().string(), engine));
        }
    }
    LogErrorOutput(session, result.errorOutput, name);
    if (result.end == ProcessEnd::Cancelled)
        Fail(session, "Run of " + name + " was cancelled.", session.tr(304, "The pairing engine was cancelled."));
    if (result.end == ProcessEnd::TimedOut)
        Fail(session, "Run of " + name + " was stopped after " + std::to_string(seconds) + " seconds.",
             session.tr(305, "The pairing engine was stopped after") + " " + std::to_string(seconds) + " " +
                 session.tr(306, "seconds."));
    session.AppendToLog(name + " ended with exit code " + std::to_string(result.exitCode) +
                        (result.end == ProcessEnd::Signalled ? " (signal)." : "."));
    const std::string outputName = files.output.filename().string();
    // When the engine said why, that is the reason, not a guess about Java.
    if (!std::filesystem::exists(files.output))
        Fail(session, "Run of " + name + " failed.",
             LastErrorLine(result.errorOutput).empty()
                 ? NoOutputMessage(session, outputName, engine)
                 : WithEngineWords(session, session.tr(180, "File creation failed") + " (" + outputName + ").",
                                   result.errorOutput));
    // bbpPairings' way of saying that no pairing exists.
    if (result.end == ProcessEnd::Exited && result.exitCode == 1 && IsBlankFile(files.output))
        Fail(session, "Run of " + name + " failed: no pairing exists.",
             WithEngineWords(session,
                             // clang-format off
                             session.tr(541, "The pairing engine found no pairing for the next round: with these players, rounds and forbidden pairs none is allowed."),
                             // clang-format on
                             result.errorOutput));
    if (result.end == ProcessEnd::Signalled || result.exitCode != 0)
        Fail(session, "Run of " + name + " failed.",
             WithEngineWords(session,
                             session.tr(307, "The pairing engine ended with exit code") + " " +
                                 std::to_string(result.exitCode) + ".",
                             result.errorOutput));
}

}  // namespace

std::vector<std::string> EngineArguments(const std::vector<std::string>& words, const std::filesystem::path& jar,
                                         const std::filesystem::path& input, const std::filesystem::path& output) {
    std::vector<std::string> arguments;
    for (const std::string& word : words) {
        // One pass over the word: a path that itself holds "{in}" stays as it is.
        std::string filled;
        for (std::size_t at = 0; at < word.size();) {
            const std::size_t open = word.find('{', at);
            const std::size_t close = open == std::string::npos ? open : word.find('}', open);
            if (close == std::string::npos) {
                filled += word.substr(at);
                break;
            }
            const std::string name = word.substr(open, close - open + 1);
            filled += word.substr(at, open - at);
            filled += name == "{jar}" ? jar.string() : name == "{in}" ? input.string() : name == "{out}" ? output.string() : name;
            at = close + 1;
        }
        arguments.push_back(filled);
    }
    return arguments;
}

std::vector<RoundPair> EngineRoundPairs(const Tournament& t, const std::vector<EnginePair>& pairs) {
    std::vector<RoundPair> sides;
    for (int i = 1; i <= t.PlayerCount(); ++i)
        if (t.Player(i).OnOff == 0) sides.push_back({std::to_string(i), "stop"});
    for (const EnginePair& pair : pairs) sides.push_back({SideOfStartNo(t, pair.white), SideOfStartNo(t, pair.black)});
    return sides;
}

std::vector<RoundPair> PairRoundWithEngine(Session& session) {
    const Engine engine = EngineOfSettings(session);
    EngineFiles files = CheckedFiles(session, engine);
    std::error_code ignored;
    std::filesystem::remove(files.input, ignored);
    // A file found after the run must have been written by this run.
    std::filesystem::remove(files.output, ignored);
    WriteTrf16To(session, files.input, "fide", true, engine.bbpPairings);

    session.AppendToLog("Pairing by " + (engine.java ? std::string("JaVaFo.jar") : engine.name) + " is starting ...");
    RunEngine(session, engine, files);

    std::vector<EnginePair> pairs = ReadEngineOutput(session, files.output);
    std::string roundName = files.round.filename().string();
    session.AppendToLog("Conversion " + engine.name + " output file (" + files.output.filename().string() + ") to round file (" +
                        roundName + ").");
    Tournament& t = session.tournament;
    std::vector<RoundPair> sides = EngineRoundPairs(t, pairs);
    WriteNewRoundFile(session, t, t.CurrentRound + 1, sides);
    OpenTournament(session, std::filesystem::path(t.TournamentFolder));
    session.AppendToLog("Pairing by " + (engine.java ? std::string("JaVaFo.jar") : engine.name) + " is completed.");
    return sides;
}

}  // namespace veltrun
