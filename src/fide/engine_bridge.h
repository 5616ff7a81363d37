#pragma once
// Pairs the next round with the external engine: writes the engine's TRF16
// input, runs the command of the setting [JaVaFo] Command (by default
// "java -ea -jar <ProgramFolder>/javafo.jar <in> -p <out>"), checks its
// answer, writes round{R}.txt and opens the tournament again.
#include <filesystem>
#include <string>
#include <vector>

#include "fide/engine_output.h"
#include "store/round_file.h"

namespace veltrun {

class Session;
struct Tournament;

// The argument vector the engine is started with: the words of the command
// setting with {jar}, {in} and {out} filled in.
std::vector<std::string> EngineArguments(const std::vector<std::string>& words, const std::filesystem::path& jar,
                                         const std::filesystem::path& input, const std::filesystem::path& output);

// The sides of the new round for the engine's pairs: suspended players first,
// then the pairs in the engine's order.
std::vector<RoundPair> EngineRoundPairs(const Tournament& t, const std::vector<EnginePair>& pairs);

// Pairs round CurrentRound + 1. Returns the sides as written (table indexes,
// "bye", "stop") after the round file is written and the tournament
// reloaded; any failure raises myException, logged, with no round file left.
std::vector<RoundPair> PairRoundWithEngine(Session& session);

}  // namespace veltrun
