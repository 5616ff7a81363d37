#include "standings/player_index.h"

#include "store/text_utils.h"

namespace veltrun {

PlayerIndex::PlayerIndex(const Tournament& t) : t_(t) {
    const int n = t.PlayerCount();
    byAlias_.reserve(static_cast<size_t>(n) * 2);
    for (int i = 1; i <= n; ++i) byAlias_.emplace(t.Player(i).ArrivalID, i);  // first one wins
}

int PlayerIndex::Find(std::string_view text) const {
    auto it = byAlias_.find(Trim(text));
    return it == byAlias_.end() ? -1 : it->second;
}

double PlayerIndex::PointsOf(std::string_view text) const {
    int i = Find(text);
    return i < 0 ? 0.0 : t_.Player(i).Points;
}

}  // namespace veltrun
