// The standings order: points, then the five tie-break values, all
// descending, ties kept in their previous order.
#include <gtest/gtest.h>

#include <tuple>

#include "standings/standings_order.h"
#include "support/tournament_builder.h"

namespace veltrun {
namespace {

using testing::TournamentBuilder;

struct Keys {
    double points;
    std::vector<double> tb;  // TB1..TB5, missing ones 0
};

class StandingsOrder : public ::testing::Test {
protected:
    TournamentBuilder b;

    int Add(const std::string& alias, Keys keys, int onOff = 1) {
        int i = b.Player(alias, alias, 0, "", onOff);
        b.P(i).Points = keys.points;
        for (size_t k = 0; k < keys.tb.size(); ++k) b.P(i).TBValue(static_cast<int>(k) + 1) = keys.tb[k];
        return i;
    }
    std::vector<std::string> Ranking() {
        std::vector<std::string> aliases;
        for (int i : PlayersByPlace(b.T())) aliases.push_back(b.P(i).ArrivalID);
        return aliases;
    }
};

TEST_F(StandingsOrder, EveryKeyDecidesOnlyWhenTheEarlierOnesAreEqual) {
    Add("equal1", {3, {5, 1, 0, 0, 0}});
    Add("tb5", {3, {5, 1, 0, 0, 1}});
    Add("tb2", {3, {5, 2, 0, 0, 0}});
    Add("points", {4, {0, 0, 0, 0, 0}});
    Add("equal2", {3, {5, 1, 0, 0, 0}});
    Add("tb1", {3, {6, 0, 0, 0, 0}});  // a better TB1 wins over worse later slots
    Add("tb4", {3, {5, 1, 0, 1, 0}});
    Add("tb3", {3, {5, 1, 1, 0, 0}});
    Add("suspended", {3.5, {}}, 0);  // ranked by points like everyone
    ResetPlaces(b.T());
    SortStandings(b.T());
    EXPECT_EQ(Ranking(), (std::vector<std::string>{"points", "suspended", "tb1", "tb2", "tb3", "tb4", "tb5", "equal1",
                                                   "equal2"}));
    std::vector<int> places;
    for (int i = 1; i <= b.T().PlayerCount(); ++i) places.push_back(b.P(i).Place);
    EXPECT_EQ(places, (std::vector<int>{8, 7, 4, 1, 9, 3, 6, 5, 2}));
}

TEST_F(StandingsOrder, TiesKeepTheirPreviousPlacesNotTheTableOrder) {
    for (auto [alias, points, place] : {std::tuple{"x", 1, 3}, {"y", 1, 2}, {"z", 2, 1}})
        b.P(Add(alias, {static_cast<double>(points), {}})).Place = place;
    SortStandings(b.T());
    EXPECT_EQ(Ranking(), (std::vector<std::string>{"z", "y", "x"}));
}

TEST_F(StandingsOrder, NegativeGoalsAgainstRankFewerReceivedFirst) {
    b.TieBreaks({"-G2"});
    for (auto [alias, against] : {std::pair{"many", -7.0}, {"few", -2.0}, {"none", -0.0}}) Add(alias, {3, {against}});
    ResetPlaces(b.T());
    SortStandings(b.T());
    EXPECT_EQ(Ranking(), (std::vector<std::string>{"none", "few", "many"}));
}

}  // namespace
}  // namespace veltrun
