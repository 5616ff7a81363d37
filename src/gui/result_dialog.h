#pragma once
// TFormCRes: typing in the results of the current round.
#include <QDialog>
#include <vector>

#include "store/result_entry.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace veltrun {
class Session;
}

namespace veltrun::gui {

class ResultDialog : public QDialog {
    Q_OBJECT
public:
    ResultDialog(Session& session, QWidget* parent);
    // The Add results button: shows the dialog when there is anything to enter.
    void OpenResultEntry();
    void ApplyTranslations();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillGameList(const std::vector<ResultGameItem>& items);
    // The games to enter, or with CHK_CORRECT those with a result to correct.
    void FillGames();
    void ShowOldResult();
    bool SaveResult();
    void BTN_SAVE_CLOSEClick();
    void BTN_SAVE_NEXTClick();

    Session& session_;
    QGroupBox* GB_MAIN;
    QLabel* L_GAME;
    QComboBox* CB_GAME;
    QLabel* L_RESULT;
    QComboBox* CB_RESULT;
    QLabel* L_GOALS12;
    QLineEdit* E_GOALS1;
    QLabel* L_COLON;
    QLineEdit* E_GOALS2;
    QCheckBox* CHK_CORRECT;
    QPushButton* BTN_SAVE_CLOSE;
    QPushButton* BTN_SAVE_NEXT;
    QPushButton* BTN_CLOSE;
    std::vector<ResultGameItem> items_;
    std::vector<std::string> old_results_, old_goals_;  // by item, while correcting
};

}  // namespace veltrun::gui
