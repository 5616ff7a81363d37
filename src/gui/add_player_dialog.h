#pragma once
// TFormPly1: registering one player, with the search in the rating list.
#include <QDialog>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace veltrun {
class RatingLines;
class Session;
}

namespace veltrun::gui {

class SearchResultDialog;

class AddPlayerDialog : public QDialog {
    Q_OBJECT
public:
    AddPlayerDialog(Session& session, QWidget* parent);
    ~AddPlayerDialog() override;
    void SetSearchResultDialog(SearchResultDialog* dialog) { search_results_ = dialog; }
    // Empties the five fields and shows the dialog modally.
    void ShowEmpty();
    void ApplyTranslations();

private:
    void BTN_OKClick();
    void BTN_SEARCHClick();

    Session& session_;
    SearchResultDialog* search_results_ = nullptr;
    // The rating files are read at the first search and kept for the run.
    std::unique_ptr<RatingLines> rating_lines_;
    QGroupBox* GB_MAIN;
    QLabel* L_PLAYER;
    QLineEdit* E_PLAYER;
    QPushButton* BTN_SEARCH;
    QLabel* L_ELO;
    QLineEdit* E_ELO;
    // The kind of rating a taken search row gave (standard, rapid, blitz).
    QLabel* L_ELO_KIND;
    QLabel* L_FIDE_ID;
    QLineEdit* E_FIDE_ID;
    QLabel* L_NATIONAL_ID;
    QLineEdit* E_NATIONAL_ID;
    QLabel* L_TEAM_ID;
    QLineEdit* E_TEAM_ID;
    QLabel* L_OPTIONAL[3];
    QPushButton* BTN_OK;
    QPushButton* BTN_CLOSE;
};

}  // namespace veltrun::gui
