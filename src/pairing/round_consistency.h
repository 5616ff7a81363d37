#pragma once
// A round file edited by hand may name a player on two lines. The loader
// takes both games, and the player's histories no longer match the rounds;
// such a tournament must not be paired.
namespace veltrun {

class Session;

// Fails with a message naming the file, the line and the alias when a player
// stands on more than one line of a round file of the open tournament.
void RefusePlayersListedTwice(Session& session);

}  // namespace veltrun
