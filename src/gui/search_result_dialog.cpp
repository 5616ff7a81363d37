// TFormStrG: choosing one row of the player search.
#include "gui/search_result_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/mnemonics.h"
#include "gui/qt_text.h"
#include "store/session.h"
#include "store/text_utils.h"

namespace veltrun::gui {

namespace {

constexpr int Columns = 10;
constexpr int BuiltInWidths[Columns] = {60, 110, 40, 70, 30, 50, 50, 40, 70, 150};
constexpr const char* WidthKeys[Columns] = {"ColWidthType",  "ColWidthName",    "ColWidthElo",   "ColWidthFideID",
                                            "ColWidthSex",   "ColWidthCountry", "ColWidthBirth", "ColWidthTitle",
                                            "ColWidthNationalId", "ColWidthClub"};
struct Heading {
    int id;
    const char* english;
};
constexpr Heading Headings[Columns] = {{173, "Type"}, {174, "Name"},    {179, "ELO"},   {175, "Fide ID"},
                                       {176, "Sex"},  {177, "Country"}, {178, "Birth"}, {191, "Title"},
                                       {189, "National ID"}, {192, "Club"}};
constexpr int DesignedWidth = 600;

// Wider than any screen is a typing error, not a wish.
constexpr int MaxWidth = 10000;

}  // namespace

SearchResultDialog::SearchResultDialog(Session& session, QWidget* parent) : QDialog(parent), session_(session) {
    setObjectName("TFormStrG");
    L_UNIVERSAL_TITLE = new QLabel(this);
    L_UNIVERSAL_TITLE->setObjectName("L_UNIVERSAL_TITLE");
    L_UNIVERSAL_TITLE->setWordWrap(true);
    StringGrid1 = new QTableWidget(1, Columns, this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(std::max(18, fontMetrics().height() + 4));
    for (int c = 0; c < Columns; ++c) StringGrid1->setColumnWidth(c, BuiltInWidths[c]);
    BTN_OK = new QPushButton(this);
    BTN_OK->setObjectName("BTN_OK");
    BTN_OK->setDefault(true);
    BTN_CLOSE = new QPushButton(this);
    BTN_CLOSE->setObjectName("BTN_CLOSE");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BTN_OK);
    buttons->addWidget(BTN_CLOSE);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(L_UNIVERSAL_TITLE);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(buttons);

    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this] { BTN_OKClick(); });
    connect(BTN_OK, &QPushButton::clicked, this, [this] { BTN_OKClick(); });
    connect(BTN_CLOSE, &QPushButton::clicked, this, &QDialog::reject);
    resize(DesignedWidth, 300);
    ApplyTranslations();
}

void SearchResultDialog::ApplyTranslations() {
    QStringList headings;
    for (const Heading& h : Headings) headings << Q(session_.tr(h.id, h.english));
    StringGrid1->setHorizontalHeaderLabels(headings);
    SetMnemonicTexts({{BTN_OK, Q(session_.tr(20, "Ok"))}, {BTN_CLOSE, Q(session_.tr(29, "Close"))}});
}

void SearchResultDialog::ApplyWidthSettings() {
    // The first missing or invalid width ends the reading; the rest keep theirs.
    for (int c = 0; c < Columns; ++c) {
        auto width = SettingInt(session_.settings.Read("FormStrG", WidthKeys[c]));
        if (!width || *width < 1 || *width > MaxWidth) break;
        StringGrid1->setColumnWidth(c, *width);
    }
    int width = DesignedWidth;
    if (auto configured = SettingInt(session_.settings.Read("FormStrG", "Width"));
        configured && *configured <= MaxWidth)
        width = *configured;
    resize(std::max(width, minimumSizeHint().width()), height());
}

std::optional<std::string> SearchResultDialog::Choose(const std::string& caption, const std::string& label,
                                                      const std::vector<std::string>& rows) {
    taken_.reset();
    setWindowTitle(Q(caption));
    L_UNIVERSAL_TITLE->setText(Q(label));
    ApplyTranslations();
    ApplyWidthSettings();
    FillResultGrid(rows);
    exec();
    return taken_;
}

void SearchResultDialog::FillResultGrid(const std::vector<std::string>& rows) {
    StringGrid1->clearContents();
    StringGrid1->setRowCount(std::max<int>(1, static_cast<int>(rows.size())));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < Columns; ++c)
            StringGrid1->setItem(r, c, new QTableWidgetItem(Q(GetField(rows[static_cast<size_t>(r)], '|', c + 1))));
    // The configured widths are the least a column gets: a longer heading or
    // cell (a translation, a larger font) widens its column instead of being cut.
    int total = 0;
    for (int c = 0; c < Columns; ++c) {
        const int configured = StringGrid1->columnWidth(c);
        StringGrid1->resizeColumnToContents(c);
        StringGrid1->setColumnWidth(c, std::max(configured, StringGrid1->columnWidth(c)));
        total += StringGrid1->columnWidth(c);
    }
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1920, 1080);
    const int wanted = total + 2 * StringGrid1->frameWidth() + layout()->contentsMargins().left() +
                       layout()->contentsMargins().right() + StringGrid1->verticalScrollBar()->sizeHint().width();
    resize(std::min(std::max(width(), wanted), screen.width() * 9 / 10), height());
    StringGrid1->selectRow(0);
}

void SearchResultDialog::BTN_OKClick() {
    const int row = StringGrid1->currentRow();
    std::string joined;
    bool empty = true;
    for (int c = 0; c < Columns; ++c) {
        const QTableWidgetItem* cell = row >= 0 ? StringGrid1->item(row, c) : nullptr;
        const std::string text = cell ? S(cell->text()) : std::string();
        if (!text.empty()) empty = false;
        joined += (c ? "|" : "") + text;
    }
    if (empty) {
        StringGrid1->setFocus();
        ShowMessageDialog(session_, session_.tr(74, "Nothing was selected."), MessageKind::Error, {Button::Ok},
                          Button::Ok);
        return;
    }
    taken_ = joined;
    accept();
}

}  // namespace veltrun::gui
