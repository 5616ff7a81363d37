#pragma once
// The pairing engine's answer: a first line that is not used, then one
// "white black" pair of starting numbers per line, 0 standing for the bye.
// It comes from another program and is checked as untrusted input.
#include <filesystem>
#include <vector>

namespace veltrun {

class Session;

struct EnginePair {
    int white = 0;  // StartNo, 0 for the bye
    int black = 0;
};

// Reads and checks the file against the open tournament: every number inside
// the field, every active player exactly once, no absent player, at most one
// bye. Anything else is refused with a message naming the file and the line.
std::vector<EnginePair> ReadEngineOutput(Session& session, const std::filesystem::path& file);

}  // namespace veltrun
