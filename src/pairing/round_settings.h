#pragma once
// The record in options.txt of the settings in force when a round was paired.
#include "pairing/pairing_log.h"

namespace veltrun {

struct Settings;
struct Tournament;

// Writes the section "Round{R}Settings": JaVaFoUsed, SkipColourCondition,
// ForbiddenMatchAgainstTeamMembers, NumberOfPlayers and Player1.. as
// "{ArrivalID}|{OnOff}", then appends one empty line. The keys land exactly
// where writing them one by one would put them, but the file is rewritten
// once, not once per player. The log gets the line naming the file.
void WriteRoundSettings(const Tournament& t, const Settings& settings, int round, const PairingLog& log);

}  // namespace veltrun
