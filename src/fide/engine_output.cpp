#include "fide/engine_output.h"

#include <sstream>

#include "store/file_limits.h"
#include "store/forbidden_groups.h"
#include "store/session.h"
#include "store/text_file.h"
#include "store/text_utils.h"

namespace veltrun {

namespace {

class OutputChecker {
public:
    OutputChecker(const Tournament& t, const Translation& tr, const std::filesystem::path& file)
        : tr_(tr), t_(t), name_(file.filename().string()),
          seen_(static_cast<std::size_t>(t_.PlayerCount()) + 1, false) {}

    void CheckLine(const std::string& raw, int lineNumber) {
        std::string text = Trim(raw);
        if (text.empty()) return;
        std::istringstream words(text);
        std::string first, second, extra;
        words >> first >> second >> extra;
        int white = ToNumber(first), black = ToNumber(second);
        if (!extra.empty() || white < 0 || black < 0 || (white == 0 && black == 0))
            Refuse(lineNumber, text, 297, "does not hold two starting numbers.");
        int a = Take(white, lineNumber, text);
        int b = Take(black, lineNumber, text);
        // A group is an absolute rule for the engine as much as for our own search.
        if (a > 0 && b > 0 && IsForbiddenPair(t_.ForbiddenGroups, t_.Player(a).ArrivalID, t_.Player(b).ArrivalID))
            Refuse(lineNumber, text, 709, "pairs two players of a forbidden group.");
        pairs_.push_back({white, black});
    }

    std::vector<EnginePair> Finish() {
        std::string missing;
        for (int i = 1; i <= t_.PlayerCount(); ++i)
            if (t_.Player(i).OnOff != 0 && !seen_[static_cast<std::size_t>(i)])
                missing += (missing.empty() ? "" : ", ") + std::to_string(t_.Player(i).StartNo);
        if (!missing.empty()) {
            std::string head = tr_(294, "Output of the pairing engine") + " (" + name_ + "): ";
            throw EngineOutputRefused(
                "Fatal error. Output of the pairing engine (" + name_ + "): players not paired: " + missing + ".",
                head + tr_(302, "These players were not paired:") + " " + missing + ".");
        }
        return pairs_;
    }

    [[noreturn]] void Refuse(int lineNumber, const std::string& text, int reasonId, const char* reason) {
        std::string quoted = ": \"" + text + "\" ";
        std::string shown = tr_(294, "Output of the pairing engine") + " (" + name_ + "), " +
                            tr_(295, "line") + " " + std::to_string(lineNumber) + quoted +
                            tr_(reasonId, reason);
        throw EngineOutputRefused(
            "Fatal error. Output of the pairing engine (" + name_ + "), line " + std::to_string(lineNumber) + quoted + reason,
            shown);
    }

private:
    // -1 for anything that is not a plain number of at most six digits.
    static int ToNumber(const std::string& word) {
        if (!IsAllDigits(word) || word.size() > 6) return -1;
        return std::stoi(word);
    }

    // The table index of the player (0: the bye).
    int Take(int number, int lineNumber, const std::string& text) {
        if (number == 0) {
            if (++byes_ > 1) Refuse(lineNumber, text, 301, "gives a second bye.");
            return 0;
        }
        int index = IndexOfStartNo(number);
        if (index < 1) Refuse(lineNumber, text, 298, "names a starting number outside the field.");
        if (seen_[static_cast<std::size_t>(index)]) Refuse(lineNumber, text, 299, "pairs a player a second time.");
        if (t_.Player(index).OnOff == 0) Refuse(lineNumber, text, 300, "pairs a player who is absent from this round.");
        seen_[static_cast<std::size_t>(index)] = true;
        return index;
    }

    int IndexOfStartNo(int number) const {
        for (int i = 1; i <= t_.PlayerCount(); ++i)
            if (t_.Player(i).StartNo == number) return i;
        return -1;
    }

    const Translation& tr_;
    const Tournament& t_;
    std::string name_;
    std::vector<bool> seen_;
    std::vector<EnginePair> pairs_;
    int byes_ = 0;
};

}  // namespace

std::vector<EnginePair> CheckEngineOutput(const Tournament& t, const Translation& tr, const std::filesystem::path& file) {
    // Read a line at a time: a huge answer of blank lines must not fill memory.
    OutputChecker checker(t, tr, file);
    bool empty = true;
    ForEachTextLine(file, file_limit::EngineAnswer, [&](std::string& line, std::size_t number) {
        empty = empty && Trim(line).empty();
        if (number > 1) checker.CheckLine(line, static_cast<int>(number));
    });
    if (empty) {
        std::string name = file.filename().string();
        throw EngineOutputRefused("Fatal error. Output of the pairing engine (" + name + ") is empty.",
                                  tr(294, "Output of the pairing engine") + " (" + name + ") " + tr(296, "is empty."));
    }
    return checker.Finish();
}

std::vector<EnginePair> ReadEngineOutput(Session& session, const std::filesystem::path& file) {
    try {
        return CheckEngineOutput(session.tournament, session.translation, file);
    } catch (const EngineOutputRefused& refused) {
        Fail(session, refused.LogText(), refused.what());
    }
}

}  // namespace veltrun
