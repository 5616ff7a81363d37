// TFormNTur: the new-tournament dialog.
#include "gui/new_tournament_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "gui/error_handler.h"
#include "gui/mnemonics.h"
#include "gui/qt_text.h"
#include "gui/tab_order.h"
#include "app/command_new_tournament.h"
#include "store/file_limits.h"
#include "store/new_tournament.h"
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

NewTournamentDialog::NewTournamentDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName("TFormNTur");
    GB_MAIN = Make<QGroupBox>(this, "GB_MAIN");
    auto* grid = new QGridLayout(GB_MAIN);
    int row = 0;
    auto add = [&](QLabel*& label, const char* labelName, QWidget* field) {
        label = Make<QLabel>(GB_MAIN, labelName);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        ++row;
    };
    E_FOLDER = Make<QLineEdit>(GB_MAIN, "E_FOLDER");
    E_FOLDER->setMaxLength(MaxFolderChars);
    add(L_FOLDER, "L_FOLDER", E_FOLDER);
    E_MAX_ROUND = Make<QLineEdit>(GB_MAIN, "E_MAX_ROUND");
    add(L_MAX_ROUND, "L_MAX_ROUND", E_MAX_ROUND);
    CB_1ST_COLOUR = Make<QComboBox>(GB_MAIN, "CB_1ST_COLOUR");
    add(L_1ST_COLOUR, "L_1ST_COLOUR", CB_1ST_COLOUR);
    CB_POINTS_TYPE = Make<QComboBox>(GB_MAIN, "CB_POINTS_TYPE");
    add(L_POINTS_TYPE, "L_POINTS_TYPE", CB_POINTS_TYPE);
    CB_TBS_TYPE = Make<QComboBox>(GB_MAIN, "CB_TBS_TYPE");
    add(L_TBS_TYPE, "L_TBS_TYPE", CB_TBS_TYPE);
    for (int k = 0; k < 5; ++k) {
        CB_TB[k] = Make<QComboBox>(GB_MAIN, QString("CB_TB%1").arg(k + 1));
        add(L_TB[k], QString("L_TB%1").arg(k + 1).toLatin1().constData(), CB_TB[k]);
    }
    // Every list as wide as its longest item, in any language and for either type.
    for (QComboBox* list : findChildren<QComboBox*>()) list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 240);

    BTN_OK = Make<QPushButton>(GB_MAIN, "BTN_OK");
    BTN_CLOSE = Make<QPushButton>(GB_MAIN, "BTN_CLOSE");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BTN_OK);
    buttons->addWidget(BTN_CLOSE);
    grid->addLayout(buttons, row, 0, 1, 2);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(GB_MAIN);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    SetTabOrder({E_FOLDER, E_MAX_ROUND, CB_1ST_COLOUR, CB_POINTS_TYPE, CB_TBS_TYPE, CB_TB[0], CB_TB[1],
                        CB_TB[2], CB_TB[3], CB_TB[4], BTN_OK, BTN_CLOSE});

    connect(CB_TBS_TYPE, &QComboBox::currentIndexChanged, this, [this] { CB_TBS_TYPEChange(); });
    connect(BTN_OK, &QPushButton::clicked, this, [this] { BTN_OKClick(); });
    connect(BTN_CLOSE, &QPushButton::clicked, this, &QDialog::reject);
    ApplyTranslations();
}

void NewTournamentDialog::ApplyTranslations() {
    setWindowTitle(Q(session_.tr(35, "New tournament")));
    std::vector<std::pair<QWidget*, QString>> texts = {
        {BTN_OK, Q(session_.tr(20, "Ok"))},
        {BTN_CLOSE, Q(session_.tr(29, "Close"))},
        {L_FOLDER, Q(session_.tr(36, "Directory name")) + ":"},
        {L_MAX_ROUND, Q(session_.tr(37, "Number of rounds")) + ":"},
        {L_1ST_COLOUR, Q(session_.tr(38, "1st player colour")) + ":"},
        {L_POINTS_TYPE, Q(session_.tr(39, "Points awarded")) + ":"},
        {L_TBS_TYPE, Q(session_.tr(40, "Type of aux. eval.")) + ":"}};
    // The tie-break labels keep their look: their digit is the key.
    for (int k = 0; k < 5; ++k) L_TB[k]->setText(Q(session_.tr(41, "TB")) + QString("&%1:").arg(k + 1));
    SetMnemonicTexts(texts);
}

void NewTournamentDialog::OpenNewTournament() {
    E_FOLDER->setText(Q(session_.tr(53, "Tourn") + DateStamp()));
    E_MAX_ROUND->clear();
    {
        const QSignalBlocker block(CB_TBS_TYPE);
        auto fill = [](QComboBox* list, const std::vector<ListItem>& items) {
            list->clear();
            for (const auto& item : items) list->addItem(Q(item.Text));
        };
        fill(CB_1ST_COLOUR, ColourItems(session_));
        fill(CB_POINTS_TYPE, PointsTypeItems());
        fill(CB_TBS_TYPE, TbsTypeItems(session_));
    }
    FillTieBreakLists("Chess");
    BTN_CLOSE->setFocus();
    exec();
}

void NewTournamentDialog::FillTieBreakLists(const std::string& type) {
    const auto items = TieBreakItems(session_, type);
    const int fallback = static_cast<int>(items.size()) - 1;
    for (int k = 0; k < 5; ++k) {
        CB_TB[k]->clear();
        for (const auto& item : items) CB_TB[k]->addItem(Q(item.Text));
        CB_TB[k]->setCurrentIndex(DefaultTieBreakIndex(session_, k + 1, type, fallback));
    }
}

void NewTournamentDialog::CB_TBS_TYPEChange() {
    const std::string type = SelectedCode(CB_TBS_TYPE) == "Goals" ? "Goals" : "Chess";
    FillTieBreakLists(type);
    // The warning comes after the lists show the new type's defaults.
    GuardedCall(session_, [&] { TbsTypeChanged(session_, type); });
}

std::string NewTournamentDialog::SelectedCode(const QComboBox* list) const {
    return CodeOfItem(S(list->currentText()));
}

void NewTournamentDialog::BTN_OKClick() {
    NewTournamentFields fields;
    fields.FolderName = S(E_FOLDER->text());
    fields.MaxRound = S(E_MAX_ROUND->text());
    fields.Colour = SelectedCode(CB_1ST_COLOUR);
    fields.PointsType = S(CB_POINTS_TYPE->currentText());
    fields.TBsType = SelectedCode(CB_TBS_TYPE);
    for (int k = 0; k < 5; ++k) fields.TB[static_cast<size_t>(k)] = SelectedCode(CB_TB[k]);
    if (GuardedFieldCall(session_, this, [&] { CreateTournament(session_, fields); })) accept();
}

}  // namespace veltrun::gui
