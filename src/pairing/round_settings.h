#pragma once
// The record in options.txt of the settings in force when a round was paired.
namespace veltrun {

class Session;

// Writes the section "Round{R}Settings": JaVaFoUsed, SkipColourCondition,
// ForbiddenMatchAgainstTeamMembers, NumberOfPlayers and Player1.. as
// "{ArrivalID}|{OnOff}", then appends one empty line. The keys land exactly
// where writing them one by one would put them, but the file is rewritten
// once, not once per player.
void WriteRoundSettings(Session& session, int round);

}  // namespace veltrun
