#pragma once
// TFormUniC: a label and a drop-down list, shared by the language choice, the
// player changes and the round report.
#include <QDialog>
#include <QString>
#include <optional>

#include "store/ui.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace veltrun {
class Session;
}

namespace veltrun::gui {

class UniversalChooser : public QDialog {
    Q_OBJECT
public:
    UniversalChooser(Session& session, QWidget* parent);
    // Shows the chooser modally; the chosen item's index, or nothing.
    std::optional<int> Choose(const ChooserRequest& request);
    void ApplyTranslations();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BTN_OKClick();
    // Typed letters choose by the player's name, past the "[A1] " alias.
    bool JumpByName(const QString& typed);

    Session& session_;
    QGroupBox* GB_MAIN;
    QLabel* L_UNIVERSAL_TITLE;
    QComboBox* CB_UNIVERSAL;
    QPushButton* BTN_OK;
    QPushButton* BTN_CLOSE;
    bool confirmed_ = false;
    QString typed_;
    qint64 last_key_ms_ = 0;
};

}  // namespace veltrun::gui
