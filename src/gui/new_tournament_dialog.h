#pragma once
// TFormNTur: the new-tournament dialog.
#include <QDialog>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace veltrun {
class Session;
}

namespace veltrun::gui {

class NewTournamentDialog : public QDialog {
    Q_OBJECT
public:
    NewTournamentDialog(Session& session, QWidget* parent);
    // Fills the dialog as on every opening and shows it modally.
    void OpenNewTournament();
    void ApplyTranslations();
    // Refills the five tie-break lists with the list of type ("Chess" or
    // "Goals") and selects the defaults of the settings file.
    void FillTieBreakLists(const std::string& type);

private:
    void CB_TBS_TYPEChange();
    void BTN_OKClick();
    std::string SelectedCode(const QComboBox* list) const;

    Session& session_;
    QGroupBox* GB_MAIN;
    QLabel* L_FOLDER;
    QLineEdit* E_FOLDER;
    QLabel* L_MAX_ROUND;
    QLineEdit* E_MAX_ROUND;
    QLabel* L_1ST_COLOUR;
    QComboBox* CB_1ST_COLOUR;
    QLabel* L_POINTS_TYPE;
    QComboBox* CB_POINTS_TYPE;
    QLabel* L_TBS_TYPE;
    QComboBox* CB_TBS_TYPE;
    QLabel* L_TB[5];
    QComboBox* CB_TB[5];
    QPushButton* BTN_OK;
    QPushButton* BTN_CLOSE;
};

}  // namespace veltrun::gui
