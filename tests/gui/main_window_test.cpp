// The main window, its dialogs and the language switch, driven through the
// real widgets with the message boxes answered by the test.
#include <QComboBox>
#include <QHeaderView>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QToolButton>
#include <fstream>
#include <stdexcept>

#include "gui/about_box.h"
#include "gui/add_player_dialog.h"
#include "gui/new_tournament_dialog.h"
#include "gui/result_dialog.h"
#include "gui/search_result_dialog.h"
#include "gui/universal_chooser.h"
#include "gui_harness.h"
#include "store/errors.h"
#include "store/ini_file.h"

using veltrun::Button;
using veltrun::MessageKind;
using namespace veltrun::testing;

void GuiTest::StartStateAndAboutBox() {
    GuiHarness gui;
    QWidget* w = gui.window.get();
    QCOMPARE(w->windowTitle(), QString(" Veltrun"));
    QStringList enabled;
    for (const char* name : AllButtons) {
        QToolButton* button = gui.window->ButtonNamed(name);
        QVERIFY2(button && !button->toolTip().isEmpty(), name);
        if (button->isEnabled()) enabled << name;
    }
    QCOMPARE(enabled, (QStringList{"BTN_LANGUAGE", "BTN_NEW_TOURNAMENT", "BTN_OPEN_TOURNAMENT", "BTN_ABOUT", "BTN_EXIT"}));
    QVERIFY(Child<QLabel>(w, "L_TOURNAMENT")->text().isEmpty());
    QVERIFY(!Child<QLabel>(w, "L_ROUNDS_CAPTION")->isEnabled());

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

void GuiTest::CloseQuestionAndPlacement() {
    {
        GuiHarness gui({{"FormMain", "CloseQuery", "true"}});
        gui.answers = {Button::No};
        QVERIFY(!gui.window->close());
        QVERIFY(gui.window->isVisible());
        QCOMPARE(gui.messages.size(), size_t(1));
        QCOMPARE(gui.messages[0].text, std::string("Do you really want to exit program?"));
        QCOMPARE(gui.messages[0].default_button, Button::No);

        // The placement at closing is the next start's.
        gui.window->setGeometry(100, 120, 420, 400);
        gui.answers = {Button::Yes};
        QVERIFY(gui.window->close());
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

void GuiTest::LanguageSwitchReachesEveryWindowAndBack() {
    GuiHarness gui;
    QWidget* w = gui.window.get();
    // Text files only, whatever the case of .txt, after the built-in English.
    for (const char* name : {"Polski.TXT", "notes.doc", ".hidden.txt"})
        std::ofstream(gui.home.path() / "Language" / name) << "13|x\n";
    std::filesystem::create_directories(gui.home.path() / "Language" / "old.txt");
    auto choose = [&](const QString& language) {
        gui.WhenModal("TFormUniC", [language](QWidget* chooser) {
            auto* list = Child<QComboBox>(chooser, "CB_UNIVERSAL");
            QStringList items;
            for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
            QCOMPARE(items, (QStringList{"English (built-in)", "Deutsch.txt", "Polski.TXT"}));
            list->setCurrentIndex(list->findText(language));
            Click(chooser, "BTN_OK");
        });
        Click(w, "BTN_LANGUAGE");
    };

    // The texts of every window, Qt's own among them, with their mnemonics.
    auto* grid = Child<QTableWidget>(&gui.window->SearchResults(), "StringGrid1");
    auto shown = [&] {
        return QStringList{LabelText(w, "L_TOURNAMENT_CAPTION"), gui.window->ButtonNamed("BTN_PAIRING")->toolTip(),
                           QCoreApplication::translate("QPlatformTheme", "Cancel"), gui.window->About().windowTitle(),
                           gui.window->Results().windowTitle(), LabelText(&gui.window->NewTournament(), "L_TB3"),
                           LabelText(&gui.window->AddPlayer(), "L_PLAYER"), grid->horizontalHeaderItem(5)->text(),
                           ButtonText(&gui.window->Chooser(), "BTN_CLOSE")};
    };
    const auto language = [&] { return veltrun::IniReadString(gui.home.path() / "Veltrun.ini", "Options", "Language"); };
    choose("Deutsch.txt");
    QCOMPARE(language(), std::string("Deutsch.txt"));
    QCOMPARE(shown(), (QStringList{"Turnierordner:", "Auslosung (Strg+P)", "Abbrechen", "Über das Programm",
                                   "Ergebnisse eingeben", "FW&3:", "&Name des Spielers:", "Land", "&Schließen"}));
    gui.WhenModal("TFormUniC", [](QWidget* chooser) { Click(chooser, "BTN_CLOSE"); });  // closed: nothing changes
    Click(w, "BTN_LANGUAGE");
    QCOMPARE(language(), std::string("Deutsch.txt"));

    // A wrong --lang name falls back to English for this run only.
    gui.window->Start("Klingon");
    QCOMPARE(gui.Texts(MessageKind::Warning).size(), size_t(1));
    QVERIFY(gui.messages.back().text.find("Klingon") != std::string::npos);
    QCOMPARE(LabelText(w, "L_TOURNAMENT_CAPTION"), QString("Tournament Folder:"));
    QCOMPARE(language(), std::string("Deutsch.txt"));
    gui.window->Start("Deutsch");
    QCOMPARE(LabelText(w, "L_TOURNAMENT_CAPTION"), QString("Turnierordner:"));

    choose("English (built-in)");
    QCOMPARE(language(), std::string("English (built-in)"));
    QCOMPARE(shown(), (QStringList{"Tournament Folder:", "Pairing (Ctrl+P)", "Cancel", "About program",
                                   "Inserting results", "TB&3:", "&Player name:", "Country", "&Close"}));
    QCOMPARE(gui.messages.size(), size_t(1));
}

void GuiTest::ErrorOfACommandShowsOneBox() {
    GuiHarness gui;
    gui.window->RunCommand([] { throw veltrun::myException("The file round3.txt is damaged."); });
    gui.window->RunCommand([] { throw std::runtime_error("basic_ios::clear"); });
    QCOMPARE(gui.Texts(MessageKind::Error), (std::vector<std::string>{"The file round3.txt is damaged.", "basic_ios::clear"}));
    QCOMPARE(gui.messages.size(), size_t(2));
    QCOMPARE(gui.messages[0].title, std::string("Error"));
    // The window goes on: the next command runs.
    bool ran = false;
    gui.window->RunCommand([&] { ran = true; });
    QVERIFY(ran);
    QVERIFY(gui.window->ButtonNamed("BTN_NEW_TOURNAMENT")->isEnabled());
}

void GuiTest::SeamShowsRealBoxesAndCancels() {
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
    QVERIFY(!veltrun::AskYesNo(*gui.session, "Really?", Button::No));
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
