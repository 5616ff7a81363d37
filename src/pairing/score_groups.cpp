#include "pairing/score_groups.h"

#include <charconv>
#include <string>

namespace veltrun {

namespace {

bool AccelerationApplies(const Settings& settings, int round) { return settings.IsAcceleratedPairings && round <= 2; }

// The score texts are our own shortest decimal texts, so reading them back
// gives exactly the number that was written.
double ScoreValue(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

bool IsActivePlayer(const TPlayer& player) { return player.OnOff == 1; }

int ActivePlayerCount(const Tournament& t) {
    int count = 0;
    for (int i = 1; i <= t.PlayerCount(); ++i)
        if (IsActivePlayer(t.Player(i))) ++count;
    return count;
}

double PairingScore(const Tournament& t, const Settings& settings, int index, int round) {
    double score = t.Player(index).Points;
    // Suspended players count for the half, as they stand in the starting list.
    if (AccelerationApplies(settings, round) && index <= t.PlayerCount() / 2) score += 1.0;
    return score;
}

ScoreGroupsResult FindScoreGroups(const Tournament& t, const Settings& settings, int round, const PairingLog& log) {
    ScoreGroupsResult result;
    if (AccelerationApplies(settings, round))
        log.Write(
            "Accelerated pairings is on (IsAcceleratedPairings=True in ini file). Players who started in the top half "
            "have one point added (for pairing purposes only).");
    for (int i = 1; i <= t.PlayerCount(); ++i) {
        const TPlayer& player = t.Player(i);
        if (IsActivePlayer(player)) {
            std::string score = DecimalText(PairingScore(t, settings, i, round));
            if (!ListContains(score, result.ScoreGroups)) result.ScoreGroups.push_back(score);
        } else {
            result.StopPairList.push_back(std::to_string(i) + "|stop");
            log.Write("Player (" + player.ArrivalID + ") is suspended.");
        }
    }
    SortNumericAscending(result.ScoreGroups);
    for (const std::string& score : result.ScoreGroups) log.Write("Found ScoreGroup " + score);
    return result;
}

StringList BuildGroupList(const Tournament& t, const Settings& settings, const ScoreGroupsResult& groups, int round,
                          bool withBye, const PairingLog& log) {
    StringList list;
    std::size_t offset = 0;
    if (withBye && ActivePlayerCount(t) % 2 == 1) {
        list.push_back("0|");
        offset = 1;
        log.Write("Fix for odd number of players - 0 (bye) was added in the main scoregroup.");
    }
    list.resize(offset + groups.ScoreGroups.size());
    for (std::size_t k = 0; k < groups.ScoreGroups.size(); ++k) {
        const std::string& score = groups.ScoreGroups[k];
        double value = ScoreValue(score);
        std::string text = "ScoreGroup " + score + ":";
        for (int i = 1; i <= t.PlayerCount(); ++i) {
            if (!IsActivePlayer(t.Player(i)) || PairingScore(t, settings, i, round) != value) continue;
            list[k + offset] += std::to_string(i) + "|";
            text += " (" + std::to_string(i) + " - " + t.Player(i).ArrivalID + ")";
        }
        log.Write(text);
    }
    return list;
}

}  // namespace veltrun
