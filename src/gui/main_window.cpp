// TFormMain: its groups, labels, buttons, placement and the close question.
#include "gui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeySequence>
#include <QResizeEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/command_language.h"
#include "app/language_file.h"
#include "app/startup.h"
#include "gui/about_box.h"
#include "gui/add_player_dialog.h"
#include "gui/elided_label.h"
#include "gui/error_handler.h"
#include "gui/forbidden_pairs_dialog.h"
#include "gui/new_tournament_dialog.h"
#include "gui/qt_text.h"
#include "gui/qt_translations.h"
#include "gui/qt_ui.h"
#include "gui/result_dialog.h"
#include "gui/search_result_dialog.h"
#include "gui/svg_pictures.h"
#include "gui/universal_chooser.h"
#include "store/session.h"
#include "store/tournament_lock.h"

namespace veltrun::gui {

namespace {

constexpr int BigButton = 50;
constexpr int SmallButton = 24;
const QRect DesignedPlacement(628, 273, 340, 340);

// The hints and keys, by button, with the hints' catalogue identifiers.
struct ButtonText {
    const char* name;
    int id;
    const char* english;
    const char* keys;
};
constexpr ButtonText ButtonHints[] = {
    {"BTN_LANGUAGE", 4, "Language ...", "Ctrl+Shift+L"},
    {"BTN_NEW_TOURNAMENT", 5, "New tournament ...", "Ctrl+N"},
    {"BTN_OPEN_TOURNAMENT", 6, "Open the tournament ...", "Ctrl+O"},
    {"BTN_ABOUT", 7, "About program ...", "F1"},
    {"BTN_EXIT", 8, "Exit", "Ctrl+Q"},
    {"BTN_PLAYER_ADD", 9, "Add player ...", "Ctrl+A"},
    {"BTN_REPORT_STARTLIST", 10, "Report - Starting list", "Ctrl+L"},
    {"BTN_PLAYER_DELETE", 11, "Delete or suspend player ...", "Ctrl+D"},
    {"BTN_PLAYER_RESTORATION", 12, "Restoration of player ...", "Ctrl+Shift+D"},
    {"BTN_PAIRING", 13, "Pairing", "Ctrl+P"},
    {"BTN_REPORT_ROUNDS", 14, "Report - Round ...", "Ctrl+R"},
    {"BTN_INPUT_RESULT", 15, "Add results ...", "Ctrl+E"},
    {"BTN_REPORT_STANDINGS", 16, "Report - Standings", "Ctrl+S"},
    {"BTN_REPORT_STANDINGS_AND_CARDS", 17, "Report - Standings with players cards", "Ctrl+Shift+S"},
    {"BTN_PUBLISH", 650, "Publish results site", "Ctrl+Shift+P"},
    {"BTN_FORBIDDEN_PAIRS", 701, "Forbidden pairs ...", "Ctrl+F"},
};

constexpr const char* TournamentButtons[] = {
    "BTN_PLAYER_ADD",   "BTN_PLAYER_DELETE", "BTN_PLAYER_RESTORATION", "BTN_REPORT_STARTLIST",          "BTN_PAIRING",
    "BTN_INPUT_RESULT", "BTN_REPORT_ROUNDS", "BTN_REPORT_STANDINGS",   "BTN_REPORT_STANDINGS_AND_CARDS",
    "BTN_PUBLISH",      "BTN_FORBIDDEN_PAIRS"};

// A dialog that grows or shrinks with its texts (a language change, a longer
// list) does so about its centre, so that it stays centred on the window.
class KeepCentred : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && event->type() == QEvent::Resize && dialog->isVisible()) {
            const auto* resize = static_cast<QResizeEvent*>(event);
            if (resize->oldSize().isValid()) {
                const QSize grown = resize->size() - resize->oldSize();
                dialog->move(dialog->pos() - QPoint(grown.width() / 2, grown.height() / 2));
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// The strip above the placed window where the title bar is, wide enough to grab.
bool TitleBarOnScreen(const QRect& placement) {
    constexpr int TitleBar = 24, Grip = 100;
    const QRect title(placement.left(), placement.top() - TitleBar, placement.width(), TitleBar);
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect seen = screen->availableGeometry().intersected(title);
        if (seen.height() >= TitleBar / 2 && seen.width() >= std::min(Grip, placement.width())) return true;
    }
    return false;
}

}  // namespace

MainWindow::MainWindow(Session& session, QtUi& ui)
    : QWidget(nullptr), session_(session), ui_(ui), qt_translations_(std::make_unique<QtTranslations>()) {
    setObjectName("TFormMain");
    setWindowTitle(QStringLiteral(" Veltrun"));
    setWindowIcon(SvgIcon("veltrun"));

    GB_Tournament = MakeGroup("GB_Tournament", L_TOURNAMENT_CAPTION, L_TOURNAMENT);
    GB_Players = MakeGroup("GB_Players", L_PLAYERS_CAPTION, L_PLAYERS);
    GB_Rounds_and_Pairing = MakeGroup("GB_Rounds_and_Pairing", L_ROUNDS_CAPTION, L_ROUNDS);
    L_TOURNAMENT_CAPTION->setObjectName("L_TOURNAMENT_CAPTION");
    L_TOURNAMENT->setObjectName("L_TOURNAMENT");
    L_PLAYERS_CAPTION->setObjectName("L_PLAYERS_CAPTION");
    L_PLAYERS->setObjectName("L_PLAYERS");
    L_ROUNDS_CAPTION->setObjectName("L_ROUNDS_CAPTION");
    L_ROUNDS->setObjectName("L_ROUNDS");

    auto row = [](QGroupBox* group) { return static_cast<QHBoxLayout*>(group->layout()->itemAt(1)->layout()); };

    QHBoxLayout* tournament = row(GB_Tournament);
    tournament->addWidget(MakeButton(GB_Tournament, "BTN_LANGUAGE", "language", BigButton));
    tournament->addWidget(MakeButton(GB_Tournament, "BTN_NEW_TOURNAMENT", "new_tournament", BigButton));
    tournament->addWidget(MakeButton(GB_Tournament, "BTN_OPEN_TOURNAMENT", "open_tournament", BigButton));
    tournament->addStretch();
    tournament->addWidget(MakeButton(GB_Tournament, "BTN_ABOUT", "about", BigButton));
    tournament->addWidget(MakeButton(GB_Tournament, "BTN_EXIT", "exit", BigButton));

    QHBoxLayout* players = row(GB_Players);
    players->addWidget(MakeButton(GB_Players, "BTN_PLAYER_ADD", "player_add", BigButton));
    players->addWidget(MakeButton(GB_Players, "BTN_REPORT_STARTLIST", "startlist", BigButton));
    auto* small = new QVBoxLayout;
    small->setSpacing(2);
    small->addWidget(MakeButton(GB_Players, "BTN_PLAYER_DELETE", "player_delete", SmallButton));
    small->addWidget(MakeButton(GB_Players, "BTN_PLAYER_RESTORATION", "player_restore", SmallButton));
    players->addLayout(small);
    auto* forbidden = new QVBoxLayout;
    forbidden->addWidget(MakeButton(GB_Players, "BTN_FORBIDDEN_PAIRS", "forbidden_pairs", SmallButton));
    forbidden->addStretch();
    players->addLayout(forbidden);
    players->addStretch();

    QHBoxLayout* rounds = row(GB_Rounds_and_Pairing);
    rounds->addWidget(MakeButton(GB_Rounds_and_Pairing, "BTN_PAIRING", "pairing", BigButton));
    rounds->addWidget(MakeButton(GB_Rounds_and_Pairing, "BTN_REPORT_ROUNDS", "report_round", BigButton));
    rounds->addWidget(MakeButton(GB_Rounds_and_Pairing, "BTN_INPUT_RESULT", "input_result", BigButton));
    rounds->addStretch();
    rounds->addWidget(MakeButton(GB_Rounds_and_Pairing, "BTN_REPORT_STANDINGS", "standings", BigButton));
    rounds->addWidget(
        MakeButton(GB_Rounds_and_Pairing, "BTN_REPORT_STANDINGS_AND_CARDS", "standings_cards", BigButton));
    rounds->addWidget(MakeButton(GB_Rounds_and_Pairing, "BTN_PUBLISH", "publish", BigButton));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(GB_Tournament);
    layout->addWidget(GB_Players);
    layout->addWidget(GB_Rounds_and_Pairing);
    layout->addStretch();

    // The dialogs are made once, in the designed order, and live as long as the window.
    TFormAbou = new AboutBox(session_, this);
    TFormPly1 = new AddPlayerDialog(session_, this);
    TFormUniC = new UniversalChooser(session_, this);
    TFormCRes = new ResultDialog(session_, this);
    TFormNTur = new NewTournamentDialog(session_, this);
    TFormStrG = new SearchResultDialog(session_, this);
    TFormForb = new ForbiddenPairsDialog(session_, this);
    TFormPly1->SetSearchResultDialog(TFormStrG);
    auto* keepCentred = new KeepCentred(this);
    for (QDialog* dialog : findChildren<QDialog*>(Qt::FindDirectChildrenOnly)) dialog->installEventFilter(keepCentred);
    ui_.Attach(&session_, this, TFormUniC);

    ConnectButtons();
    SetTournamentControlsEnabled(false);
    ShowTournamentValues();
}

MainWindow::~MainWindow() { ui_.Attach(&session_, nullptr, nullptr); }

QGroupBox* MainWindow::MakeGroup(const char* name, QLabel*& caption, ElidedLabel*& value) {
    auto* group = new QGroupBox(this);
    group->setObjectName(name);
    caption = new QLabel(group);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    value = new ElidedLabel(group);
    auto* header = new QHBoxLayout;
    // The value label begins 4 pixels right of its caption, whatever the caption's length.
    header->setSpacing(4);
    header->addWidget(caption);
    header->addWidget(value, 1);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(header);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    layout->addLayout(buttons);
    return group;
}

QToolButton* MainWindow::MakeButton(QWidget* parent, const char* name, const char* picture, int size) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(SvgIcon(picture));
    button->setFixedSize(size, size);
    button->setIconSize(size == SmallButton ? QSize(size - 6, size - 6) : QSize(size - 10, size - 10));
    buttons_[name] = button;
    return button;
}

