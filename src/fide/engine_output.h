#pragma once
// The pairing engine's answer: a first line that is not used, then one
// "white black" pair of starting numbers per line, 0 standing for the bye.
// It comes from another program and is checked as untrusted input.
#include <filesystem>
#include <string>
#include <vector>

#include "store/errors.h"

namespace veltrun {

class Session;
struct Tournament;
struct Translation;

struct EnginePair {
    int white = 0;  // StartNo, 0 for the bye
    int black = 0;
};

// A refused answer: the translated message, and the English line for the log.
class EngineOutputRefused : public myException {
public:
    EngineOutputRefused(const std::string& logText, const std::string& shownText)
        : myException(shownText), logText_(logText) {}
    const std::string& LogText() const { return logText_; }

private:
    std::string logText_;
};

// Reads and checks the file against the tournament: every number inside the
// field, every active player exactly once, no absent player, at most one bye.
// Anything else is refused (EngineOutputRefused) with a message naming the
// file and the line.
std::vector<EnginePair> CheckEngineOutput(const Tournament& t, const Translation& tr, const std::filesystem::path& file);
// CheckEngineOutput against the open tournament; a refusal reaches the log
// before it is thrown.
std::vector<EnginePair> ReadEngineOutput(Session& session, const std::filesystem::path& file);

}  // namespace veltrun
