#pragma once
// A round file edited by hand may name a player on two lines. The loader
// takes both games, and the player's histories no longer match the rounds;
// such a tournament must not be paired.
#include <filesystem>
#include <optional>
#include <string>

namespace veltrun {

struct Tournament;

struct PlayerListedTwice {
    std::filesystem::path file;  // the round file
    int line = 0;                // 1-based, of the second mention
    std::string alias;
};

// The first player who stands on more than one line of a round file of the
// tournament, in round and line order; nothing when every round is sound.
std::optional<PlayerListedTwice> FindPlayerListedTwice(const Tournament& t);

}  // namespace veltrun
