// TFormPly1: registering one player.
#include "gui/add_player_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/command_search.h"
#include "gui/error_handler.h"
#include "gui/mnemonics.h"
#include "gui/qt_text.h"
#include "gui/search_result_dialog.h"
#include "gui/tab_order.h"
#include "pairing/player_changes.h"
#include "ratinglist/rating_lines.h"
#include "store/file_limits.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun::gui {

namespace {

template <typename Widget>
Widget* Make(QWidget* parent, const QString& name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    return widget;
}

}  // namespace

AddPlayerDialog::AddPlayerDialog(Session& session, QWidget* parent)
    : QDialog(parent), session_(session), rating_lines_(std::make_unique<RatingLines>()) {
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
    // Return must never search again: after a search it confirms the dialog.
    BTN_SEARCH->setAutoDefault(false);
    grid->addWidget(BTN_SEARCH, 0, 2);
    add(L_ELO, "L_ELO", E_ELO, "E_ELO");
    E_ELO->setMaxLength(4);
    E_ELO->setMaximumWidth(fontMetrics().horizontalAdvance("000000") + 12);
    L_ELO_KIND = Make<QLabel>(GB_MAIN, "L_ELO_KIND");
    grid->addWidget(L_ELO_KIND, 1, 2);
    add(L_FIDE_ID, "L_FIDE_ID", E_FIDE_ID, "E_FIDE_ID");
    add(L_NATIONAL_ID, "L_NATIONAL_ID", E_NATIONAL_ID, "E_NATIONAL_ID");
    add(L_TEAM_ID, "L_TEAM_ID", E_TEAM_ID, "E_TEAM_ID");
    // No longer than every file and report can hold.
    E_PLAYER->setMaxLength(MaxNameChars);
    E_FIDE_ID->setMaxLength(MaxIdChars);
    E_NATIONAL_ID->setMaxLength(MaxIdChars);
    E_TEAM_ID->setMaxLength(MaxNameChars);
    for (int i = 0; i < 3; ++i) {
        L_OPTIONAL[i] = Make<QLabel>(GB_MAIN, QString("L_OPTIONAL%1").arg(i + 1));
        grid->addWidget(L_OPTIONAL[i], 2 + i, 2);
    }
    grid->setColumnStretch(1, 1);

    BTN_OK = Make<QPushButton>(GB_MAIN, "BTN_OK");
    BTN_OK->setDefault(true);
    BTN_CLOSE = Make<QPushButton>(GB_MAIN, "BTN_CLOSE");
    BTN_CLOSE->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BTN_OK);
    buttons->addWidget(BTN_CLOSE);
    grid->addLayout(buttons, row, 0, 1, 3);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(GB_MAIN);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    SetTabOrder({E_PLAYER, BTN_SEARCH, E_ELO, E_FIDE_ID, E_NATIONAL_ID, E_TEAM_ID, BTN_OK, BTN_CLOSE});

    connect(BTN_OK, &QPushButton::clicked, this, [this] { BTN_OKClick(); });
    connect(BTN_SEARCH, &QPushButton::clicked, this, [this] { BTN_SEARCHClick(); });
    connect(BTN_CLOSE, &QPushButton::clicked, this, &QDialog::reject);
    // A rating typed by hand is no longer the taken row's.
    connect(E_ELO, &QLineEdit::textEdited, L_ELO_KIND, &QLabel::clear);
    ApplyTranslations();
}

void AddPlayerDialog::ApplyTranslations() {
    setWindowTitle(Q(session_.tr(65, "Add player")));
    SetMnemonicTexts({{BTN_OK, Q(session_.tr(20, "Ok"))},
                      {BTN_CLOSE, Q(session_.tr(29, "Close"))},
                      {BTN_SEARCH, Q(session_.tr(158, "Search ..."))},
                      {L_PLAYER, Q(session_.tr(66, "Player name")) + ":"},
                      {L_ELO, Q(session_.tr(67, "ELO")) + ":"},
                      {L_FIDE_ID, Q(session_.tr(68, "FIDE ID")) + ":"},
                      {L_NATIONAL_ID, Q(session_.tr(189, "National ID")) + ":"},
                      {L_TEAM_ID, Q(session_.tr(190, "Team ID")) + ":"}});
    for (QLabel* hint : L_OPTIONAL) hint->setText(Q(session_.tr(69, "(optional)")));
}

void AddPlayerDialog::ShowEmpty() {
    for (QLineEdit* field : {E_PLAYER, E_ELO, E_FIDE_ID, E_NATIONAL_ID, E_TEAM_ID}) field->clear();
    L_ELO_KIND->clear();
    E_PLAYER->setFocus();
    exec();
}

AddPlayerDialog::~AddPlayerDialog() = default;

void AddPlayerDialog::BTN_OKClick() {
    AddPlayerFields fields;
    fields.Name = S(E_PLAYER->text());
    fields.ELO = S(E_ELO->text());
    fields.FideID = S(E_FIDE_ID->text());
    fields.NationalID = S(E_NATIONAL_ID->text());
    fields.TeamID = S(E_TEAM_ID->text());
    if (GuardedFieldCall(session_, this, [&] { AddPlayer(session_, fields); })) accept();
}

void AddPlayerDialog::BTN_SEARCHClick() {
    SearchOutcome outcome;
    if (!GuardedCall(session_, [&] { outcome = SearchCommand(session_, *rating_lines_, S(E_PLAYER->text())); }))
        return;
    if (outcome.status == SearchOutcome::Status::EmptyTerm) E_PLAYER->setFocus();
    if (outcome.status != SearchOutcome::Status::Found || !search_results_) return;
    std::vector<std::string> rows;
    for (const SearchRow& row : outcome.rows) rows.push_back(row.Text());
    const auto taken = search_results_->Choose(outcome.caption, outcome.label, rows);
    if (!taken) return;
    // The taken row's cells: type, name, rating, FIDE id, ..., national id (9th).
    E_PLAYER->setText(Q(GetField(*taken, '|', 2)));
    E_ELO->setText(Q(GetField(*taken, '|', 3)));
    E_FIDE_ID->setText(Q(GetField(*taken, '|', 4)));
    E_NATIONAL_ID->setText(Q(GetField(*taken, '|', 9)));
    L_ELO_KIND->setText("(" + Q(GetField(*taken, '|', 1)) + ")");
}

}  // namespace veltrun::gui
