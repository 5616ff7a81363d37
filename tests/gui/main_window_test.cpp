// The main window, its dialogs and the language switch, driven through the
// real widgets with the message boxes answered by the test.
#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QScreen>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>
#include <stdexcept>

#include "gui/about_box.h"
#include "gui/add_player_dialog.h"
#include "gui/new_tournament_dialog.h"
#include "gui/result_dialog.h"
#include "gui/search_result_dialog.h"
#include "gui/universal_chooser.h"
#include "gui_harness.h"
#include "widget_lookup.h"
#include "store/errors.h"
#include "store/ini_file.h"

using veltrun::Button;
using veltrun::MessageKind;
using veltrun::testing::GuiHarness;
using namespace veltrun::testing;


class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void StartStateAndAboutBox();
    void CloseQuestionAndPlacement();
    void LanguageSwitchReachesEveryWindowAndBack();
    void ErrorOfACommandShowsOneBox();
    void SeamShowsRealBoxesAndCancels();
};

void MainWindowTest::StartStateAndAboutBox() {
    GuiHarness gui;
    QWidget* w = gui.window.get();
    QCOMPARE(w->windowTitle(), QString(" Veltrun"));
    int enabled = 0;
    for (const char* name : AllButtons) {
        QToolButton* button = gui.window->ButtonNamed(name);
        QVERIFY2(button, name);
        QVERIFY2(!button->toolTip().isEmpty(), name);
        enabled += button->isEnabled();
    }
    QCOMPARE(enabled, 5);
    for (const char* name : {"BTN_LANGUAGE", "BTN_NEW_TOURNAMENT", "BTN_OPEN_TOURNAMENT", "BTN_ABOUT", "BTN_EXIT"})
        QVERIFY2(gui.window->ButtonNamed(name)->isEnabled(), name);
    QCOMPARE(LabelText(w, "L_TOURNAMENT_CAPTION"), QString("Tournament Folder:"));
    QVERIFY(Child<QLabel>(w, "L_TOURNAMENT")->text().isEmpty());
    QVERIFY(!Child<QLabel>(w, "L_ROUNDS_CAPTION")->isEnabled());
    QCOMPARE(gui.window->ButtonNamed("BTN_PAIRING")->toolTip(), QString("Pairing (Ctrl+P)"));

    // The About box, from its key shows the build's version; Ctrl+Alt+middle click swaps its picture.
    QString version;
    QPoint picturePlace;
    QImage before, after;
    gui.WhenModal("TFormAbou", [&](QWidget* about) {
        version = LabelText(about, "L_VERSION");
        auto* picture = Child<QLabel>(about, "Image1");
        before = picture->pixmap().toImage();
        QTest::mouseClick(picture, Qt::MiddleButton, Qt::ControlModifier);  // not enough keys: nothing
        QCOMPARE(picture->pixmap().toImage(), before);
        QTest::mouseClick(picture, Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier);
        after = picture->pixmap().toImage();
        picturePlace = picture->pos();
        Click(about, "BTN_OK");
    });
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QTest::keyClick(w, Qt::Key_F1);
    QTRY_COMPARE(version, QString(VELTRUN_VERSION));
    QVERIFY(!before.isNull());
    QVERIFY(after != before);
    QCOMPARE(picturePlace, QPoint(0, 0));
    QVERIFY(gui.messages.empty());
}

