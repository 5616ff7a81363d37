// TFormAbou, with the hidden picture behind Ctrl+Alt+middle click.
#include "gui/about_box.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/qt_text.h"
#include "gui/svg_pictures.h"
#include "store/session.h"

namespace veltrun::gui {

namespace {

constexpr int PictureSize = 64;

QLabel* MakeLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

AboutBox::AboutBox(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName("TFormAbou");
    Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::StyledPanel);
    Image1 = MakeLabel(Panel1, "Image1");
    Image1->setFixedSize(PictureSize, PictureSize);
    Image1->installEventFilter(this);
    L_PRGNAME = MakeLabel(Panel1, "L_PRGNAME");
    QFont big = L_PRGNAME->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    L_PRGNAME->setFont(big);
    L_VERSION_TITLE = MakeLabel(Panel1, "L_VERSION_TITLE");
    L_VERSION = MakeLabel(Panel1, "L_VERSION");
    L_AUTHOR_TITLE = MakeLabel(Panel1, "L_AUTHOR_TITLE");
    L_AUTHOR = MakeLabel(Panel1, "L_AUTHOR");
    L_EMAIL = MakeLabel(Panel1, "L_EMAIL");
    L_TEXT = MakeLabel(Panel1, "L_TEXT");
    L_TEXT->setWordWrap(true);
    BTN_OK = new QPushButton(this);
    BTN_OK->setObjectName("BTN_OK");
    BTN_OK->setDefault(true);

    auto* grid = new QGridLayout(Panel1);
    grid->setHorizontalSpacing(10);
    grid->addWidget(Image1, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(L_PRGNAME, 0, 1, 1, 2);
    grid->addWidget(L_VERSION_TITLE, 1, 1);
    grid->addWidget(L_VERSION, 1, 2);
    grid->addWidget(L_AUTHOR_TITLE, 2, 1);
    grid->addWidget(L_AUTHOR, 2, 2);
    grid->addWidget(L_EMAIL, 3, 1, 1, 2);
    grid->addWidget(L_TEXT, 4, 1, 1, 2);
    grid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addWidget(BTN_OK, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(BTN_OK, &QPushButton::clicked, this, &QDialog::accept);
    ApplyTranslations();
}

void AboutBox::ApplyTranslations() {
    setWindowTitle(Q(session_.tr(22, "About program")));
    L_VERSION_TITLE->setText(Q(session_.tr(18, "Version")) + ":");
    L_AUTHOR_TITLE->setText(Q(session_.tr(19, "Author")) + ":");
    L_AUTHOR->setText(Q(session_.tr(352, "The Veltrun developers")));
    L_EMAIL->setText(Q(session_.tr(353, "Free software for Swiss-system tournaments")));
    L_TEXT->setText(Q(session_.tr(21, "")));
    L_TEXT->setVisible(!L_TEXT->text().isEmpty());
    BTN_OK->setText(Q(session_.tr(20, "Ok")));
}

void AboutBox::ShowAbout() {
    L_PRGNAME->setText(QStringLiteral("Veltrun"));
    L_VERSION->setText(QStringLiteral(VELTRUN_VERSION));
    Image1->setPixmap(SvgPixmap("veltrun", PictureSize, devicePixelRatioF()));
    exec();
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto keys = Qt::ControlModifier | Qt::AltModifier;
        if (mouse->button() == Qt::MiddleButton && (mouse->modifiers() & keys) == keys) {
            SwapPicture();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AboutBox::SwapPicture() {
    Panel1->layout()->removeWidget(Image1);
    Image1->move(0, 0);
    Image1->setPixmap(SvgPixmap("about_hidden", PictureSize, devicePixelRatioF()));
    Image1->raise();
}

}  // namespace veltrun::gui
