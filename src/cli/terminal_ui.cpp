#include "cli/terminal_ui.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <iostream>

#include "cli/terminal_text.h"
#include "store/text_utils.h"

extern char** environ;

namespace veltrun::cli {

namespace {

const char* KindName(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return "Warning";
        case MessageKind::Error: return "Error";
        case MessageKind::Information: return "Information";
        case MessageKind::Confirmation: return "Confirmation";
    }
    return "Information";
}

bool Contains(const std::vector<Button>& buttons, Button b) {
    return std::find(buttons.begin(), buttons.end(), b) != buttons.end();
}

// Starts a program without a shell and without waiting for it.
void SpawnDetached(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("Could not start " + args[0] + ".");
    // Reap it in the background is not possible without a thread; the child is
    // collected when the process ends, which is soon for the command line.
}

}  // namespace

TerminalUi::TerminalUi(std::ostream& out, std::ostream& err, std::optional<bool> answer, bool interactive)
    : out_(out), err_(err), answer_(answer), interactive_(interactive) {}

Button TerminalUi::ShowMessage(const MessageRequest& request) {
    if (progressShown_) {
        err_ << "\n";
        progressShown_ = false;
    }
    err_ << KindName(request.kind) << ": " << request.text << "\n";
    if (request.kind == MessageKind::Error || request.kind == MessageKind::Warning) ++errors_;
    if (request.buttons.size() <= 1) return request.buttons.empty() ? Button::Ok : request.buttons.front();

    if (answer_) {
        Button wanted = *answer_ ? Button::Yes : Button::No;
        if (!Contains(request.buttons, wanted)) wanted = *answer_ ? Button::Ok : Button::Cancel;
        if (Contains(request.buttons, wanted)) return wanted;
    }
    if (interactive_) {
        for (;;) {
            err_ << "[";
            for (size_t i = 0; i < request.buttons.size(); ++i)
                err_ << (i ? "/" : "") << request.captions.at(i) << (request.buttons[i] == request.default_button ? "*" : "");
            err_ << "] " << std::flush;
            std::string line;
            if (!std::getline(std::cin, line)) break;
            line = ToLowerUnicode(Trim(line));
            if (line.empty()) return request.default_button;
            for (size_t i = 0; i < request.buttons.size(); ++i) {
                std::string caption = ToLowerUnicode(request.captions.at(i));
                if (caption == line || caption.rfind(line, 0) == 0) return request.buttons[i];
            }
        }
    }
    if (request.offer) return Button::No;
    // Without a terminal and without --yes/--no the safe default is taken; the
    // director must learn why nothing happened and how to answer.
    bool refusing = request.default_button == Button::No || request.default_button == Button::Cancel;
    if (!interactive_ && refusing && !unansweredText_.empty())
        err_ << KindName(MessageKind::Information) << ": " << unansweredText_ << "\n";
    return request.default_button;
}

std::optional<int> TerminalUi::Choose(const ChooserRequest& request) {
    if (!interactive_) return request.preselected;
    err_ << request.caption << "\n";
    for (size_t i = 0; i < request.items.size(); ++i) err_ << "  " << i + 1 << ") " << request.items[i] << "\n";
    err_ << request.label << " " << std::flush;
    std::string line;
    if (!std::getline(std::cin, line)) return std::nullopt;
    int choice = 0;
    if (!TryParseInt(Trim(line), choice) || choice < 1 || choice > static_cast<int>(request.items.size())) return std::nullopt;
    return choice - 1;
}

std::optional<std::filesystem::path> TerminalUi::ChooseFile(const FileRequest& request) {
    if (!interactive_) return std::nullopt;
    err_ << request.caption << ": " << std::flush;
    std::string line;
    if (!std::getline(std::cin, line) || Trim(line).empty()) return std::nullopt;
    return std::filesystem::path(Trim(line));
}

bool TerminalUi::Progress(long long done, long long total, const std::string& text) {
    (void)done;
    (void)total;
    WriteCarriageReturn(err_);
    err_ << text << std::flush;
    progressShown_ = true;
    if (total > 0 && done >= total) {
        err_ << "\n";
        progressShown_ = false;
    }
    return true;
}

void TerminalUi::OpenReport(const std::filesystem::path& file, const std::string& browser) {
    if (!openReports_) return;
    if (browser.empty())
        SpawnDetached({"xdg-open", file.string()});
    else
        SpawnDetached({browser, file.string()});
}

void TerminalUi::Print(const std::string& text) { out_ << text << "\n"; }

}  // namespace veltrun::cli
