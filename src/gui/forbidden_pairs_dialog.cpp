// TFormForb, the forbidden pairs dialog.
#include "gui/forbidden_pairs_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/command_forbidden.h"
#include "app/command_players.h"
#include "gui/qt_text.h"
#include "store/session.h"

namespace veltrun::gui {

namespace {

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons) row->addWidget(button);
    return row;
}

QPushButton* NamedButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

ForbiddenPairsDialog::ForbiddenPairsDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName("TFormForb");
    LB_GROUPS = new QListWidget(this);
    LB_GROUPS->setObjectName("LB_GROUPS");
    BTN_ADD_GROUP = NamedButton(this, "BTN_ADD_GROUP");
    BTN_REMOVE_GROUP = NamedButton(this, "BTN_REMOVE_GROUP");
    BTN_CLOSE = NamedButton(this, "BTN_CLOSE");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LB_GROUPS);
    layout->addLayout(ButtonRow({BTN_ADD_GROUP, BTN_REMOVE_GROUP, BTN_CLOSE}));
    resize(520, 300);

    TFormForbAdd = new QDialog(this);
    TFormForbAdd->setObjectName("TFormForbAdd");
    LB_PLAYERS = new QListWidget(TFormForbAdd);
    LB_PLAYERS->setObjectName("LB_PLAYERS");
    LB_PLAYERS->setSelectionMode(QAbstractItemView::MultiSelection);
    BTN_OK = NamedButton(TFormForbAdd, "BTN_GROUP_OK");
    BTN_OK->setDefault(true);
    BTN_CANCEL = NamedButton(TFormForbAdd, "BTN_GROUP_CLOSE");
    auto* addLayout = new QVBoxLayout(TFormForbAdd);
    addLayout->addWidget(LB_PLAYERS);
    addLayout->addLayout(ButtonRow({BTN_OK, BTN_CANCEL}));
    TFormForbAdd->resize(420, 400);

    connect(BTN_ADD_GROUP, &QPushButton::clicked, this, &ForbiddenPairsDialog::BTN_ADD_GROUPClick);
    connect(BTN_REMOVE_GROUP, &QPushButton::clicked, this, &ForbiddenPairsDialog::BTN_REMOVE_GROUPClick);
    connect(BTN_CLOSE, &QPushButton::clicked, this, &QDialog::accept);
    connect(BTN_OK, &QPushButton::clicked, TFormForbAdd, &QDialog::accept);
    connect(BTN_CANCEL, &QPushButton::clicked, TFormForbAdd, &QDialog::reject);
    ApplyTranslations();
}

void ForbiddenPairsDialog::ShowGroups() {
    ApplyTranslations();
    FillGroups();
    exec();
}

void ForbiddenPairsDialog::ApplyTranslations() {
    setWindowTitle(Q(session_.tr(700, "Forbidden pairs")));
    BTN_ADD_GROUP->setText(Q(session_.tr(710, "Add group ...")));
    BTN_REMOVE_GROUP->setText(Q(session_.tr(711, "Remove group")));
    BTN_CLOSE->setText(Q(session_.tr(29, "Close")));
    TFormForbAdd->setWindowTitle(Q(session_.tr(712, "Players of the new group")));
    BTN_OK->setText(Q(session_.tr(20, "Ok")));
    BTN_CANCEL->setText(Q(session_.tr(29, "Close")));
}

void ForbiddenPairsDialog::FillGroups() {
    LB_GROUPS->clear();
    for (const auto& text : ForbiddenGroupTexts(session_)) LB_GROUPS->addItem(Q(text));
    if (LB_GROUPS->count() > 0) LB_GROUPS->setCurrentRow(0);
    BTN_REMOVE_GROUP->setEnabled(LB_GROUPS->count() > 0);
}

void ForbiddenPairsDialog::BTN_ADD_GROUPClick() {
    LB_PLAYERS->clear();
    for (const auto& item : FillPlayerChooser(session_, PlayerFilter::All))
        if (!item.empty()) LB_PLAYERS->addItem(Q(item));
    if (TFormForbAdd->exec() != QDialog::Accepted) return;
    std::vector<std::string> aliases;
    for (int row = 0; row < LB_PLAYERS->count(); ++row)
        if (LB_PLAYERS->item(row)->isSelected()) aliases.push_back(ArrivalIDOfChooserItem(S(LB_PLAYERS->item(row)->text())));
    ForbidCommand(session_, aliases);
    FillGroups();
}

void ForbiddenPairsDialog::BTN_REMOVE_GROUPClick() {
    int row = LB_GROUPS->currentRow();
    if (row < 0) return;
    RemoveForbiddenGroupCommand(session_, static_cast<std::size_t>(row));
    FillGroups();
}

}  // namespace veltrun::gui
