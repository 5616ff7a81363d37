#pragma once
// The round report: the games of one round file, board by board, with the
// players' points before the round and the results entered so far.
#include <filesystem>
#include <string>
#include <vector>

namespace veltrun {

class Session;
struct ResultChars;
struct Tournament;
struct Translation;

// The lines between page head and foot for round r, from the lines of its file.
std::vector<std::string> RoundReportBody(const Tournament& t, const Translation& tr, const ResultChars& chars, int round,
                                         const std::vector<std::string>& roundLines);
// WriteRoundReport: writes the report of round r (without opening it) and
// returns its path.
std::filesystem::path WriteRoundReport(Session& session, int round);

}  // namespace veltrun
