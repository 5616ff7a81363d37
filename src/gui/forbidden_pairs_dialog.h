#pragma once
// TFormForb: the forbidden pairs of the open tournament, one group per row,
// with a group added from the chosen players or the chosen group removed.
#include <QDialog>

class QListWidget;
class QPushButton;

namespace veltrun {
class Session;
}

namespace veltrun::gui {

class ForbiddenPairsDialog : public QDialog {
    Q_OBJECT
public:
    ForbiddenPairsDialog(Session& session, QWidget* parent);
    // Shows the groups modally until the director closes the dialog.
    void ShowGroups();
    void ApplyTranslations();

private:
    void FillGroups();
    void BTN_ADD_GROUPClick();
    void BTN_REMOVE_GROUPClick();

    Session& session_;
    QListWidget* LB_GROUPS;
    QPushButton* BTN_ADD_GROUP;
    QPushButton* BTN_REMOVE_GROUP;
    QPushButton* BTN_CLOSE;
    // The player choice of a new group: every player, several chosen at once.
    QDialog* TFormForbAdd;
    QListWidget* LB_PLAYERS;
    QPushButton* BTN_OK;
    QPushButton* BTN_CANCEL;
};

}  // namespace veltrun::gui
