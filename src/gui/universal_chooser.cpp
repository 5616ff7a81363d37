// TFormUniC, the universal chooser.
#include "gui/universal_chooser.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QKeyEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/mnemonics.h"
#include "gui/qt_text.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun::gui {

namespace {
constexpr int DesignedWidth = 472;

// "[A1] Anna Alpha (2200)" is found by "Anna"; other items by their start.
QString SearchedPart(const QString& item) {
    const qsizetype end = item.startsWith('[') ? item.indexOf("] ") : -1;
    return end < 0 ? item : item.mid(end + 2);
}
}  // namespace

UniversalChooser::UniversalChooser(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName("TFormUniC");
    GB_MAIN = new QGroupBox(this);
    L_UNIVERSAL_TITLE = new QLabel(GB_MAIN);
    L_UNIVERSAL_TITLE->setObjectName("L_UNIVERSAL_TITLE");
    L_UNIVERSAL_TITLE->setWordWrap(true);
    CB_UNIVERSAL = new QComboBox(GB_MAIN);
    CB_UNIVERSAL->setObjectName("CB_UNIVERSAL");
    CB_UNIVERSAL->setEditable(false);
    CB_UNIVERSAL->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    CB_UNIVERSAL->setMinimumContentsLength(12);
    L_UNIVERSAL_TITLE->setBuddy(CB_UNIVERSAL);
    CB_UNIVERSAL->installEventFilter(this);
    BTN_OK = new QPushButton(GB_MAIN);
    BTN_OK->setObjectName("BTN_OK");
    BTN_OK->setDefault(true);
    BTN_CLOSE = new QPushButton(GB_MAIN);
    BTN_CLOSE->setObjectName("BTN_CLOSE");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BTN_OK);
    buttons->addWidget(BTN_CLOSE);
    auto* inner = new QVBoxLayout(GB_MAIN);
    inner->addWidget(L_UNIVERSAL_TITLE);
    inner->addWidget(CB_UNIVERSAL);
    inner->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(GB_MAIN);

    connect(BTN_OK, &QPushButton::clicked, this, &UniversalChooser::BTN_OKClick);
    connect(BTN_CLOSE, &QPushButton::clicked, this, &QDialog::reject);
    ApplyTranslations();
}

std::optional<int> UniversalChooser::Choose(const ChooserRequest& request) {
    confirmed_ = false;
    setWindowTitle(Q(request.caption));
    L_UNIVERSAL_TITLE->setText(Q(request.label));
    CB_UNIVERSAL->clear();
    for (const auto& item : request.items) CB_UNIVERSAL->addItem(Q(item));
    if (request.preselected >= 0 && request.preselected < CB_UNIVERSAL->count())
        CB_UNIVERSAL->setCurrentIndex(request.preselected);
    ApplyTranslations();
    resize(std::max(request.width > 0 ? request.width : DesignedWidth, minimumSizeHint().width()),
           minimumSizeHint().height());
    exec();
    if (!confirmed_) return std::nullopt;
    return CB_UNIVERSAL->currentIndex();
}

void UniversalChooser::ApplyTranslations() {
    SetMnemonicTexts({{BTN_OK, Q(session_.tr(20, "Ok"))}, {BTN_CLOSE, Q(session_.tr(29, "Close"))}});
}

void UniversalChooser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    BTN_OK->setFocus();
}

bool UniversalChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CB_UNIVERSAL && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (!text.isEmpty() && text[0].isPrint() && !text[0].isSpace() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return JumpByName(text);
    }
    return QDialog::eventFilter(watched, event);
}

bool UniversalChooser::JumpByName(const QString& typed) {
    // Letters typed in quick succession make one search term, as in any list.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - last_key_ms_ > QApplication::keyboardInputInterval()) typed_.clear();
    last_key_ms_ = now;
    typed_ += typed;
    const int count = CB_UNIVERSAL->count();
    // A new single letter moves on to the next match; a longer term may stay.
    const int start = typed_.size() == 1 ? CB_UNIVERSAL->currentIndex() + 1 : CB_UNIVERSAL->currentIndex();
    for (int step = 0; step < count; ++step) {
        const int index = (std::max(start, 0) + step) % count;
        if (SearchedPart(CB_UNIVERSAL->itemText(index)).startsWith(typed_, Qt::CaseInsensitive)) {
            CB_UNIVERSAL->setCurrentIndex(index);
            break;
        }
    }
    return true;
}

void UniversalChooser::BTN_OKClick() {
    if (Trim(S(CB_UNIVERSAL->currentText())).empty()) {
        CB_UNIVERSAL->setFocus();
        ShowMessageDialog(session_, session_.tr(74, "Nothing was selected."), MessageKind::Error, {Button::Ok},
                          Button::Ok);
        return;
    }
    confirmed_ = true;
    accept();
}

}  // namespace veltrun::gui
