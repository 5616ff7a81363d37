#pragma once
// Qt's own texts (file dialogs, standard buttons, key names) in the chosen language.
#include <QString>
#include <memory>

class QTranslator;

namespace veltrun {
class Session;
}

namespace veltrun::gui {

// The locale of the session's language: the language file's own page
// language (its line 600), else the one its file name stands for, else "en".
QString LanguageLocale(const Session& session);

class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();
    // Loads Qt's translations for locale when it changed; "en" removes them.
    void Follow(const QString& locale);

private:
    std::unique_ptr<QTranslator> translator_;
    QString locale_ = QStringLiteral("en");
};

}  // namespace veltrun::gui
