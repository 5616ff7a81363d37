#pragma once
// TFormMain: three groups of picture buttons from which every command starts.
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

class QGroupBox;
class QLabel;
class QToolButton;

namespace veltrun {
class Session;
}

namespace veltrun::gui {

enum class CommandNeeds { Nothing, TournamentLock };

class AboutBox;
class AddPlayerDialog;
class ElidedLabel;
class ForbiddenPairsDialog;
class NewTournamentDialog;
class QtTranslations;
class QtUi;
class ResultDialog;
class SearchResultDialog;
class UniversalChooser;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(Session& session, QtUi& ui);
    ~MainWindow() override;

    // The rest of the window's creation: settings, placement and language.
    // language is the --lang option of this run (empty: the saved one).
    void Start(const std::string& language);
    // Writes the texts of the current language into every window.
    void ApplyTranslations();
    void SetTournamentControlsEnabled(bool flag);

    // Runs one command: any error it raises becomes one error box, and the
    // labels follow what the command did to the open tournament.
    // A command that works on the open tournament holds its folder's lock, so
    // that a command-line run cannot change the files meanwhile.
    void RunCommand(const std::function<void()>& command, CommandNeeds needs = CommandNeeds::Nothing);

    QToolButton* ButtonNamed(const QString& objectName) const;
    UniversalChooser& Chooser() { return *TFormUniC; }
    NewTournamentDialog& NewTournament() { return *TFormNTur; }
    ResultDialog& Results() { return *TFormCRes; }
    AddPlayerDialog& AddPlayer() { return *TFormPly1; }
    SearchResultDialog& SearchResults() { return *TFormStrG; }
    AboutBox& About() { return *TFormAbou; }
    ForbiddenPairsDialog& ForbiddenPairs() { return *TFormForb; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QGroupBox* MakeGroup(const char* name, QLabel*& caption, ElidedLabel*& value);
    QToolButton* MakeButton(QWidget* parent, const char* name, const char* picture, int size);
    void ConnectButtons();
    void RestorePlacement();
    void ShowTournamentValues();

    void BTN_LANGUAGEClick();
    void BTN_NEW_TOURNAMENTClick();
    void BTN_OPEN_TOURNAMENTClick();
    void BTN_PLAYER_ADDClick();
    void BTN_PLAYER_DELETEClick();
    void BTN_PLAYER_RESTORATIONClick();
    void BTN_REPORT_STARTLISTClick();
    void BTN_PAIRINGClick();
    void BTN_REPORT_ROUNDSClick();
    void BTN_INPUT_RESULTClick();
    void BTN_REPORT_STANDINGSClick();
    void BTN_REPORT_STANDINGS_AND_CARDSClick();
    void BTN_PUBLISHClick();
    void BTN_FORBIDDEN_PAIRSClick();

    Session& session_;
    QtUi& ui_;
    std::unique_ptr<QtTranslations> qt_translations_;
    bool command_running_ = false;

    QGroupBox* GB_Tournament;
    QGroupBox* GB_Players;
    QGroupBox* GB_Rounds_and_Pairing;
    QLabel* L_TOURNAMENT_CAPTION;
    QLabel* L_PLAYERS_CAPTION;
    QLabel* L_ROUNDS_CAPTION;
    ElidedLabel* L_TOURNAMENT;
    ElidedLabel* L_PLAYERS;
    ElidedLabel* L_ROUNDS;
    std::map<QString, QToolButton*> buttons_;

    AboutBox* TFormAbou;
    AddPlayerDialog* TFormPly1;
    UniversalChooser* TFormUniC;
    ResultDialog* TFormCRes;
    NewTournamentDialog* TFormNTur;
    SearchResultDialog* TFormStrG;
    ForbiddenPairsDialog* TFormForb;
};

}  // namespace veltrun::gui
