#include "gui/mnemonics.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSet>

namespace veltrun::gui {

std::vector<QString> WithMnemonics(const std::vector<QString>& texts) {
    QSet<QChar> taken;
    std::vector<QString> marked;
    for (const QString& text : texts) {
        QString escaped = text;
        escaped.replace('&', "&&");
        for (qsizetype i = 0; i < escaped.size(); ++i) {
            const QChar key = escaped[i].toLower();
            if (!escaped[i].isLetter() || taken.contains(key) || (i > 0 && escaped[i - 1] == '&')) continue;
            taken.insert(key);
            escaped.insert(i, '&');
            break;
        }
        marked.push_back(escaped);
    }
    return marked;
}

void SetMnemonicTexts(const std::vector<std::pair<QWidget*, QString>>& texts) {
    std::vector<QString> plain;
    for (const auto& entry : texts) plain.push_back(entry.second);
    const std::vector<QString> marked = WithMnemonics(plain);
    for (size_t i = 0; i < texts.size(); ++i) {
        if (auto* label = qobject_cast<QLabel*>(texts[i].first)) label->setText(marked[i]);
        if (auto* button = qobject_cast<QAbstractButton*>(texts[i].first)) button->setText(marked[i]);
    }
}

}  // namespace veltrun::gui
