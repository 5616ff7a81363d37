// The wait for an outside process, with the event loop alive.
#include "gui/wait_dialog.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/qt_text.h"
#include "store/session.h"

namespace veltrun::gui {

WaitDialog::WaitDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("WaitDialog");
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(QStringLiteral("Veltrun"));
    text_ = new QLabel(this);
    text_->setWordWrap(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName("BTN_CANCEL");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(cancel_, 0, Qt::AlignRight);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

void WaitDialog::SetTexts(const Session& session) {
    text_->setText(Q(session.tr(350, "Waiting for the pairing engine ...")));
    cancel_->setText(Q(session.tr(78, "Cancel")));
}

void WaitDialog::Tick() {
    if (!since_first_tick_.isValid()) since_first_tick_.start();
    // A short wait needs no window of its own.
    if (!isVisible() && since_first_tick_.elapsed() > 700) show();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
}

void WaitDialog::Finish() {
    hide();
    since_first_tick_.invalidate();
    cancelled_ = false;
}

}  // namespace veltrun::gui
