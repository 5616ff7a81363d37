#pragma once
// The standings report: players in standings order with points and the
// configured tie-breaks; the variant with cards adds one card per player.
// Both read Place and the TB values, so ComputeStandings runs first.
#include <filesystem>
#include <string>
#include <vector>

namespace veltrun {

class Session;
struct ResultChars;
struct Tournament;
struct Translation;

// Slots k (1..5) whose code is not "-", in order.
std::vector<int> ShownTieBreakSlots(const Tournament& t);

std::vector<std::string> StandingsBody(const Tournament& t, const Translation& tr, const ResultChars& chars,
                                       bool withCards);
// WriteStandingsReport: writes the report (without opening it), returns its path.
std::filesystem::path WriteStandingsReport(Session& session, bool withCards);

// The standings as tab-separated lines: place, ArrivalID, Name, ELO, Points,
// one column per shown tie-break, and with `withPerformance` the five numbers
// of the card's rating statistic (empty when there is none).
std::vector<std::string> StandingsTsv(const Tournament& t, bool withPerformance);

}  // namespace veltrun
