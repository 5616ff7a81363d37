// TFormPly1: registering one player.
#include "gui/add_player_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/error_handler.h"
#include "gui/qt_text.h"
#include "gui/search_result_dialog.h"
#include "store/session.h"

namespace veltrun::gui {

namespace {

template <typename Widget>
Widget* Make(QWidget* parent, const QString& name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    return widget;
}

}  // namespace

AddPlayerDialog::AddPlayerDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName("TFormPly1");
    GB_MAIN = Make<QGroupBox>(this, "GB_MAIN");
    auto* grid = new QGridLayout(GB_MAIN);
    int row = 0;
    auto add = [&](QLabel*& label, const char* labelName, QLineEdit*& field, const char* fieldName) {
        label = Make<QLabel>(GB_MAIN, labelName);
        field = Make<QLineEdit>(GB_MAIN, fieldName);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    };
    add(L_PLAYER, "L_PLAYER", E_PLAYER, "E_PLAYER");
    E_PLAYER->setMinimumWidth(fontMetrics().horizontalAdvance(QString(28, 'n')));
    BTN_SEARCH = Make<QPushButton>(GB_MAIN, "BTN_SEARCH");
    grid->addWidget(BTN_SEARCH, 0, 2);
    add(L_ELO, "L_ELO", E_ELO, "E_ELO");
    E_ELO->setMaxLength(4);
    E_ELO->setMaximumWidth(fontMetrics().horizontalAdvance("000000") + 12);
    add(L_FIDE_ID, "L_FIDE_ID", E_FIDE_ID, "E_FIDE_ID");
    add(L_NATIONAL_ID, "L_NATIONAL_ID", E_NATIONAL_ID, "E_NATIONAL_ID");
    add(L_TEAM_ID, "L_TEAM_ID", E_TEAM_ID, "E_TEAM_ID");
    for (int i = 0; i < 3; ++i) {
        L_OPTIONAL[i] = Make<QLabel>(GB_MAIN, QString("L_OPTIONAL%1").arg(i + 1));
        grid->addWidget(L_OPTIONAL[i], 2 + i, 2);
    }
    grid->setColumnStretch(1, 1);

    BTN_OK = Make<QPushButton>(GB_MAIN, "BTN_OK");
    BTN_OK->setDefault(true);
    BTN_CLOSE = Make<QPushButton>(GB_MAIN, "BTN_CLOSE");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BTN_OK);
    buttons->addWidget(BTN_CLOSE);
    grid->addLayout(buttons, row, 0, 1, 3);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(GB_MAIN);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    QWidget* order[] = {E_PLAYER, BTN_SEARCH, E_ELO, E_FIDE_ID, E_NATIONAL_ID, E_TEAM_ID, BTN_OK, BTN_CLOSE};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);

    connect(BTN_OK, &QPushButton::clicked, this, [this] { GuardedCall(session_, [this] { BTN_OKClick(); }); });
    connect(BTN_SEARCH, &QPushButton::clicked, this, [this] { GuardedCall(session_, [this] { BTN_SEARCHClick(); }); });
    connect(BTN_CLOSE, &QPushButton::clicked, this, &QDialog::reject);
    ApplyTranslations();
}

void AddPlayerDialog::ApplyTranslations() {
    setWindowTitle(Q(session_.tr(65, "Add player")));
    L_PLAYER->setText(Q(session_.tr(66, "Player name")) + ":");
    L_ELO->setText(Q(session_.tr(67, "ELO")) + ":");
    L_FIDE_ID->setText(Q(session_.tr(68, "FIDE ID")) + ":");
    L_NATIONAL_ID->setText(Q(session_.tr(189, "National ID")) + ":");
    L_TEAM_ID->setText(Q(session_.tr(190, "Team ID")) + ":");
    for (QLabel* hint : L_OPTIONAL) hint->setText(Q(session_.tr(69, "(optional)")));
    BTN_OK->setText(Q(session_.tr(20, "Ok")));
    BTN_CLOSE->setText(Q(session_.tr(29, "Close")));
    BTN_SEARCH->setText(Q(session_.tr(158, "Search ...")));
}

void AddPlayerDialog::ShowEmpty() {
    for (QLineEdit* field : {E_PLAYER, E_ELO, E_FIDE_ID, E_NATIONAL_ID, E_TEAM_ID}) field->clear();
    E_PLAYER->setFocus();
    exec();
}

void AddPlayerDialog::BTN_OKClick() {
    ShowInformation(session_, session_.tr(351, "This command is not available in this build."));
}

void AddPlayerDialog::BTN_SEARCHClick() {
    ShowInformation(session_, session_.tr(351, "This command is not available in this build."));
}

}  // namespace veltrun::gui
