// TFormCRes: typing in the results of the current round.
#include "gui/result_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/command_results.h"
#include "gui/error_handler.h"
#include "gui/mnemonics.h"
#include "gui/qt_text.h"
#include "gui/tab_order.h"
#include "store/text_utils.h"
#include "store/session.h"

namespace veltrun::gui {

namespace {

template <typename Widget>
Widget* Make(QWidget* parent, const char* name) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    return widget;
}

}  // namespace

ResultDialog::ResultDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName("TFormCRes");
    GB_MAIN = Make<QGroupBox>(this, "GB_MAIN");
    L_GAME = Make<QLabel>(GB_MAIN, "L_GAME");
    CB_GAME = Make<QComboBox>(GB_MAIN, "CB_GAME");
    CB_GAME->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    L_RESULT = Make<QLabel>(GB_MAIN, "L_RESULT");
    CB_RESULT = Make<QComboBox>(GB_MAIN, "CB_RESULT");
    L_GOALS12 = Make<QLabel>(GB_MAIN, "L_GOALS12");
    E_GOALS1 = Make<QLineEdit>(GB_MAIN, "E_GOALS1");
    L_COLON = Make<QLabel>(GB_MAIN, "L_COLON");
    L_COLON->setText(":");
    E_GOALS2 = Make<QLineEdit>(GB_MAIN, "E_GOALS2");
    for (QLineEdit* goals : {E_GOALS1, E_GOALS2}) goals->setMaximumWidth(fontMetrics().horizontalAdvance("00000") + 12);
    L_GAME->setBuddy(CB_GAME);
    L_RESULT->setBuddy(CB_RESULT);
    L_GOALS12->setBuddy(E_GOALS1);
    CHK_CORRECT = Make<QCheckBox>(GB_MAIN, "CHK_CORRECT");
    BTN_SAVE_CLOSE = Make<QPushButton>(GB_MAIN, "BTN_SAVE_CLOSE");
    BTN_SAVE_NEXT = Make<QPushButton>(GB_MAIN, "BTN_SAVE_NEXT");
    BTN_SAVE_NEXT->setMinimumHeight(BTN_SAVE_NEXT->sizeHint().height() * 3 / 2);
    BTN_SAVE_NEXT->setDefault(true);
    BTN_CLOSE = Make<QPushButton>(GB_MAIN, "BTN_CLOSE");

    auto* goals = new QHBoxLayout;
    goals->addWidget(E_GOALS1);
    goals->addWidget(L_COLON);
    goals->addWidget(E_GOALS2);
    goals->addStretch();
    auto* grid = new QGridLayout;
    grid->addWidget(L_GAME, 0, 0);
    grid->addWidget(CB_GAME, 0, 1);
    grid->addWidget(L_RESULT, 1, 0);
    grid->addWidget(CB_RESULT, 1, 1, Qt::AlignLeft);
    grid->addWidget(L_GOALS12, 2, 0);
    grid->addLayout(goals, 2, 1);
    grid->addWidget(CHK_CORRECT, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BTN_SAVE_CLOSE, 0, Qt::AlignBottom);
    buttons->addWidget(BTN_SAVE_NEXT, 1);
    buttons->addWidget(BTN_CLOSE, 0, Qt::AlignBottom);
    auto* inner = new QVBoxLayout(GB_MAIN);
    inner->addLayout(grid);
    inner->addSpacing(8);
    inner->addLayout(buttons);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(GB_MAIN);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    SetTabOrder({CB_GAME, CB_RESULT, E_GOALS1, E_GOALS2, CHK_CORRECT, BTN_SAVE_CLOSE, BTN_SAVE_NEXT, BTN_CLOSE});
    for (QPushButton* button : {BTN_SAVE_CLOSE, BTN_CLOSE}) button->setAutoDefault(false);

    connect(BTN_SAVE_CLOSE, &QPushButton::clicked, this, [this] { BTN_SAVE_CLOSEClick(); });
    connect(BTN_SAVE_NEXT, &QPushButton::clicked, this, [this] { BTN_SAVE_NEXTClick(); });
    connect(BTN_CLOSE, &QPushButton::clicked, this, &QDialog::reject);
    connect(CHK_CORRECT, &QCheckBox::toggled, this, [this] { FillGames(); });
    connect(CB_GAME, &QComboBox::currentIndexChanged, this, [this] { ShowOldResult(); });
    ApplyTranslations();
}

void ResultDialog::ApplyTranslations() {
    setWindowTitle(Q(session_.tr(23, "Inserting results")));
    SetMnemonicTexts({{BTN_SAVE_NEXT, Q(session_.tr(28, "Save result and Next ..."))},
                      {BTN_SAVE_CLOSE, Q(session_.tr(27, "Save result and Close"))},
                      {BTN_CLOSE, Q(session_.tr(29, "Close"))},
                      {L_GAME, Q(session_.tr(24, "Game")) + ":"},
                      {L_RESULT, Q(session_.tr(25, "Result")) + ":"},
                      {L_GOALS12, Q(session_.tr(26, "Score")) + ":"},
                      {CHK_CORRECT, Q(session_.tr(509, "Correct a result already entered"))}});
    // Which round is being entered; a correction names each game's round.
    GB_MAIN->setTitle(CHK_CORRECT->isChecked()
                          ? QString()
                          : Q(session_.tr(3, "Round")) + " " + QString::number(session_.tournament.CurrentRound));
}

void ResultDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CB_RESULT->setFocus();
}

void ResultDialog::OpenResultEntry() {
    bool allEntered = false;
    if (!GuardedCall(session_, [&] {
            allEntered = GamesToEnter(session_, session_.tournament).empty() && !EnteredResults(session_).empty();
        }))
        return;
    // All is entered: what is left is to correct a wrong result.
    const bool correct =
        allEntered && AskYesNo(session_,
                               session_.tr(112, "There is nothing to enter (all results have already been "
                                                "inserted). Use button for pairing next round.") +
                                   "\n\n" + session_.tr(510, "Do you want to correct a result already entered?"),
                               Button::No);
    if (allEntered && !correct) return;
    if (!correct) {
        const auto items = veltrun::OpenResultEntry(session_);
        if (!items || items->empty()) return;  // the reason was shown
    }
    CB_RESULT->clear();
    for (const std::string& code : ResultChoices(session_.tournament)) CB_RESULT->addItem(Q(code));
    CB_RESULT->setMaxVisibleItems(CB_RESULT->count());
    const bool goals = session_.tournament.TBsType == "Goals";
    for (QWidget* control : std::initializer_list<QWidget*>{L_GOALS12, E_GOALS1, L_COLON, E_GOALS2})
        control->setVisible(goals);
    {
        const QSignalBlocker block(CHK_CORRECT);
        CHK_CORRECT->setChecked(correct);
    }
    FillGames();
    exec();
}

void ResultDialog::FillGames() {
    ApplyTranslations();
    std::vector<ResultGameItem> items;
    old_results_.clear();
    old_goals_.clear();
    if (!GuardedCall(session_, [&] {
            if (!CHK_CORRECT->isChecked()) {
                items = veltrun::FillGameList(session_.tournament, GamesToEnter(session_, session_.tournament));
                return;
            }
            for (EnteredResult& entered : EnteredResults(session_)) {
                entered.item.Label = session_.tr(3, "Round") + " " + std::to_string(entered.item.Round) + ": " +
                                     entered.item.Label + "  (" + entered.result + ")";
                items.push_back(entered.item);
                old_results_.push_back(entered.result);
                old_goals_.push_back(entered.goals);
            }
        }))
        items.clear();
    E_GOALS1->clear();
    E_GOALS2->clear();
    CB_RESULT->setCurrentIndex(0);
    FillGameList(items);
    CB_RESULT->setFocus();
}

void ResultDialog::ShowOldResult() {
    const int index = CB_GAME->currentIndex();
    if (!CHK_CORRECT->isChecked() || index < 0 || index >= static_cast<int>(old_results_.size())) return;
    const auto at = static_cast<size_t>(index);
    CB_RESULT->setCurrentIndex(std::max(0, CB_RESULT->findText(Q(old_results_[at]))));
    E_GOALS1->setText(Q(GetField(old_goals_[at], ':', 1)));
    E_GOALS2->setText(Q(GetField(old_goals_[at], ':', 2)));
}

void ResultDialog::FillGameList(const std::vector<ResultGameItem>& items) {
    items_ = items;
    CB_GAME->clear();
    // The item text carries the game id and round after its visible part.
    for (const ResultGameItem& item : items_) CB_GAME->addItem(Q(item.Label), Q(item.Text()));
    CB_GAME->setCurrentIndex(0);
    ShowOldResult();
}

bool ResultDialog::SaveResult() {
    const int index = CB_GAME->currentIndex();
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    ResultFields fields;
    fields.GameId = items_[static_cast<size_t>(index)].GameId;
    fields.Round = items_[static_cast<size_t>(index)].Round;
    fields.ResultCode = S(CB_RESULT->currentText());
    fields.GoalsWhite = S(E_GOALS1->text());
    fields.GoalsBlack = S(E_GOALS2->text());
    if (!CHK_CORRECT->isChecked())
        return GuardedFieldCall(session_, this, [&] { veltrun::SaveResult(session_, fields); });
    bool done = false;
    return GuardedFieldCall(session_, this, [&] { done = CorrectResult(session_, fields) != Correction::declined; }) &&
           done;
}

void ResultDialog::BTN_SAVE_CLOSEClick() {
    if (SaveResult()) accept();
}

void ResultDialog::BTN_SAVE_NEXTClick() {
    if (!SaveResult()) return;
    const int next = CB_GAME->currentIndex() + 1;
    FillGames();
    if (!CHK_CORRECT->isChecked() && items_.empty()) {
        accept();
        return;
    }
    // A correction goes on with the game after the corrected one.
    if (CHK_CORRECT->isChecked() && next < CB_GAME->count()) CB_GAME->setCurrentIndex(next);
}

}  // namespace veltrun::gui
