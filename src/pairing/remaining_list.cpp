#include "pairing/remaining_list.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_set>

namespace veltrun {

RemainingList::RemainingList(const StringList& groupList) {
    // Each line is split in one pass, as one score group can hold thousands.
    std::unordered_set<int> seen;
    for (std::size_t l = groupList.size(); l-- > 0;) {
        const std::string& text = groupList[l];
        Line line;
        line.begin = line.first = static_cast<int>(entries_.size());
        for (std::size_t start = 0; start <= text.size();) {
            const std::size_t bar = std::min(text.find('|', start), text.size());
            const std::string field = text.substr(start, bar - start);
            start = bar + 1;
            if (field.empty()) continue;
            if (!IsAllDigits(field) || field.size() > 9)
                throw std::invalid_argument("group list entry is no table index: " + field);
            int index = std::stoi(field);
            if (index == 0 && (l != 0 || text != "0|"))
                throw std::invalid_argument("the bye entry must stand alone in the first line");
            if (!seen.insert(index).second) throw std::invalid_argument("group list entry listed twice: " + field);
            entries_.push_back(index);
            texts_.push_back(std::to_string(index));
            starts_.push_back(joined_.size());
            joined_ += texts_.back() + '|';
            line_of_.push_back(static_cast<int>(lines_.size()));
        }
        line.end = static_cast<int>(entries_.size());
        line.count = line.end - line.begin;
        if (line.count == 0) throw std::invalid_argument("group list has an empty line");
        lines_.push_back(line);
    }
    starts_.push_back(joined_.size());
    removed_.assign(entries_.size(), 0);
    count_ = static_cast<int>(entries_.size());
}

void RemainingList::Remove(int vertex) {
    removed_[vertex] = 1;
    --count_;
    --lines_[line_of_[vertex]].count;
}

void RemainingList::Restore(int vertex) {
    removed_[vertex] = 0;
    ++count_;
    Line& line = lines_[line_of_[vertex]];
    ++line.count;
    line.first = std::min(line.first, vertex);
    top_ = std::min(top_, line_of_[vertex]);
}

void RemainingList::RemovePair(int a, int b) {
    Remove(a);
    Remove(b);
    cursor_pivot_ = -1;
}

void RemainingList::RestorePair(int a, int b) {
    Restore(a);
    Restore(b);
    cursor_pivot_ = -1;
}

int RemainingList::TopLine() {
    while (top_ < static_cast<int>(lines_.size()) && lines_[top_].count == 0) ++top_;
    return top_;
}

int RemainingList::ChoosePivot() {
    int top = TopLine();
    if (top == static_cast<int>(lines_.size())) return -1;
    Line& line = lines_[top];
    while (removed_[line.first]) ++line.first;
    return line.first;
}

void RemainingList::PrepareCandidates(int pivot) {
    cursor_pivot_ = pivot;
    cursor_n_ = 0;
    top_group_.clear();
    int top = TopLine();
    if (top == static_cast<int>(lines_.size())) return;
    const Line& line = lines_[top];
    for (int v = line.first; v < line.end; ++v)
        if (!removed_[v]) top_group_.push_back(v);
    lower_line_ = top + 1;
    lower_vertex_ = lower_line_ < static_cast<int>(lines_.size()) ? lines_[lower_line_].begin : 0;
}

int RemainingList::NthChoice(int pivot, int n) {
    if (n < 1) return -1;
    if (pivot != cursor_pivot_ || n <= cursor_n_) PrepareCandidates(pivot);
    int m = static_cast<int>(top_group_.size());
    int h = m / 2;
    int upper_part = m >= 2 ? m - h : 0;  // T(h+1) .. T(m)
    int lower_part = h >= 2 ? h - 1 : 0;  // T(h) .. T(2)
    int found = -1;
    while (cursor_n_ < n) {
        int i = cursor_n_;
        if (i < upper_part) {
            found = top_group_[h + i];
        } else if (i < upper_part + lower_part) {
            found = top_group_[h - 1 - (i - upper_part)];
        } else {
            // The lower lines, from the next lower one down, each in its order.
            found = -1;
            while (lower_line_ < static_cast<int>(lines_.size())) {
                const Line& line = lines_[lower_line_];
                while (lower_vertex_ < line.end && removed_[lower_vertex_]) ++lower_vertex_;
                if (lower_vertex_ < line.end) {
                    found = lower_vertex_++;
                    break;
                }
                if (++lower_line_ < static_cast<int>(lines_.size())) lower_vertex_ = lines_[lower_line_].begin;
            }
            if (found == -1) return -1;
        }
        ++cursor_n_;
    }
    return found;
}

std::string RemainingList::Text() const {
    std::string text;
    text.reserve(joined_.size() + lines_.size());
    bool first_line = true;
    for (const Line& line : lines_) {
        if (line.count == 0) continue;
        if (!first_line) text += '-';
        first_line = false;
        for (int v = line.first; v < line.end;) {
            if (removed_[v]) {
                ++v;
                continue;
            }
            const int run = v;
            while (v < line.end && !removed_[v]) ++v;
            text.append(joined_, starts_[run], starts_[v] - starts_[run]);
        }
    }
    return text;
}

}  // namespace veltrun
