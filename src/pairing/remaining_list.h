#pragma once
// The entries of a GroupList still to be paired, without copying the list at
// every level of the search. Entries are numbered by their place in search
// order: the top group (the last line) first, each line from its first entry
// to its last, the bye line "0|" last. RemovePair and RestorePair cost O(1),
// the pivot and the next candidate amortised O(1).
#include <string>
#include <vector>

#include "store/text_utils.h"

namespace veltrun {

class RemainingList {
public:
    // Throws std::invalid_argument for an entry that is not a table index,
    // an entry listed twice, or "0" anywhere but alone in the first line.
    explicit RemainingList(const StringList& groupList);

    int EntryCount() const { return static_cast<int>(entries_.size()); }
    // The table index of an entry (0: the bye pseudo-player).
    int Entry(int vertex) const { return entries_[vertex]; }
    const std::string& EntryText(int vertex) const { return texts_[vertex]; }
    int Count() const { return count_; }

    // The first entry of the top group; -1 when nothing is left.
    int ChoosePivot();
    // The n-th opponent candidate (n from 1) of the pivot; -1 when there is
    // none. Fastest when n follows the previous call's n by one.
    int NthChoice(int pivot, int n);
    void RemovePair(int a, int b);
    void RestorePair(int a, int b);

    // The remaining lines from the top group down, joined with "-".
    std::string Text() const;

private:
    struct Line {
        int begin = 0, end = 0;  // vertex range
        int count = 0;
        int first = 0;           // no remaining vertex before it
    };
    void Remove(int vertex);
    void Restore(int vertex);
    int TopLine();
    void PrepareCandidates(int pivot);

    std::vector<int> entries_;
    std::vector<std::string> texts_;
    // Every entry's text with its "|", in vertex order, and where each one
    // starts: the log writes the remaining list at every level, so a run of
    // remaining entries is copied at once.
    std::string joined_;
    std::vector<std::size_t> starts_;
    std::vector<int> line_of_;
    std::vector<char> removed_;
    std::vector<Line> lines_;  // in search order: the top group first
    int count_ = 0;
    int top_ = 0;

    // Candidate cursor of the current pivot.
    int cursor_pivot_ = -1;
    int cursor_n_ = 0;
    std::vector<int> top_group_;
    int lower_line_ = 0, lower_vertex_ = 0;
};

}  // namespace veltrun
