// The UI seam with real widgets.
#include "gui/qt_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

#include "gui/qt_text.h"
#include "gui/svg_pictures.h"
#include "gui/universal_chooser.h"
#include "gui/wait_dialog.h"
#include "store/session.h"

namespace veltrun::gui {

namespace {

QMessageBox::Icon KindIcon(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return QMessageBox::Warning;
        case MessageKind::Error: return QMessageBox::Critical;
        case MessageKind::Information: return QMessageBox::Information;
        case MessageKind::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole Role(Button button) {
    switch (button) {
        case Button::Yes: return QMessageBox::YesRole;
        case Button::No: return QMessageBox::NoRole;
        case Button::Ok: case Button::All: return QMessageBox::AcceptRole;
        case Button::Cancel: case Button::Abort: return QMessageBox::RejectRole;
        case Button::Help: return QMessageBox::HelpRole;
        case Button::Retry: case Button::Ignore: return QMessageBox::ActionRole;
    }
    return QMessageBox::ActionRole;
}

// Our own pictures, drawn at the screen's scale, so the box is as sharp as the buttons.
QString KindPicture(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return QStringLiteral("message_warning");
        case MessageKind::Error: return QStringLiteral("message_error");
        case MessageKind::Information: return QStringLiteral("message_information");
        case MessageKind::Confirmation: return QStringLiteral("message_question");
    }
    return QStringLiteral("message_information");
}

// Name filters on Linux are case sensitive; "*.TRF" should also find "x.trf".
QString FilterText(const FileRequest& request) {
    QStringList filters;
    for (const auto& [description, pattern] : request.filters) {
        QString patterns = Q(pattern);
        const QString lower = patterns.toLower();
        if (lower != patterns) patterns += ' ' + lower;
        filters << Q(description) + " (" + patterns + ")";
    }
    return filters.join(";;");
}

}  // namespace

QtUi::QtUi() = default;
QtUi::~QtUi() = default;

void QtUi::Attach(Session* session, QWidget* mainWindow, UniversalChooser* chooser) {
    session_ = session;
    main_window_ = mainWindow;
    chooser_ = chooser;
}

QWidget* QtUi::DialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return main_window_.data();
}

Button QtUi::ShowMessage(const MessageRequest& request) {
    if (message_hook) return message_hook(request);
    QMessageBox box(KindIcon(request.kind), Q(request.title), Q(request.text), QMessageBox::NoButton, DialogParent());
    box.setObjectName("MessageBox");
    box.setTextFormat(Qt::PlainText);
    box.setIconPixmap(SvgPixmap(KindPicture(request.kind), box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize),
                                box.devicePixelRatio()));
    std::vector<std::pair<QAbstractButton*, Button>> made;
    for (size_t i = 0; i < request.buttons.size(); ++i) {
        const Button button = request.buttons[i];
        const QString caption = i < request.captions.size() ? Q(request.captions[i]) : QString();
        QPushButton* widget = box.addButton(caption, Role(button));
        made.emplace_back(widget, button);
        if (button == request.default_button) box.setDefaultButton(widget);
        if (button == Button::No || button == Button::Cancel || request.buttons.size() == 1) box.setEscapeButton(widget);
    }
    // Waiting for an answer is no time for the hourglass.
    const bool busy = busy_depth_ > 0;
    if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy) QApplication::restoreOverrideCursor();
    for (const auto& [widget, button] : made)
        if (box.clickedButton() == widget) return button;
    return request.default_button;
}

std::optional<int> QtUi::Choose(const ChooserRequest& request) {
    if (!chooser_) return std::nullopt;
    return chooser_->Choose(request);
}

std::optional<std::filesystem::path> QtUi::ChooseFile(const FileRequest& request) {
    if (file_hook) return file_hook(request);
    QString selected;
    const QString file = QFileDialog::getOpenFileName(DialogParent(), Q(request.caption),
                                                      Q(request.initial_folder.string()), FilterText(request), &selected);
    if (file.isEmpty()) return std::nullopt;
    return std::filesystem::path(file.toStdString());
}

void QtUi::SetBusy(bool busy) {
    if (busy) {
        if (busy_depth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busy_depth_ > 0) {
        if (--busy_depth_ == 0) QApplication::restoreOverrideCursor();
    }
}

bool QtUi::Progress(long long done, long long total, const std::string& text) {
    if (!progress_) {
        progress_ = new QProgressDialog(main_window_.data());
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setMinimumDuration(400);
        progress_->setAutoReset(false);
        progress_->setAutoClose(false);
        progress_->setWindowTitle(QStringLiteral("Veltrun"));
    }
    if (session_) progress_->setCancelButtonText(Q(session_->tr(78, "Cancel")));
    // QProgressDialog counts in int; large totals are scaled down to per mille.
    const bool scaled = total > 1000000;
    progress_->setMaximum(static_cast<int>(scaled ? 1000 : std::max(total, 0LL)));
    progress_->setLabelText(Q(text));
    progress_->setValue(static_cast<int>(scaled ? done * 1000 / total : done));
    QApplication::processEvents();
    const bool cancelled = progress_->wasCanceled();
    if (cancelled || (total > 0 && done >= total)) progress_->reset();
    return !cancelled;
}

void QtUi::OpenReport(const std::filesystem::path& file, const std::string& browser) {
    bool shown = false;
    if (report_hook) {
        shown = report_hook(file);
    } else {
        const QString path = Q(file.string());
        shown = (!browser.empty() && QProcess::startDetached(Q(browser), {path})) ||
                QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
    // The file was written: a report that cannot be shown must still be found.
    if (!shown && session_)
        ShowWarning(*session_, session_->tr(500, "The report could not be shown.") + "\n\n" +
                                   session_->tr(501, "You can view the report by opening the file") + "\n" +
                                   file.string());
}

bool QtUi::Idle() {
    if (!wait_) wait_ = new WaitDialog(main_window_.data());
    if (session_) wait_->SetTexts(*session_);
    wait_->Tick();
    return !wait_->Cancelled();
}

void QtUi::CommandFinished() {
    if (progress_) progress_->reset();
    if (wait_) wait_->Finish();
    while (busy_depth_ > 0) SetBusy(false);
}

}  // namespace veltrun::gui
