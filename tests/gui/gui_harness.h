#pragma once
// A whole desktop program over a fresh program folder, with every message box answered by the test instead of shown.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "gui/main_window.h"
#include "gui/qt_ui.h"
#include "store/ini_file.h"
#include "store/session.h"
#include "support/temp_folder.h"

namespace veltrun::testing {

// Finding and pressing the controls of a window by their names.
template <typename Widget = QWidget>
inline Widget* Child(QWidget* root, const char* name) {
    auto* widget = root->findChild<Widget*>(name);
    if (!widget) qFatal("no widget %s", name);
    return widget;
}
inline QString LabelText(QWidget* root, const char* name) { return Child<QLabel>(root, name)->text(); }
inline QString ButtonText(QWidget* root, const char* name) { return Child<QAbstractButton>(root, name)->text(); }
inline void Click(QWidget* root, const char* name) { QTest::mouseClick(Child<QAbstractButton>(root, name), Qt::LeftButton); }

inline const char* const AllButtons[] = {
    "BTN_LANGUAGE",      "BTN_NEW_TOURNAMENT",   "BTN_OPEN_TOURNAMENT",    "BTN_ABOUT",
    "BTN_EXIT",          "BTN_PLAYER_ADD",       "BTN_REPORT_STARTLIST",   "BTN_PLAYER_DELETE",
    "BTN_PLAYER_RESTORATION", "BTN_PAIRING",     "BTN_REPORT_ROUNDS",      "BTN_INPUT_RESULT",
    "BTN_REPORT_STANDINGS", "BTN_REPORT_STANDINGS_AND_CARDS", "BTN_PUBLISH"};

class GuiHarness {
public:
    struct Setting { std::string section, key, value; };  // written over the shipped Veltrun.ini
    explicit GuiHarness(const std::vector<Setting>& settings = {}) {
        namespace fs = std::filesystem;
        const fs::path source(VELTRUN_SOURCE_DIR);
        fs::copy_file(source / "data/Veltrun.ini", home.path() / "Veltrun.ini");
        fs::create_directories(home.path() / "Language");
        fs::copy_file(source / "data/Language/Deutsch.txt", home.path() / "Language/Deutsch.txt");
        for (const Setting& s : settings) IniWriteString(home.path() / "Veltrun.ini", s.section, s.key, s.value);
        session = std::make_unique<Session>(ui, home.path());
        ui.message_hook = [this](const MessageRequest& request) {
            messages.push_back(request);
            if (answers.empty()) return request.default_button;
            const Button answer = answers.front();
            answers.pop_front();
            return answer;
        };
        ui.report_hook = [this](const std::filesystem::path& file) { reports.push_back(file); return report_shown; };
        window = std::make_unique<gui::MainWindow>(*session, ui);
        window->Start("");
        window->show();
    }

    // Runs action on the modal window named objectName as soon as it is shown
    // (the caller then starts whatever opens it).
    void WhenModal(const QString& objectName, std::function<void(QWidget*)> action) {
        auto* timer = new QTimer;
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [timer, objectName, action] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal->objectName() != objectName || !modal->isVisible()) return;
            timer->stop();
            timer->deleteLater();
            action(modal);
            // A failed check ends the action early: the window must not stay open and block the test.
            if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible()) dialog->reject();
        });
        timer->start();
    }

    std::vector<std::string> Texts(MessageKind kind) const {
        std::vector<std::string> out;
        for (const auto& m : messages)
            if (m.kind == kind) out.push_back(m.text);
        return out;
    }

    TempFolder home;
    gui::QtUi ui;
    std::unique_ptr<Session> session;
    std::unique_ptr<gui::MainWindow> window;
    std::vector<MessageRequest> messages;
    std::deque<Button> answers;
    std::vector<std::filesystem::path> reports;
    bool report_shown = true;  // what the stand-in opener answers
};

}  // namespace veltrun::testing

// Every desktop test: the main window's in main_window_test.cpp, a tournament
// through the dialogs in tournament_flow_test.cpp.
class GuiTest : public QObject {
    Q_OBJECT
private slots:
    void StartStateAndAboutBox();
    void CloseQuestionAndPlacement();
    void LanguageSwitchReachesEveryWindowAndBack();
    void ErrorOfACommandShowsOneBox();
    void SeamShowsRealBoxesAndCancels();
    void GoalsTournamentThroughTheDialogs();
    void PlayerChangesThroughTheChooser();
};
