#pragma once
// The UI seam on a terminal: messages on stderr as "Kind: text", questions
// answered by --yes/--no, else asked on a terminal, else the default button.
#include <iosfwd>
#include <optional>
#include <string>

#include "store/ui.h"

namespace veltrun::cli {

class TerminalUi : public Ui {
public:
    TerminalUi(std::ostream& out, std::ostream& err, std::optional<bool> answer, bool interactive);

    Button ShowMessage(const MessageRequest& request) override;
    std::optional<int> Choose(const ChooserRequest& request) override;
    std::optional<std::filesystem::path> ChooseFile(const FileRequest& request) override;
    void SetBusy(bool busy) override { (void)busy; }
    bool Progress(long long done, long long total, const std::string& text) override;
    void OpenReport(const std::filesystem::path& file, const std::string& browser) override;
    bool Idle() override { return true; }
    void Print(const std::string& text) override;

    // Whether reports are opened at all (the commands' --open).
    void SetOpenReports(bool open) { openReports_ = open; }
    // Said after a question that nobody could answer, so the default refused it.
    void SetUnansweredText(std::string text) { unansweredText_ = std::move(text); }
    // Nothing was refused or failed so far (warnings and errors set it).
    int ErrorCount() const { return errors_; }

private:
    std::ostream& out_;
    std::ostream& err_;
    std::optional<bool> answer_;
    bool interactive_;
    bool openReports_ = false;
    bool progressShown_ = false;
    int errors_ = 0;
    std::string unansweredText_;
};

}  // namespace veltrun::cli
