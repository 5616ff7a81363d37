#pragma once
// The tournament as a TRF16 file: fixed-column player records with one block
// per round, for rating reports (FIDE or national identifiers) and as the
// pairing engine's input.
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace veltrun {

class Session;
struct Tournament;

// One player's line in one round file.
struct RoundEntry {
    std::string opponent;  // the opponent's alias, "bye" or "stop"
    std::string colour;    // "W", "B", or empty for a bye or a suspension
    std::string code;      // the result code as it stands in the file
};
// Per round (index 0 is round 1): the entries by alias.
using RoundEntries = std::vector<std::map<std::string, RoundEntry>>;

struct Trf16Variant {
    bool forEngine = false;  // the engine's input leaves out records 042 and 052
    bool national = false;   // NationalID in place of FideID
    // For an engine that reads no XXZ and checks every score against the
    // results (bbpPairings): the first player's colour in round 1, absences
    // as "240 Z" records, and the points system when it is not 1-1/2-0.
    bool engineRecords = false;
    bool byeCountsAsLost = false;
};

// Reads round1.txt to round{CurrentRound}.txt of the open tournament.
RoundEntries ReadRoundEntries(const Tournament& t);

// The StartNo of the first player whose ArrivalID is arrivalId (trimmed);
// arrivalId itself when there is none.
std::string StartNoOfArrivalID(const Tournament& t, std::string_view arrivalId);

// The ten characters of one round block; entry null: the player has no line
// in that round.
std::string Trf16RoundBlock(const Tournament& t, const RoundEntry* entry);

// Every line of the file, built from the tournament as it stands (Place included).
std::vector<std::string> BuildTrf16Lines(const Tournament& t, const RoundEntries& rounds, Trf16Variant variant);

// Recomputes the places and writes the file; idKind "national" selects the
// national identifiers, anything else the FIDE ones.
void WriteTrf16To(Session& session, const std::filesystem::path& file, const std::string& idKind, bool forEngine,
                  bool engineRecords = false);

// The report variant: shortFileName is a plain name inside the tournament
// folder (refused otherwise). Returns the written file's path.
std::filesystem::path WriteTrf16File(Session& session, const std::string& shortFileName, const std::string& idKind);

}  // namespace veltrun
