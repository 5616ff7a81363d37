#pragma once
// Shown while the program waits for an outside process: keeps the windows
// repainting and offers a Cancel button.
#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QPushButton;

namespace veltrun {
class Session;
}

namespace veltrun::gui {

class WaitDialog : public QDialog {
    Q_OBJECT
public:
    explicit WaitDialog(QWidget* parent);
    void SetTexts(const Session& session);
    // One step of the wait: shows the window after a moment and handles the
    // events of about 100 ms.
    void Tick();
    bool Cancelled() const { return cancelled_; }
    // The wait is over: hide and forget the cancel request.
    void Finish();

private:
    QLabel* text_;
    QPushButton* cancel_;
    QElapsedTimer since_first_tick_;
    bool cancelled_ = false;
};

}  // namespace veltrun::gui
