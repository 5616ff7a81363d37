#pragma once
// The seam between the core and whatever shows things to the director: the Qt
// windows, the terminal, or a scripted fake in the tests. Every command reaches
// the director only through this interface.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace veltrun {

enum class MessageKind { Warning, Error, Information, Confirmation };
enum class Button { Yes, No, Ok, Cancel, Help, Abort, Retry, Ignore, All };

struct MessageRequest {
    MessageKind kind = MessageKind::Information;
    std::string title;                  // translated "Warning", "Error", ...
    std::string text;                   // translated message
    std::vector<Button> buttons;        // in display order
    std::vector<std::string> captions;  // translated caption of each button, same order
    Button default_button = Button::Ok;
    // An offer made after the command's work is done (open the report just
    // written...): declining it leaves everything as it is, so where nobody can
    // answer it is declined without a word.
    bool offer = false;
};

// The universal chooser: a label and a drop-down list.
struct ChooserRequest {
    std::string caption;
    std::string label;
    std::vector<std::string> items;
    int preselected = 0;  // 0-based
    int width = 0;        // window width at 100 % scale; 0 keeps the designed one
};

struct FileRequest {
    std::string caption;
    std::filesystem::path initial_folder;
    // Pairs of (description, pattern), as "Tournament Option File", "options.txt".
    std::vector<std::pair<std::string, std::string>> filters;
};

class Ui {
public:
    virtual ~Ui() = default;
    virtual Button ShowMessage(const MessageRequest& request) = 0;
    // The chosen item's 0-based index, or nothing when the director cancelled.
    virtual std::optional<int> Choose(const ChooserRequest& request) = 0;
    virtual std::optional<std::filesystem::path> ChooseFile(const FileRequest& request) = 0;
    virtual void SetBusy(bool busy) = 0;
    // Progress of long work; returns false when the director asked to cancel.
    // The first call opens the display; a call with done >= total (total > 0)
    // closes it, and nothing else does: work that may stop early reports
    // through a ProgressDisplay, which closes it however the work ends.
    virtual bool Progress(long long done, long long total, const std::string& text) = 0;
    // Opens a written report: with the given browser program, or with the
    // desktop's default viewer when browser is empty. Never waits.
    virtual void OpenReport(const std::filesystem::path& file, const std::string& browser) = 0;
    // Called about every 100 ms while waiting for an outside process; returns
    // false when the director asked to cancel the wait.
    virtual bool Idle() = 0;
    // Plain output of a command (the CLI prints it on stdout; windows ignore it).
    virtual void Print(const std::string& text) { (void)text; }
};

// Shows the busy cursor for the lifetime of the guard.
class BusyCursor {
public:
    explicit BusyCursor(Ui& ui) : ui_(ui) { ui_.SetBusy(true); }
    ~BusyCursor() { ui_.SetBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    Ui& ui_;
};

// Reports progress through the UI seam and closes the display when it goes
// out of scope, also after an error or a cancel.
class ProgressDisplay {
public:
    explicit ProgressDisplay(Ui& ui) : ui_(ui) {}
    ~ProgressDisplay() {
        if (open_) ui_.Progress(1, 1, "");
    }
    ProgressDisplay(const ProgressDisplay&) = delete;
    ProgressDisplay& operator=(const ProgressDisplay&) = delete;

    bool Report(long long done, long long total, const std::string& text) {
        open_ = total <= 0 || done < total;
        return ui_.Progress(done, total, text);
    }

private:
    Ui& ui_;
    bool open_ = false;
};

}  // namespace veltrun
