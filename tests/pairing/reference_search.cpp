#include "reference_search.h"

#include <algorithm>

namespace veltrun::testing {

namespace {

// The entries of "a|b|c|": each one followed by "|".
StringList Entries(const std::string& line) {
    StringList entries;
    std::size_t start = 0;
    for (std::size_t bar = line.find('|'); bar != std::string::npos; bar = line.find('|', start)) {
        entries.push_back(line.substr(start, bar - start));
        start = bar + 1;
    }
    return entries;
}

std::string LastTwoPlayed(const std::string& colourHistory) {
    std::string played = ReplaceChar(colourHistory, '|', "");
    return played.size() < 2 ? played : played.substr(played.size() - 2);
}

class Reference {
public:
    Reference(const Tournament& t, bool forbid, bool skip, long long budget, ReferenceOutcome& out)
        : t_(t), forbid_(forbid), skip_(skip), budget_(budget), out_(out) {
        for (int i = 0; i <= t.PlayerCount(); ++i) {
            opponents_.push_back(i == 0 ? StringList{} : Entries(t.Player(i).OpponentHistory));
            last_two_.push_back(i == 0 ? "" : LastTwoPlayed(t.Player(i).ColourHistory));
            persons_.push_back("(" + std::to_string(i) + " - " + Alias(i) + ")");
        }
    }

    bool Search(const StringList& list) {
        if (--budget_ < 0) {
            out_.finished = false;
            return false;
        }
        int count = CountCharInList(list, '|');
        Log("Players in actual ScoreGroups: " + std::to_string(count) + " (" + JoinReversed(list) + ")");
        if (count == 0) return true;
        int pivot = std::stoi(GetField(list.back(), '|', 1));
        Log("Pivot is " + Person(pivot));
        if (count == 1) {
            for (const std::string& entry : opponents_[pivot])
                if (entry == "bye") {
                    Log("Bye for player " + Person(pivot) + " is not valid: bye found.");
                    return false;
                }
            Log("Bye for player " + Person(pivot) + " is asigned.");
            out_.PairList.push_back(std::to_string(pivot) + "|bye");
            return true;
        }
        int max_choice = count - 1;
        StringList candidates = CandidateOrder(list);
        for (int k = 1;; ++k) {
            if (k > max_choice) return false;
            int c = NthChoice(pivot, candidates, k);
            if (c < 0) continue;
            std::string choice = std::to_string(k) + "-choice";
            if (Rejected(k, pivot, c)) {
                if (k < max_choice) continue;
                Log("All choices (" + std::to_string(max_choice) + ") were exhausted for Pivot " + Person(pivot) + ".");
                return false;
            }
            std::size_t mark = out_.log.size();
            Log(choice + " is ok: opponent-candidate for " + Person(pivot) + " is " + Person(c) + ".");
            if (Search(RemovePair(pivot, c, list))) {
                out_.PairList.push_back(std::to_string(pivot) + "|" + (c == 0 ? "bye" : std::to_string(c)));
                return true;
            }
            if (!out_.finished) return false;
            out_.log.resize(mark);
            Log(choice + " for " + Person(pivot) + " is " + Person(c) +
                ", but the remaining players cannot all be paired.");
            Log(choice + " for " + Person(pivot) + " was " + Person(c) + ". FAILED on next (recursive) levels. " +
                choice + " rejected.");
            if (k >= max_choice) return false;
        }
    }

private:
    void Log(const std::string& line) { out_.log.push_back(line); }
    std::string Alias(int index) const { return index == 0 ? "bye" : t_.Player(index).ArrivalID; }
    const std::string& Person(int index) const { return persons_[index]; }

    static StringList CandidateOrder(const StringList& list) {
        StringList top = Entries(list.back());
        int m = static_cast<int>(top.size());
        int h = m / 2;
        StringList candidates;
        if (m >= 2)
            for (int i = h + 1; i <= m; ++i) candidates.push_back(top[i - 1]);
        if (h >= 2)
            for (int i = h; i >= 2; --i) candidates.push_back(top[i - 1]);
        for (int l = static_cast<int>(list.size()) - 2; l >= 0; --l)
            for (const std::string& entry : Entries(list[l])) candidates.push_back(entry);
        return candidates;
    }

    int NthChoice(int pivot, const StringList& candidates, int n) {
        if (n > static_cast<int>(candidates.size())) return -1;
        int c = std::stoi(candidates[n - 1]);
        Log(std::to_string(n) + "-choice for Pivot " + Person(pivot) + " is " + Person(c));
        return c;
    }

    bool Rejected(int k, int p, int c) {
        std::string prefix = std::to_string(k);
        bool rejected = false;
        const TPlayer& pp = t_.Player(p);
        auto reject = [&](bool when, const std::string& reason) {
            if (when) Log(prefix + "-choice was rejected: " + reason + ".");
            rejected = rejected || when;
        };
        for (const std::string& entry : opponents_[p]) {
            reject(c == 0 && entry == "bye", "bye exist");
            reject(c != 0 && entry == t_.Player(c).ArrivalID, "game exist");
        }
        if (c == 0) return rejected;
        const TPlayer& pc = t_.Player(c);
        const std::string &a = last_two_[p], &b = last_two_[c];
        reject(!skip_ && a.size() == 2 && a == b && (a == "WW" || a == "BB"), "3x colour restriction");
        reject(InOneGroup(pp.ArrivalID, pc.ArrivalID), "the pair is forbidden");
        reject(forbid_ && pp.TeamID == pc.TeamID && !pp.TeamID.empty(), "match against team members is forbidden");
        return rejected;
    }

    bool InOneGroup(const std::string& a, const std::string& b) const {
        for (const StringList& group : t_.ForbiddenGroups)
            if (std::count(group.begin(), group.end(), a) > 0 && std::count(group.begin(), group.end(), b) > 0) return true;
        return false;
    }

    static StringList RemovePair(int a, int b, const StringList& list) {
        StringList out;
        std::string text_a = std::to_string(a), text_b = std::to_string(b);
        for (const std::string& line : list) {
            std::string kept;
            for (const std::string& entry : Entries(line))
                if (entry != text_a && entry != text_b) kept += entry + "|";
            if (!kept.empty()) out.push_back(kept);
        }
        return out;
    }

    const Tournament& t_;
    bool forbid_, skip_;
    long long budget_;
    ReferenceOutcome& out_;
    std::vector<StringList> opponents_;
    StringList last_two_, persons_;
};

}  // namespace

ReferenceOutcome ReferenceSearch(const Tournament& t, bool forbidTeamMates, const StringList& list,
                                 bool skipColourCondition, long long stepBudget) {
    ReferenceOutcome out;
    Reference reference(t, forbidTeamMates, skipColourCondition, stepBudget, out);
    out.success = reference.Search(list);
    if (!out.success) out.PairList.clear();
    return out;
}

}  // namespace veltrun::testing
