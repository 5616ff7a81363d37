#include "pairing/pairing_search.h"

#include <string>
#include <vector>

#include "pairing/completion_check.h"
#include "pairing/remaining_list.h"

namespace veltrun {

namespace {

std::vector<int> EntriesOf(const RemainingList& list) {
    std::vector<int> entries(list.EntryCount());
    for (int v = 0; v < list.EntryCount(); ++v) entries[v] = list.Entry(v);
    return entries;
}

// Who may be left over for the bye: a player without one so far.
std::vector<char> MayTakeBye(const RemainingList& list, const PairingRules& rules) {
    std::vector<char> may(list.EntryCount());
    for (int v = 0; v < list.EntryCount(); ++v) may[v] = list.Entry(v) != 0 && rules.ByeCount(list.Entry(v)) == 0;
    return may;
}

class Search {
public:
    Search(const PairingRules& rules, const StringList& list, bool skipColourCondition, const PairingLog& log)
        : rules_(rules),
          list_(list),
          skip_colour_(skipColourCondition),
          log_(log),
          graph_(rules.CompatibilityGraph(EntriesOf(list_), skipColourCondition)),
          check_(graph_, MayTakeBye(list_, rules)) {}

    bool Run(StringList& PairList);

private:
    struct Level {
        int pivot;
        int max_choice;
        int k = 0;
        int candidate = -1;
        std::size_t mark = 0;
    };
    enum class Step { Enter, NextCandidate, Return };

    Step EnterLevel();
    Step NextCandidate();
    Step ChildFailed();
    Step FailLevel();

    std::string Person(int vertex) const {
        return "(" + list_.EntryText(vertex) + " - " + rules_.AliasOf(list_.Entry(vertex)) + ")";
    }
    void BuildPairList(StringList& PairList) const;

    const PairingRules& rules_;
    RemainingList list_;
    bool skip_colour_;
    const PairingLog& log_;
    BitMatrix graph_;
    CompletionCheck check_;
    std::vector<Level> levels_;
    bool completable_ = false;
    bool result_ = false;
    int bye_vertex_ = -1;  // the player left alone for the bye
};

bool Search::Run(StringList& PairList) {
    completable_ = check_.Start();

    Step step = Step::Enter;
    while (true) {
        switch (step) {
            case Step::Enter:
                step = EnterLevel();
                break;
            case Step::NextCandidate:
                step = NextCandidate();
                break;
            case Step::Return:
                if (result_) {
                    BuildPairList(PairList);
                    return true;
                }
                if (levels_.empty()) return false;
                step = ChildFailed();
                break;
        }
    }
}

Search::Step Search::EnterLevel() {
    int count = list_.Count();
    if (log_.Enabled()) log_.Write("Players in actual ScoreGroups: " + std::to_string(count) + " (" + list_.Text() + ")");
    if (count == 0) {
        result_ = true;
        return Step::Return;
    }
    int pivot = list_.ChoosePivot();
    if (log_.Enabled()) log_.Write("Pivot is " + Person(pivot));
    if (count == 1) {
        int player = list_.Entry(pivot);
        if (player == 0 || rules_.ByeCount(player) > 0) {
            log_.Write("Bye for player " + Person(pivot) + " is not valid: bye found.");
            result_ = false;
        } else {
            log_.Write("Bye for player " + Person(pivot) + " is asigned.");
            bye_vertex_ = pivot;
            result_ = true;
        }
        return Step::Return;
    }
    levels_.push_back(Level{pivot, count - 1});
    return Step::NextCandidate;
}

Search::Step Search::NextCandidate() {
    Level& level = levels_.back();
    while (++level.k <= level.max_choice) {
        int k = level.k;
        int candidate = list_.NthChoice(level.pivot, k);
        if (candidate < 0) continue;
        std::string choice = std::to_string(k) + "-choice";
        if (log_.Enabled())
            log_.Write(choice + " for Pivot " + Person(level.pivot) + " is " + Person(candidate));
        int p = list_.Entry(level.pivot);
        int c = list_.Entry(candidate);
        if (!rules_.JudgeCandidate(k, p, c, skip_colour_, log_)) {
            if (k < level.max_choice) continue;
            log_.Write("All choices (" + std::to_string(level.max_choice) + ") were exhausted for Pivot " +
                       Person(level.pivot) + ".");
            return FailLevel();
        }
        std::size_t mark = check_.Mark();
        if (!completable_ || !check_.TryRemovePair(level.pivot, candidate)) {
            if (log_.Enabled()) {
                log_.Write(choice + " for " + Person(level.pivot) + " is " + Person(candidate) +
                           ", but the remaining players cannot all be paired.");
                log_.Write(choice + " for " + Person(level.pivot) + " was " + Person(candidate) +
                           ". FAILED on next (recursive) levels. " + choice + " rejected.");
            }
            continue;
        }
        if (log_.Enabled())
            log_.Write(choice + " is ok: opponent-candidate for " + Person(level.pivot) + " is " + Person(candidate) +
                       ".");
        level.candidate = candidate;
        level.mark = mark;
        list_.RemovePair(level.pivot, candidate);
        return Step::Enter;
    }
    return FailLevel();
}

Search::Step Search::FailLevel() {
    levels_.pop_back();
    result_ = false;
    return Step::Return;
}

// Only reached when the completion check let the search descend into a
// subtree that then failed; kept so that the search stays exhaustive on its
// own.
Search::Step Search::ChildFailed() {
    Level& level = levels_.back();
    list_.RestorePair(level.pivot, level.candidate);
    check_.Rollback(level.mark);
    if (log_.Enabled()) {
        std::string choice = std::to_string(level.k) + "-choice";
        log_.Write(choice + " for " + Person(level.pivot) + " was " + Person(level.candidate) +
                   ". FAILED on next (recursive) levels. " + choice + " rejected.");
    }
    level.candidate = -1;
    return Step::NextCandidate;
}

void Search::BuildPairList(StringList& PairList) const {
    auto side = [&](int vertex) { return list_.Entry(vertex) == 0 ? std::string("bye") : list_.EntryText(vertex); };
    if (bye_vertex_ >= 0) PairList.push_back(list_.EntryText(bye_vertex_) + "|bye");
    for (auto it = levels_.rbegin(); it != levels_.rend(); ++it)
        PairList.push_back(list_.EntryText(it->pivot) + "|" + side(it->candidate));
}

}  // namespace

bool SearchPairing(const PairingRules& rules, const StringList& list, bool skipColourCondition, const PairingLog& log,
                   StringList& PairList) {
    Search search(rules, list, skipColourCondition, log);
    return search.Run(PairList);
}

}  // namespace veltrun
