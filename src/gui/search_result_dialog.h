#pragma once
// TFormStrG: the rows the player search found, one per rating kind.
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace veltrun {
class Session;
}

namespace veltrun::gui {

class SearchResultDialog : public QDialog {
    Q_OBJECT
public:
    SearchResultDialog(Session& session, QWidget* parent);
    // rows: ten fields each, every field followed by "|". Returns the taken
    // row's ten cells joined with "|", or nothing.
    std::optional<std::string> Choose(const std::string& caption, const std::string& label,
                                      const std::vector<std::string>& rows);
    void ApplyTranslations();

private:
    void FillResultGrid(const std::vector<std::string>& rows);
    void ApplyWidthSettings();
    void BTN_OKClick();

    Session& session_;
    QLabel* L_UNIVERSAL_TITLE;
    QTableWidget* StringGrid1;
    QPushButton* BTN_OK;
    QPushButton* BTN_CLOSE;
    std::optional<std::string> taken_;
};

}  // namespace veltrun::gui
