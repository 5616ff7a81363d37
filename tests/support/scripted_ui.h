#pragma once
// A UI seam for tests: records every call and answers from queues.
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "store/ui.h"

namespace veltrun::testing {

class ScriptedUi : public Ui {
public:
    std::vector<MessageRequest> messages;
    std::vector<ChooserRequest> choosers;
    std::vector<std::filesystem::path> opened_reports;
    std::vector<std::string> browsers;  // "" for the desktop's own
    std::deque<Button> answers;              // empty: the default button
    std::deque<std::optional<int>> choices;  // empty: the preselected item
    int busy_depth = 0;
    int idle_calls = 0;
    int cancel_idle_after = -1;  // Idle() returns false from this call on

    Button ShowMessage(const MessageRequest& request) override {
        messages.push_back(request);
        return Next(answers, request.default_button);
    }
    std::optional<int> Choose(const ChooserRequest& request) override {
        choosers.push_back(request);
        return Next(choices, std::optional<int>(request.preselected));
    }
    std::optional<std::filesystem::path> ChooseFile(const FileRequest&) override { return std::nullopt; }
    void SetBusy(bool busy) override { busy_depth += busy ? 1 : -1; }
    bool Progress(long long, long long, const std::string&) override { return true; }
    void OpenReport(const std::filesystem::path& file, const std::string& browser) override {
        opened_reports.push_back(file), browsers.push_back(browser);
    }
    bool Idle() override { return cancel_idle_after < 0 || ++idle_calls < cancel_idle_after; }

    // Texts of all message boxes of one kind.
    std::vector<std::string> Texts(MessageKind kind) const {
        std::vector<std::string> out;
        for (const auto& m : messages) if (m.kind == kind) out.push_back(m.text);
        return out;
    }

private:
    template <typename T>
    static T Next(std::deque<T>& queue, T fallback) {
        if (!queue.empty()) fallback = queue.front(), queue.pop_front();
        return fallback;
    }
};

}  // namespace veltrun::testing