void MainWindowTest::CloseQuestionAndPlacement() {
    {
        GuiHarness gui({{"FormMain", "CloseQuery", "true"}});
        gui.answers = {Button::No};
        QVERIFY(!gui.window->close());
        QVERIFY(gui.window->isVisible());
        QCOMPARE(gui.messages.size(), size_t(1));
        QCOMPARE(gui.messages[0].text, std::string("Do you really want to exit program?"));
        QCOMPARE(gui.messages[0].default_button, Button::No);

        gui.window->setGeometry(100, 120, 420, 400);
        gui.answers = {Button::Yes};
        QVERIFY(gui.window->close());
        const veltrun::Settings saved = veltrun::LoadSettings(gui.home.path() / "Veltrun.ini");
        QCOMPARE(saved.FormMainLeft.value_or(-1), 100);
        QCOMPARE(saved.FormMainTop.value_or(-1), 120);
        QCOMPARE(saved.FormMainWidth.value_or(-1), 420);
        QCOMPARE(saved.FormMainHeight.value_or(-1), 400);

        // The next start takes the saved placement back.
        GuiHarness again;
        std::filesystem::copy_file(gui.home.path() / "Veltrun.ini", again.home.path() / "Veltrun.ini",
                                   std::filesystem::copy_options::overwrite_existing);
        again.session->ReloadSettings();
        again.window->Start("");
        QCOMPARE(again.window->geometry(), QRect(100, 120, 420, 400));
        // A title bar off every screen (24 pixels of window left, or above the top): centred instead.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        for (const QRect& placed : {QRect(screen.right() - 24, 120, 420, 400), QRect(100, -300, 420, 400)}) {
            for (const auto& [key, value] : {std::pair{"Left", placed.left()}, {"Top", placed.top()}})
                veltrun::IniWriteString(again.home.path() / "Veltrun.ini", "FormMain", key, std::to_string(value));
            again.session->ReloadSettings();
            again.window->Start("");
            QVERIFY((again.window->geometry().center() - screen.center()).manhattanLength() <= 2);
        }
    }
    GuiHarness quiet;  // CloseQuery false: no question
    QVERIFY(quiet.window->close());
    QVERIFY(quiet.messages.empty());
}