QToolButton* MainWindow::ButtonNamed(const QString& objectName) const {
    auto it = buttons_.find(objectName);
    return it == buttons_.end() ? nullptr : it->second;
}

void MainWindow::ConnectButtons() {
    auto on = [this](const char* name, void (MainWindow::*handler)()) {
        connect(buttons_.at(name), &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    on("BTN_LANGUAGE", &MainWindow::BTN_LANGUAGEClick);
    on("BTN_NEW_TOURNAMENT", &MainWindow::BTN_NEW_TOURNAMENTClick);
    on("BTN_OPEN_TOURNAMENT", &MainWindow::BTN_OPEN_TOURNAMENTClick);
    connect(buttons_.at("BTN_ABOUT"), &QToolButton::clicked, this, [this] { RunCommand([this] { TFormAbou->ShowAbout(); }); });
    connect(buttons_.at("BTN_EXIT"), &QToolButton::clicked, this, &QWidget::close);
    on("BTN_PLAYER_ADD", &MainWindow::BTN_PLAYER_ADDClick);
    on("BTN_PLAYER_DELETE", &MainWindow::BTN_PLAYER_DELETEClick);
    on("BTN_PLAYER_RESTORATION", &MainWindow::BTN_PLAYER_RESTORATIONClick);
    on("BTN_REPORT_STARTLIST", &MainWindow::BTN_REPORT_STARTLISTClick);
    on("BTN_PAIRING", &MainWindow::BTN_PAIRINGClick);
    on("BTN_REPORT_ROUNDS", &MainWindow::BTN_REPORT_ROUNDSClick);
    on("BTN_INPUT_RESULT", &MainWindow::BTN_INPUT_RESULTClick);
    on("BTN_REPORT_STANDINGS", &MainWindow::BTN_REPORT_STANDINGSClick);
    on("BTN_REPORT_STANDINGS_AND_CARDS", &MainWindow::BTN_REPORT_STANDINGS_AND_CARDSClick);
    on("BTN_PUBLISH", &MainWindow::BTN_PUBLISHClick);
    on("BTN_FORBIDDEN_PAIRS", &MainWindow::BTN_FORBIDDEN_PAIRSClick);
}

void MainWindow::Start(const std::string& language) {
    GuardedCall(session_, [&] {
        StartSession(session_);
        if (!language.empty()) {
            // A language for this run only: the settings file keeps its own choice.
            if (language == "English" || language == EnglishBuiltInLanguage) {
                session_.translation.EnglishBuiltIn = true;
            } else if (auto file = FindLanguageFile(session_, language)) {
                LoadLanguageFile(session_, *file);
            } else {
                // Unlike a missing saved language, a wrong name on the command
                // line leaves the settings file alone.
                session_.translation.EnglishBuiltIn = true;
                ShowWarning(session_, session_.tr(88, "Language file") + " \"" +
                                          (session_.LanguageFolder() / language).string() + "\" " +
                                          session_.tr(89, "does not exist. Therefore, English was set as the language."));
            }
        }
    });
    RestorePlacement();
    ApplyTranslations();
}

void MainWindow::RestorePlacement() {
    const Settings& s = session_.settings;
    QRect placement = DesignedPlacement;
    // The designed height counted the title bar; here the groups' own height is the look.
    placement.setHeight(sizeHint().height());
    if (s.FormMainTop && s.FormMainLeft && s.FormMainWidth && s.FormMainHeight)
        placement = QRect(*s.FormMainLeft, *s.FormMainTop, *s.FormMainWidth, *s.FormMainHeight);
    // A placement from another screen set-up must not hide the window: its
    // title bar, by which it is moved, must be on a screen.
    const QSize least = minimumSizeHint();
    if (!TitleBarOnScreen(placement)) {
        placement.setSize(QSize(DesignedPlacement.width(), sizeHint().height()).expandedTo(least));
        if (QScreen* screen = QGuiApplication::primaryScreen())
            placement.moveCenter(screen->availableGeometry().center());
    }
    placement.setSize(placement.size().expandedTo(least));
    setGeometry(placement);
}

void MainWindow::SetTournamentControlsEnabled(bool flag) {
    for (const char* name : TournamentButtons) buttons_.at(name)->setEnabled(flag);
    for (QWidget* label : std::initializer_list<QWidget*>{L_PLAYERS_CAPTION, L_PLAYERS, L_ROUNDS_CAPTION, L_ROUNDS})
        label->setEnabled(flag);
}

void MainWindow::ShowTournamentValues() {
    const Tournament& t = session_.tournament;
    if (t.TournamentFolder.empty()) {
        L_TOURNAMENT->SetFullText({});
        L_PLAYERS->SetFullText({});
        L_ROUNDS->SetFullText({});
        return;
    }
    const std::filesystem::path folder(t.TournamentFolder);
    L_TOURNAMENT->SetFullText(Q(folder.string()));
    L_PLAYERS->SetFullText(Q((folder / "players.txt").string()));
    L_ROUNDS->SetFullText(QString::number(t.CurrentRound) + "/" + QString::number(t.MaxRound));
    SetTournamentControlsEnabled(true);
}

void MainWindow::ApplyTranslations() {
    qt_translations_->Follow(LanguageLocale(session_));
    L_TOURNAMENT_CAPTION->setText(Q(session_.tr(1, "Tournament Folder")) + ":");
    L_PLAYERS_CAPTION->setText(Q(session_.tr(2, "File of Players")) + ":");
    L_ROUNDS_CAPTION->setText(Q(session_.tr(3, "Round")) + ":");
    for (const ButtonText& hint : ButtonHints) {
        QToolButton* button = buttons_.at(hint.name);
        const QString text = Q(session_.tr(hint.id, hint.english));
        button->setShortcut(QKeySequence(QString::fromLatin1(hint.keys)));
        button->setToolTip(text + " (" + button->shortcut().toString(QKeySequence::NativeText) + ")");
        button->setAccessibleName(text);
    }
    const std::initializer_list<QDialog*> dialogs = {TFormAbou, TFormCRes, TFormNTur, TFormPly1,
                                                     TFormStrG, TFormUniC, TFormForb};
    std::vector<QSize> before;
    for (QDialog* dialog : dialogs) before.push_back(dialog->sizeHint());
    TFormAbou->ApplyTranslations();
    TFormCRes->ApplyTranslations();
    TFormNTur->ApplyTranslations();
    TFormPly1->ApplyTranslations();
    TFormStrG->ApplyTranslations();
    TFormUniC->ApplyTranslations();
    TFormForb->ApplyTranslations();
    // Other texts, another size: a dialog is centred on the window again when next shown.
    size_t i = 0;
    for (QDialog* dialog : dialogs)
        if (dialog->sizeHint() != before[i++]) dialog->setAttribute(Qt::WA_Moved, false);
}

void MainWindow::RunCommand(const std::function<void()>& command, CommandNeeds needs) {
    // A command runs to its end before the next: clicks that slip through
    // while a long command keeps the window repainting are dropped.
    if (command_running_) return;
    command_running_ = true;
    TournamentLock lock;
    if (needs == CommandNeeds::TournamentLock && session_.HasTournament() &&
        !lock.TryLock(session_.tournament.TournamentFolder)) {
        ShowErrorBox(session_, session_.tr(380, "The tournament is in use by another Veltrun process."));
    } else {
        GuardedCall(session_, command);
    }
    lock.Unlock();
    ui_.CommandFinished();
    session_.log.Flush();
    ShowTournamentValues();
    command_running_ = false;
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) ApplyTranslations();
    return QWidget::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (command_running_) {
        event->ignore();
        return;
    }
    if (session_.settings.CloseQuery &&
        !AskYesNo(session_, session_.tr(90, "Do you really want to exit program?"), Button::No)) {
        event->ignore();
        return;
    }
    const QRect placement = isMaximized() || isFullScreen() ? normalGeometry() : geometry();
    GuardedCall(session_, [&] {
        SaveWindowPlacement(session_.settings, placement.top(), placement.left(), placement.width(),
                            placement.height());
    });
    event->accept();
}

}  // namespace veltrun::gui
