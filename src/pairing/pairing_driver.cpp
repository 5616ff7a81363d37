#include "pairing/pairing_driver.h"

#include "pairing/colour_allocation.h"
#include "pairing/pairing_search.h"
#include "pairing/score_groups.h"

namespace veltrun {

namespace {

std::string RoundTag(int round) {
    std::string tag = "[";
    tag += std::to_string(round);
    tag += ']';
    return tag;
}

// The search in the four ways; true when one of them paired every player.
bool RunWays(const Tournament& t, const Settings& settings, int round, const ScoreGroupsResult& groups,
             const PairingLog& log, StringList& PairList) {
    const bool skip = settings.GoalsSkip2ColourCondition;
    const std::string next = "for next round " + RoundTag(round);
    PairingRules rules(t, settings.IsForbiddenMatchAgainstTeamMembers);

    StringList list = BuildGroupList(t, settings, groups, round, false, log);
    bool paired = false;
    if (skip)
        log.Write(
            "The condition for maximum 2 times the same color is skipped (GoalsSkip2ColourCondition = True). 1st way "
            "was stopped.");
    else
        paired = SearchPairing(rules, list, false, log, PairList);
    if (!paired) {
        if (!skip) log.Write("Pairing FAILED. The condition for maximum 2 times the same color cannot be fulfilled.");
        log.Write("Pairing (2nd way) " + next + " is again starting (now without 2-color condition) ...");
        paired = SearchPairing(rules, list, true, log, PairList);
    }
    if (paired || ActivePlayerCount(t) % 2 == 0) return paired;

    log.Write("Pairing FAILED. Now (for an odd number of players) the program will try to move BYE (to a player other "
              "than the last).");
    log.Write("Pairing (3rd way) " + next + " is again starting (more benevolent conditions for bye) ...");
    list = BuildGroupList(t, settings, groups, round, true, log);
    if (skip)
        log.Write(
            "The condition for maximum 2 times the same color is skipped (GoalsSkip2ColourCondition = True). 3rd way "
            "was stopped.");
    else
        paired = SearchPairing(rules, list, false, log, PairList);
    if (!paired) {
        if (!skip) log.Write("Pairing FAILED.");
        log.Write("Pairing (4th and last) " + next +
                  " is again starting (now without 2-color condition and with more benevolent conditions for bye) ...");
        paired = SearchPairing(rules, list, true, log, PairList);
    }
    return paired;
}

std::string Dashed(const std::string& line) { return ReplaceChar(line, '|', "-"); }

}  // namespace

std::vector<RoundPair> RoundPairing::FileOrder() const {
    std::vector<RoundPair> lines;
    for (auto it = PairList.rbegin(); it != PairList.rend(); ++it)
        lines.push_back({GetField(*it, '|', 1), GetField(*it, '|', 2)});
    for (const std::string& stop : StopPairList) lines.push_back({GetField(stop, '|', 1), GetField(stop, '|', 2)});
    return lines;
}

std::optional<RoundPairing> PairInMemory(Tournament& t, const Settings& settings, int round, const PairingLog& log) {
    const std::string tag = RoundTag(round);
    log.Write("Pairing for next round " + tag + " is starting ...");
    ScoreGroupsResult groups = FindScoreGroups(t, settings, round, log);
    RoundPairing pairing;
    pairing.Round = round;
    if (!RunWays(t, settings, round, groups, log, pairing.PairList)) {
        log.Write("Pairing for round " + tag + " is DEFINITIVELY FAILED. It is recommended to end the tournament.");
        return std::nullopt;
    }
    log.Write("Pairing for round " + tag + " was successfully completed.");

    log.Write("Color assignment for round " + tag + " is starting ...");
    AllocateColours(t, pairing.PairList);
    log.Write("Color assignment for round " + tag + " is completed.");
    OrderBoards(pairing.PairList);
    for (auto it = pairing.PairList.rbegin(); it != pairing.PairList.rend(); ++it)
        log.Write("Pair is: " + Dashed(*it) + ".");
    pairing.StopPairList = groups.StopPairList;
    for (const std::string& stop : pairing.StopPairList) log.Write("StopPair is: " + Dashed(stop) + ".");
    return pairing;
}

}  // namespace veltrun
