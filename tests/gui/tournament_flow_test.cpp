// A small tournament run through the real dialogs: new tournament, players,
// a paired round, results with goals, standings and the player changes.
#include <QComboBox>
#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "gui/elided_label.h"
#include "gui_harness.h"
#include "store/text_file.h"
#include "store/text_utils.h"

using veltrun::Button;
using veltrun::MessageKind;
using namespace veltrun::testing;

namespace {

namespace fs = std::filesystem;

// Types into a line edit as the director would.
void Type(QWidget* root, const char* name, const QString& text) {
    auto* edit = Child<QLineEdit>(root, name);
    edit->clear();
    QTest::keyClicks(edit, text);
}

// The control that has the input focus within the dialog.
QString FocusName(QWidget* dialog) { return dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString(); }

std::string LastMessage(const GuiHarness& gui) { return gui.messages.empty() ? "" : gui.messages.back().text; }

// A refusal: its message, then the control that got the focus.
std::string Refusal(const GuiHarness& gui, QWidget* d) { return LastMessage(gui) + " @" + FocusName(d).toStdString(); }

void AddPlayer(GuiHarness& gui, const QString& name, const QString& elo) {
    gui.WhenModal("TFormPly1", [&](QWidget* dialog) {
        Type(dialog, "E_PLAYER", name);
        Type(dialog, "E_ELO", elo);
        Click(dialog, "BTN_OK");
    });
    Click(gui.window.get(), "BTN_PLAYER_ADD");
}

QString Value(GuiHarness& gui, const char* label) { return Child<veltrun::gui::ElidedLabel>(gui.window.get(), label)->FullText(); }

}  // namespace

