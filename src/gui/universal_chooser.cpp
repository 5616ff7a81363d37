// TFormUniC, the universal chooser.
#include "gui/universal_chooser.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/qt_text.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun::gui {

namespace {
constexpr int DesignedWidth = 472;
}

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
    BTN_OK->setText(Q(session_.tr(20, "Ok")));
    BTN_CLOSE->setText(Q(session_.tr(29, "Close")));
}

void UniversalChooser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    BTN_OK->setFocus();
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
