#pragma once
// The UI seam with real widgets: message boxes, the universal chooser, the
// file-open dialog, the busy cursor, progress and the wait for an outside program.
#include <QPointer>
#include <functional>

#include "store/ui.h"

class QProgressDialog;
class QWidget;

namespace veltrun {
class Session;
}

namespace veltrun::gui {

class UniversalChooser;
class WaitDialog;

class QtUi : public Ui {
public:
    QtUi();
    ~QtUi() override;

    // The session gives the chooser its translated messages; the main window
    // is the parent every box is centred on.
    void Attach(Session* session, QWidget* mainWindow, UniversalChooser* chooser);

    Button ShowMessage(const MessageRequest& request) override;
    std::optional<int> Choose(const ChooserRequest& request) override;
    std::optional<std::filesystem::path> ChooseFile(const FileRequest& request) override;
    void SetBusy(bool busy) override;
    bool Progress(long long done, long long total, const std::string& text) override;
    void OpenReport(const std::filesystem::path& file, const std::string& browser) override;
    bool Idle() override;

    // Closes the progress and wait windows a command left open.
    void CommandFinished();

    // Test hooks: when set they answer instead of the real window, so a test
    // never blocks on a modal box.
    std::function<Button(const MessageRequest&)> message_hook;
    std::function<std::optional<std::filesystem::path>(const FileRequest&)> file_hook;
    // Stands in for the opener; returns whether the report could be shown.
    std::function<bool(const std::filesystem::path&)> report_hook;

private:
    QWidget* DialogParent() const;

    Session* session_ = nullptr;
    QPointer<QWidget> main_window_;
    UniversalChooser* chooser_ = nullptr;
    QProgressDialog* progress_ = nullptr;
    WaitDialog* wait_ = nullptr;
    int busy_depth_ = 0;
};

}  // namespace veltrun::gui
