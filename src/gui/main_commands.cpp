// The commands behind the main window's buttons: each is a thin call into the
// core, run through RunCommand so that its errors reach the director.
#include "app/command_language.h"
#include "gui/add_player_dialog.h"
#include "gui/main_window.h"
#include "gui/new_tournament_dialog.h"
#include "gui/result_dialog.h"
#include "store/session.h"

namespace veltrun::gui {

namespace {

void NotAvailable(Session& session) {
    ShowInformation(session, session.tr(351, "This command is not available in this build."));
}

}  // namespace

void MainWindow::BTN_LANGUAGEClick() {
    RunCommand([this] {
        LanguageCommand(session_);
        // Also after a cancelled choice: the texts are written once more.
        ApplyTranslations();
    });
}

void MainWindow::BTN_NEW_TOURNAMENTClick() {
    RunCommand([this] {
        if (session_.HasTournament() &&
            !AskYesNo(session_, session_.tr(107, "Do you really want to create new tournament?"), Button::No))
            return;
        TFormNTur->OpenNewTournament();
    });
}

void MainWindow::BTN_OPEN_TOURNAMENTClick() {
    RunCommand([this] { NotAvailable(session_); });
}

void MainWindow::BTN_PLAYER_ADDClick() {
    RunCommand([this] { NotAvailable(session_); });
}

void MainWindow::BTN_PLAYER_DELETEClick() {
    RunCommand([this] { NotAvailable(session_); });
}

void MainWindow::BTN_PLAYER_RESTORATIONClick() {
    RunCommand([this] { NotAvailable(session_); });
}

void MainWindow::BTN_REPORT_STARTLISTClick() {
    RunCommand([this] { NotAvailable(session_); });
}

void MainWindow::BTN_PAIRINGClick() {
    RunCommand([this] { NotAvailable(session_); });
}

void MainWindow::BTN_REPORT_ROUNDSClick() {
    RunCommand([this] { NotAvailable(session_); });
}

void MainWindow::BTN_INPUT_RESULTClick() {
    RunCommand([this] { NotAvailable(session_); });
}

void MainWindow::BTN_REPORT_STANDINGSClick() {
    RunCommand([this] { NotAvailable(session_); });
}

void MainWindow::BTN_REPORT_STANDINGS_AND_CARDSClick() {
    RunCommand([this] { NotAvailable(session_); });
}

}  // namespace veltrun::gui
