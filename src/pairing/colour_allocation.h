#pragma once
// Colours for the pairs of a new round, and the board order.
#include <string>

#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun {

// The colour of player i against player j (i the lower table index); j gets
// the other one. Switches ColourFor1stPlayer when neither has played a
// coloured game yet.
std::string AssignColour(Tournament& t, int i, int j);

// Rewrites every two-player line of PairList as "{white}|{black}", in board
// order (from the last line to the first).
void AllocateColours(Tournament& t, StringList& PairList);
// Moves the bye lines to the front, so they are written after every game.
void OrderBoards(StringList& PairList);

}  // namespace veltrun