void MainWindowTest::LanguageSwitchReachesEveryWindowAndBack() {
    GuiHarness gui;
    QWidget* w = gui.window.get();
    auto choose = [&](const QString& language) {
        gui.WhenModal("TFormUniC", [language](QWidget* chooser) {
            auto* list = Child<QComboBox>(chooser, "CB_UNIVERSAL");
            QCOMPARE(list->itemText(0), QString("English (built-in)"));
            list->setCurrentIndex(list->findText(language));
            Click(chooser, "BTN_OK");
        });
        Click(w, "BTN_LANGUAGE");
    };

    choose("Deutsch.txt");
    QCOMPARE(veltrun::IniReadString(gui.home.path() / "Veltrun.ini", "Options", "Language"), std::string("Deutsch.txt"));
    QCOMPARE(LabelText(w, "L_TOURNAMENT_CAPTION"), QString("Turnierordner:"));
    QCOMPARE(gui.window->ButtonNamed("BTN_PAIRING")->toolTip(), QString("Auslosung (Strg+P)"));  // Qt's own texts too
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));
    QCOMPARE(gui.window->About().windowTitle(), QString("Über das Programm"));
    QCOMPARE(gui.window->Results().windowTitle(), QString("Ergebnisse eingeben"));
    QCOMPARE(LabelText(&gui.window->NewTournament(), "L_TB3"), QString("FW&3:"));
    QCOMPARE(LabelText(&gui.window->AddPlayer(), "L_PLAYER"), QString("&Name des Spielers:"));
    auto* grid = Child<QTableWidget>(&gui.window->SearchResults(), "StringGrid1");
    QCOMPARE(grid->horizontalHeaderItem(5)->text(), QString("Land"));
    QCOMPARE(ButtonText(&gui.window->Chooser(), "BTN_CLOSE"), QString("&Schließen"));

    // A wrong --lang name falls back to English for this run only.
    gui.window->Start("Klingon");
    QCOMPARE(gui.Texts(MessageKind::Warning).size(), size_t(1));
    QVERIFY(gui.messages.back().text.find("Klingon") != std::string::npos);
    QCOMPARE(LabelText(w, "L_TOURNAMENT_CAPTION"), QString("Tournament Folder:"));
    QCOMPARE(veltrun::IniReadString(gui.home.path() / "Veltrun.ini", "Options", "Language"), std::string("Deutsch.txt"));
    gui.window->Start("Deutsch");
    QCOMPARE(LabelText(w, "L_TOURNAMENT_CAPTION"), QString("Turnierordner:"));

    choose("English (built-in)");
    QCOMPARE(veltrun::IniReadString(gui.home.path() / "Veltrun.ini", "Options", "Language"),
             std::string("English (built-in)"));
    QCOMPARE(LabelText(w, "L_TOURNAMENT_CAPTION"), QString("Tournament Folder:"));
    QCOMPARE(gui.window->ButtonNamed("BTN_PAIRING")->toolTip(), QString("Pairing (Ctrl+P)"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    QCOMPARE(LabelText(&gui.window->AddPlayer(), "L_PLAYER"), QString("&Player name:"));
    QCOMPARE(grid->horizontalHeaderItem(5)->text(), QString("Country"));
    QCOMPARE(gui.messages.size(), size_t(1));
}

void MainWindowTest::ErrorOfACommandShowsOneBox() {
    GuiHarness gui;
    gui.window->RunCommand([] { throw veltrun::myException("The file round3.txt is damaged."); });
    gui.window->RunCommand([] { throw std::runtime_error("basic_ios::clear"); });
    QCOMPARE(gui.Texts(MessageKind::Error),
             (std::vector<std::string>{"The file round3.txt is damaged.", "basic_ios::clear"}));
    QCOMPARE(gui.messages.size(), size_t(2));
    QCOMPARE(gui.messages[0].title, std::string("Error"));
    // The window goes on: the next command runs.
    bool ran = false;
    gui.window->RunCommand([&] { ran = true; });
    QVERIFY(ran);
    QVERIFY(gui.window->ButtonNamed("BTN_NEW_TOURNAMENT")->isEnabled());
}

void MainWindowTest::SeamShowsRealBoxesAndCancels() {
    GuiHarness gui;
    gui.ui.message_hook = nullptr;

    // A real box: translated captions in their order, the default button, Escape for No.
    QStringList captions;
    QString defaultCaption;
    gui.WhenModal("MessageBox", [&](QWidget* box) {
        for (auto* button : box->findChildren<QPushButton*>()) {
            captions << button->text();
            if (button->isDefault()) defaultCaption = button->text();
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
    const bool yes = veltrun::AskYesNo(*gui.session, "Really?", Button::No);
    QVERIFY(!yes);
    captions.sort();
    QCOMPARE(captions, (QStringList{"No", "Yes"}));
    QCOMPARE(defaultCaption, QString("No"));

    // Progress goes on until the director cancels; the command's end closes it.
    QVERIFY(gui.ui.Progress(10, 5000000000LL, "Reading ..."));
    auto* progress = gui.window->findChild<QProgressDialog*>();
    QVERIFY(progress);
    QCOMPARE(progress->labelText(), QString("Reading ..."));
    QCOMPARE(progress->maximum(), 1000);  // totals beyond an int are shown in per mille
    progress->cancel();
    QVERIFY(!gui.ui.Progress(20, 5000000000LL, "Reading ..."));
    gui.ui.CommandFinished();
    QVERIFY(gui.ui.Progress(1, 10, "Again"));

    // The wait for an outside program keeps going until Cancel, and forgets it afterwards.
    QVERIFY(gui.ui.Idle());
    auto* cancel = gui.window->findChild<QPushButton*>("BTN_CANCEL");
    QVERIFY(cancel);
    QCOMPARE(cancel->text(), QString("Cancel"));
    cancel->click();
    QVERIFY(!gui.ui.Idle());
    gui.ui.CommandFinished();
    QVERIFY(gui.ui.Idle());
    gui.ui.CommandFinished();
}

int RunMainWindowTests(int argc, char** argv) {
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
