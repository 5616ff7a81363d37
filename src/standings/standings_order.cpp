#include "standings/standings_order.h"

#include <algorithm>
#include <exception>

#include "standings/tie_breaks.h"
#include "store/errors.h"

namespace veltrun {
namespace {

// True when a ranks strictly above b.
bool RanksAbove(const TPlayer& a, const TPlayer& b) {
    if (a.Points != b.Points) return a.Points > b.Points;
    for (int k = 1; k <= 5; ++k)
        if (a.TBValue(k) != b.TBValue(k)) return a.TBValue(k) > b.TBValue(k);
    return false;
}

}  // namespace

void ResetPlaces(Tournament& t) {
    for (int i = 1; i <= t.PlayerCount(); ++i) t.Player(i).Place = i;
}

std::vector<int> PlayersByPlace(const Tournament& t) {
    const int n = t.PlayerCount();
    // FindPlayerByPlace gives the lowest index holding a place.
    std::vector<int> atPlace(static_cast<size_t>(n) + 1, -1);
    for (int i = n; i >= 1; --i) {
        int place = t.Player(i).Place;
        if (place >= 1 && place <= n) atPlace[place] = i;
    }
    std::vector<int> order;
    order.reserve(n);
    for (int q = 1; q <= n; ++q)
        if (atPlace[q] > 0) order.push_back(atPlace[q]);
    return order;
}

void SortStandings(Tournament& t) {
    std::vector<int> order = PlayersByPlace(t);
    std::stable_sort(order.begin(), order.end(),
                     [&t](int a, int b) { return RanksAbove(t.Player(a), t.Player(b)); });
    for (size_t q = 0; q < order.size(); ++q) t.Player(order[q]).Place = static_cast<int>(q) + 1;
}

void ComputeStandings(Tournament& t, GoalsQuotientRule rule) {
    try {
        ResetPlaces(t);
        ComputeAllTieBreaks(t, rule);
        SortStandings(t);
    } catch (const myException&) {
        throw;
    } catch (const std::exception& e) {
        throw myException(e.what());
    }
}

}  // namespace veltrun