void GuiTest::GoalsTournamentThroughTheDialogs() {
    GuiHarness gui({{"Options", "ArrUseNumbersOnly", "true"}});
    QWidget* w = gui.window.get();

    // New tournament: the refusals keep the dialog open with the focus on the field.
    gui.WhenModal("TFormNTur", [&](QWidget* dialog) {
        QCOMPARE(FocusName(dialog), QString("BTN_CLOSE"));
        Type(dialog, "E_FOLDER", "Cup");
        Click(dialog, "BTN_OK");
        QCOMPARE(Refusal(gui, dialog), std::string("Number of rounds must be entered. @E_MAX_ROUND"));
        Type(dialog, "E_MAX_ROUND", "3");
        const QPoint centre = dialog->geometry().center();
        Child<QComboBox>(dialog, "CB_TBS_TYPE")->setCurrentIndex(1);
        QCOMPARE(LastMessage(gui), std::string("This setting is not for chess tournaments."));
        auto* tb1 = Child<QComboBox>(dialog, "CB_TB1");
        // The longer Goals items are shown whole, and the wider dialog stays where it was centred.
        auto fits = [tb1] {
            QStyleOptionComboBox option;
            option.initFrom(tb1);
            const int field =
                tb1->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, tb1).width();
            for (int i = 0; i < tb1->count(); ++i)
                if (tb1->fontMetrics().horizontalAdvance(tb1->itemText(i)) > field) return false;
            return true;
        };
        QTRY_VERIFY(fits());  // once the layout has followed the new lists
        QVERIFY((dialog->geometry().center() - centre).manhattanLength() <= 1);
        QCOMPARE(tb1->itemText(0) + " of " + QString::number(tb1->count()), QString("[G1] more goals scored of 6"));
        Click(dialog, "BTN_OK");
    });
    Click(w, "BTN_NEW_TOURNAMENT");
    const fs::path folder = gui.home.path() / "Tourn" / "Cup";
    QVERIFY(fs::exists(folder / "options.txt"));
    QCOMPARE(Value(gui, "L_TOURNAMENT"), QString::fromStdString(folder.string()));
    QCOMPARE(Value(gui, "L_ROUNDS"), QString("0/3"));
    for (const char* name : AllButtons) QVERIFY2(gui.window->ButtonNamed(name)->isEnabled(), name);

    // Four players; a wrong rating is refused in the dialog.
    gui.WhenModal("TFormPly1", [&](QWidget* dialog) {
        Type(dialog, "E_PLAYER", "Dora Delta");
        Type(dialog, "E_ELO", "-5");
        Click(dialog, "BTN_OK");
        QCOMPARE(Refusal(gui, dialog), std::string("ELO must be a positive integer. @E_ELO"));
        Click(dialog, "BTN_CLOSE");
    });
    Click(w, "BTN_PLAYER_ADD");
    int elo = 2300;
    for (const char* name : {"Anna Alpha", "Bert Beta", "Cora Gamma", "Dora Delta"})
        AddPlayer(gui, name, QString::number(elo -= 100));
    QCOMPARE(veltrun::ReadTrimmedLines(folder / "players.txt").size(), size_t(5));

    // Round 1 is paired after the question that closes the starting list (its text: the command line's tests).
    gui.answers = {Button::Yes, Button::Yes};
    Click(w, "BTN_PAIRING");
    QCOMPARE(LastMessage(gui), std::string("Pairing is completed.\nOpen the report of the new round now?"));
    QCOMPARE(gui.reports.size(), size_t(1));  // the offer taken: the new round's report, no round chooser
    QCOMPARE(Value(gui, "L_ROUNDS"), QString("1/3"));

    // Results with goals: each refusal names its field, the last save closes the dialog.
    bool closedItself = false;
    gui.WhenModal("TFormCRes", [&](QWidget* dialog) {
        QVERIFY(Child<QLineEdit>(dialog, "E_GOALS1")->isVisible());
        QCOMPARE(Child<QGroupBox>(dialog, "GB_MAIN")->title(), QString("Round 1"));
        QCOMPARE(FocusName(dialog), QString("CB_RESULT"));
        auto* game = Child<QComboBox>(dialog, "CB_GAME");
        auto* result = Child<QComboBox>(dialog, "CB_RESULT");
        QCOMPARE(game->count(), 2);
        QVERIFY(game->itemText(0).startsWith("[1] "));
        QCOMPARE(result->itemText(0), QString("?-?"));
        Click(dialog, "BTN_SAVE_NEXT");
        QCOMPARE(Refusal(gui, dialog), std::string("Result must be entered. @E_GOALS1"));
        Type(dialog, "E_GOALS1", "2");
        Type(dialog, "E_GOALS2", "x");
        Click(dialog, "BTN_SAVE_NEXT");
        QCOMPARE(Refusal(gui, dialog), std::string("Result must be number. @E_GOALS2"));
        Type(dialog, "E_GOALS2", "1");
        Click(dialog, "BTN_SAVE_NEXT");
        QCOMPARE(Refusal(gui, dialog), std::string("Result must be entered. @CB_RESULT"));
        result->setCurrentIndex(result->findText("1-0"));
        Click(dialog, "BTN_SAVE_NEXT");
        QCOMPARE(game->count(), 1);
        QVERIFY(Child<QLineEdit>(dialog, "E_GOALS1")->text().isEmpty());
        QCOMPARE(result->currentText(), QString("?-?"));
        Type(dialog, "E_GOALS1", "0");
        Type(dialog, "E_GOALS2", "0");
        result->setCurrentIndex(result->findText("0.5-0.5"));
        Click(dialog, "BTN_SAVE_NEXT");
        closedItself = !dialog->isVisible();
    });
    Click(w, "BTN_INPUT_RESULT");
    QVERIFY(closedItself);
    auto game = [&](size_t board) {  // the result and goals of a game of round 1, after the two comment lines
        const std::string line = veltrun::ReadTrimmedLines(folder / "round1.txt").at(board + 1);
        return veltrun::GetField(line, '|', 2) + " " + veltrun::GetField(line, '|', 6);
    };
    QCOMPARE(game(1) + ", " + game(2), std::string("1-0 2:1, 0.5-0.5 0:0"));

    // Opened again from its folder through the Open button: the results are there.
    fs::path offeredFolder;
    gui.ui.file_hook = [&](const veltrun::FileRequest& request) {
        offeredFolder = request.initial_folder;
        return std::optional<fs::path>(folder / "options.txt");
    };
    Click(w, "BTN_OPEN_TOURNAMENT");
    QCOMPARE(offeredFolder, gui.home.path() / "Tourn");
    QCOMPARE(Value(gui, "L_ROUNDS"), QString("1/3"));

    // All is entered: the dialog offers the entered results for a correction, old result shown.
    const size_t before = gui.messages.size();
    Click(w, "BTN_INPUT_RESULT");
    QCOMPARE(gui.messages.size(), before + 1);
    QCOMPARE(LastMessage(gui), std::string("There is nothing to enter (all results have already been inserted). "
                                           "Use button for pairing next round.\n\nDo you want to correct a "
                                           "result already entered?"));
    gui.answers = {Button::Yes, Button::No, Button::Yes};
    gui.WhenModal("TFormCRes", [&](QWidget* dialog) {
        auto* result = Child<QComboBox>(dialog, "CB_RESULT");
        QVERIFY(Child<QComboBox>(dialog, "CB_GAME")->currentText().startsWith("Round 1: [1] "));
        QCOMPARE(result->currentText() + Child<QLineEdit>(dialog, "E_GOALS1")->text(), QString("1-02"));
        result->setCurrentIndex(result->findText("0-1"));
        Type(dialog, "E_GOALS1", "1");
        Type(dialog, "E_GOALS2", "2");
        for (int i = 0; i < 2; ++i) Click(dialog, "BTN_SAVE_CLOSE");  // No keeps the dialog, Yes saves
        QVERIFY(LastMessage(gui).ends_with("Change the result 1-0 (2:1) to 0-1 (1:2)?"));
    });
    Click(w, "BTN_INPUT_RESULT");
    QCOMPARE(game(1), std::string("0-1 1:2"));

    Click(w, "BTN_REPORT_STANDINGS");
    gui.WhenModal("TFormUniC", [&](QWidget* chooser) { Click(chooser, "BTN_OK"); });
    Click(w, "BTN_REPORT_ROUNDS");
    gui.report_shown = false;  // the opener fails: the warning names the written file
    Click(w, "BTN_PUBLISH");
    QCOMPARE(gui.reports.size(), size_t(4));
    for (const auto& report : gui.reports) QVERIFY(fs::exists(report));
    QCOMPARE(gui.Texts(MessageKind::Error).size(), size_t(5));  // the refusals above and nothing else
    QCOMPARE(LastMessage(gui), "The report could not be shown.\n\nYou can view the report by opening the file\n" +
                                   (folder / "site" / "index.html").string());
}

