#pragma once
// The first stage of a pairing: the active players sorted into score groups
// in the order the search takes them, the suspended players listed apart,
// and optionally the bye pseudo-player "0".
#include "pairing/pairing_log.h"
#include "store/settings.h"
#include "store/text_utils.h"
#include "store/tournament.h"

namespace veltrun {

struct ScoreGroupsResult {
    StringList ScoreGroups;   // distinct pairing scores as decimal text, lowest first
    StringList StopPairList;  // "{index}|stop" per suspended player, in table order
};

bool IsActivePlayer(const TPlayer& player);
int ActivePlayerCount(const Tournament& t);
// Points, plus one for the top half of the starting list in accelerated rounds.
double PairingScore(const Tournament& t, const Settings& settings, int index, int round);

ScoreGroupsResult FindScoreGroups(const Tournament& t, const Settings& settings, int round, const PairingLog& log);

// The GroupList: one line "3|7|12|" per score group, lowest score first, so
// the top group is the last line; "0|" in front when withBye and the number
// of active players is odd.
StringList BuildGroupList(const Tournament& t, const Settings& settings, const ScoreGroupsResult& groups, int round,
                          bool withBye, const PairingLog& log);

}  // namespace veltrun
