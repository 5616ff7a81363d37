// The commands behind the main window's buttons: each is a thin call into the
// core, run through RunCommand so that its errors reach the director.
#include "app/command_import_trf.h"
#include "app/command_language.h"
#include "app/command_new_tournament.h"
#include "app/command_open.h"
#include "app/command_pairing.h"
#include "app/command_players.h"
#include "app/command_publish.h"
#include "app/command_reports.h"
#include "gui/add_player_dialog.h"
#include "gui/forbidden_pairs_dialog.h"
#include "gui/main_window.h"
#include "gui/new_tournament_dialog.h"
#include "gui/result_dialog.h"
#include "store/session.h"

namespace veltrun::gui {

void MainWindow::BTN_LANGUAGEClick() {
    RunCommand([this] {
        LanguageCommand(session_);
        // Also after a cancelled choice: the texts are written once more.
        ApplyTranslations();
    });
}

void MainWindow::BTN_NEW_TOURNAMENTClick() {
    RunCommand([this] {
        if (ConfirmNewTournament(session_)) TFormNTur->OpenNewTournament();
    });
}

void MainWindow::BTN_OPEN_TOURNAMENTClick() {
    RunCommand([this] {
        const OpenChoice choice = ChooseFileToOpen(session_);
        if (choice.kind == OpenChoiceKind::Tournament) OpenTournamentCommand(session_, choice.path);
        if (choice.kind == OpenChoiceKind::TrfFile) ImportTrfCommand(session_, choice.path);
    });
}

void MainWindow::BTN_PLAYER_ADDClick() {
    RunCommand([this] {
        if (ConfirmAddPlayer(session_)) TFormPly1->ShowEmpty();
    }, CommandNeeds::TournamentLock);
}

void MainWindow::BTN_PLAYER_DELETEClick() {
    RunCommand([this] { DeleteOrSuspendPlayerCommand(session_); }, CommandNeeds::TournamentLock);
}

void MainWindow::BTN_PLAYER_RESTORATIONClick() {
    RunCommand([this] { RestorePlayerCommand(session_); }, CommandNeeds::TournamentLock);
}

void MainWindow::BTN_FORBIDDEN_PAIRSClick() {
    RunCommand([this] { TFormForb->ShowGroups(); }, CommandNeeds::TournamentLock);
}

void MainWindow::BTN_REPORT_STARTLISTClick() {
    RunCommand([this] { StartListCommand(session_); }, CommandNeeds::TournamentLock);
}

void MainWindow::BTN_PAIRINGClick() {
    RunCommand([this] { veltrun::BTN_PAIRINGClick(session_); }, CommandNeeds::TournamentLock);
}

void MainWindow::BTN_REPORT_ROUNDSClick() {
    RunCommand([this] { RoundReportCommand(session_); }, CommandNeeds::TournamentLock);
}

void MainWindow::BTN_INPUT_RESULTClick() {
    RunCommand([this] { TFormCRes->OpenResultEntry(); }, CommandNeeds::TournamentLock);
}

void MainWindow::BTN_REPORT_STANDINGSClick() {
    RunCommand([this] { StandingsCommand(session_, false); }, CommandNeeds::TournamentLock);
}

void MainWindow::BTN_REPORT_STANDINGS_AND_CARDSClick() {
    RunCommand([this] { StandingsAndCardsCommand(session_); }, CommandNeeds::TournamentLock);
}

void MainWindow::BTN_PUBLISHClick() {
    RunCommand([this] { PublishCommand(session_); }, CommandNeeds::TournamentLock);
}

}  // namespace veltrun::gui