void GuiTest::PlayerChangesThroughTheChooser() {
    GuiHarness gui({{"Options", "ArrUseNumbersOnly", "true"}});
    QWidget* w = gui.window.get();
    gui.WhenModal("TFormNTur", [&](QWidget* dialog) {
        Type(dialog, "E_FOLDER", "Open");
        Type(dialog, "E_MAX_ROUND", "5");
        Click(dialog, "BTN_OK");
    });
    Click(w, "BTN_NEW_TOURNAMENT");
    AddPlayer(gui, "Anna Alpha", "2200");
    AddPlayer(gui, "Bert Beta", "2100");
    const fs::path players = gui.home.path() / "Tourn/Open/players.txt", forbidden = players.parent_path() / "forbidden.txt";

    // Return after taking the standard row of a search confirms the dialog with that rating.
    fs::create_directories(gui.home.path() / "Elo");
    std::ofstream(gui.home.path() / "Elo/elo.txt") << "7|Novak Jan|CZE|M|2100|2050|2000|1980||\n";
    QString kind;
    gui.WhenModal("TFormPly1", [&](QWidget* dialog) {
        QTest::keyClicks(Child<QLineEdit>(dialog, "E_PLAYER"), "novak");
        gui.WhenModal("TFormStrG", [&](QWidget* search) {
            auto* grid = Child<QTableWidget>(search, "StringGrid1");
            grid->setCurrentCell(2, 0);  // blitz, rapid, standard
            QTest::keyClick(grid, Qt::Key_Return);
        });
        QTest::keyClick(Child<QLineEdit>(dialog, "E_PLAYER"), Qt::Key_Tab);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);  // Search
        kind = LabelText(dialog, "L_ELO_KIND");
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    Click(w, "BTN_PLAYER_ADD");
    QCOMPARE(kind, QString("(standard)"));
    QVERIFY(veltrun::ReadTrimmedLines(players).back().find("|Novak Jan|2100|") != std::string::npos);

    // The forbidden pairs: a group made of the players chosen in the list.
    QString listed;
    gui.WhenModal("TFormForb", [&](QWidget* dialog) {
        gui.WhenModal("TFormForbAdd", [&](QWidget* add) {
            auto* list = Child<QListWidget>(add, "LB_PLAYERS");
            QCOMPARE(list->count(), 3);
            for (int i = 0; i < 2; ++i) list->item(i)->setSelected(true);
            Click(add, "BTN_GROUP_OK");
        });
        Click(dialog, "BTN_ADD_GROUP");
        auto* groups = Child<QListWidget>(dialog, "LB_GROUPS");
        QCOMPARE(groups->count(), 1);
        listed = groups->item(0)->text();
        Click(dialog, "BTN_CLOSE");
    });
    Click(w, "BTN_FORBIDDEN_PAIRS");
    QCOMPARE(listed, QString("[A1] Anna Alpha, [A2] Bert Beta"));
    QCOMPARE(veltrun::ReadTrimmedLines(forbidden).back(), std::string("A1 A2"));

    // Before round 1 the chooser deletes; Close deletes nobody, the empty first entry is refused.
    gui.WhenModal("TFormUniC", [&](QWidget* chooser) { Click(chooser, "BTN_CLOSE"); });
    Click(w, "BTN_PLAYER_DELETE");
    QCOMPARE(veltrun::ReadTrimmedLines(players).size(), size_t(4));
    QString caption;
    gui.WhenModal("TFormUniC", [&](QWidget* chooser) {
        caption = chooser->windowTitle();
        auto* list = Child<QComboBox>(chooser, "CB_UNIVERSAL");
        QCOMPARE(list->count(), 4);
        Click(chooser, "BTN_OK");
        QCOMPARE(LastMessage(gui), std::string("Nothing was selected."));
        QTest::keyClicks(list, "be");  // by name, not by the alias
        QCOMPARE(list->currentText(), QString("[A2] Bert Beta (2100)"));
        Click(chooser, "BTN_OK");
    });
    Click(w, "BTN_PLAYER_DELETE");
    QCOMPARE(caption, QString("Delete player"));
    QCOMPARE(veltrun::ReadTrimmedLines(players).size(), size_t(3));

    // Nobody is suspended: the restore command says so and shows no chooser.
    Click(w, "BTN_PLAYER_RESTORATION");
    QCOMPARE(LastMessage(gui), std::string("No player found for this action."));

    // A second New asks first; No keeps the open tournament.
    gui.answers = {Button::No};
    Click(w, "BTN_NEW_TOURNAMENT");
    QCOMPARE(LastMessage(gui), std::string("Do you really want to create new tournament?"));
    QCOMPARE(gui.messages.back().default_button, Button::No);
    QVERIFY(Value(gui, "L_TOURNAMENT").endsWith("Open"));
}
