#pragma once
// TFormAbou: the program's picture, name, version and author.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace veltrun {
class Session;
}

namespace veltrun::gui {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(Session& session, QWidget* parent);
    void ApplyTranslations();
    void ShowAbout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SwapPicture();

    Session& session_;
    QFrame* Panel1;
    QLabel* Image1;
    QLabel* L_PRGNAME;
    QLabel* L_VERSION_TITLE;
    QLabel* L_VERSION;
    QLabel* L_AUTHOR_TITLE;
    QLabel* L_AUTHOR;
    QLabel* L_EMAIL;
    QLabel* L_TEXT;
    QPushButton* BTN_OK;
};

}  // namespace veltrun::gui
