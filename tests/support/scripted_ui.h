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
    std::vector<std::string> printed;
    std::vector<std::string> progress_texts;
    std::deque<Button> answers;                 // empty: the default button
    std::deque<std::optional<int>> choices;     // empty: the preselected item
    std::deque<std::optional<std::filesystem::path>> files;  // empty: cancel
    int busy_depth = 0;
    int idle_calls = 0;
    int cancel_idle_after = -1;                 // Idle() returns false from this call on
    bool cancel_progress = false;

    Button ShowMessage(const MessageRequest& request) override {
        messages.push_back(request);
        if (answers.empty()) return request.default_button;
        Button b = answers.front();
        answers.pop_front();
        return b;
    }
    std::optional<int> Choose(const ChooserRequest& request) override {
        choosers.push_back(request);
        if (choices.empty()) return request.preselected;
        auto c = choices.front();
        choices.pop_front();
        return c;
    }
    std::optional<std::filesystem::path> ChooseFile(const FileRequest&) override {
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }
    void SetBusy(bool busy) override { busy_depth += busy ? 1 : -1; }
    bool Progress(long long, long long, const std::string& text) override {
        progress_texts.push_back(text);
        return !cancel_progress;
    }
    void OpenReport(const std::filesystem::path& file, const std::string& browser) override {
        opened_reports.push_back(file);
        browsers.push_back(browser);
    }
    bool Idle() override {
        ++idle_calls;
        return cancel_idle_after < 0 || idle_calls < cancel_idle_after;
    }
    void Print(const std::string& text) override { printed.push_back(text); }

    // Texts of all message boxes of one kind.
    std::vector<std::string> Texts(MessageKind kind) const {
        std::vector<std::string> out;
        for (const auto& m : messages)
            if (m.kind == kind) out.push_back(m.text);
        return out;
    }
};

}  // namespace veltrun::testing
