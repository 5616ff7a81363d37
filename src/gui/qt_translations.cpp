#include "gui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <filesystem>

#include "gui/qt_text.h"
#include "store/session.h"

namespace veltrun::gui {

namespace {

// Language files named in their own language, as they are shipped and shared.
struct NamedLanguage {
    const char* name;
    const char* locale;
};
constexpr NamedLanguage KnownNames[] = {
    {"deutsch", "de"},   {"francais", "fr"}, {"français", "fr"}, {"espanol", "es"}, {"español", "es"},
    {"italiano", "it"},  {"polski", "pl"},   {"cesky", "cs"},    {"česky", "cs"},   {"čeština", "cs"},
    {"slovensky", "sk"}, {"magyar", "hu"},   {"nederlands", "nl"}, {"russian", "ru"}, {"german", "de"},
};

}  // namespace

QString LanguageLocale(const Session& session) {
    if (session.translation.EnglishBuiltIn) return QStringLiteral("en");
    const std::string own = session.translation.LanguageTable[600];
    if (!own.empty()) return Q(own);
    const QString stem = Q(std::filesystem::path(session.settings.Read("Options", "Language")).stem().string());
    for (const NamedLanguage& known : KnownNames)
        if (stem.compare(QString::fromUtf8(known.name), Qt::CaseInsensitive) == 0) return known.locale;
    return QStringLiteral("en");
}

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations() {
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
}

void QtTranslations::Follow(const QString& locale) {
    if (locale == locale_) return;
    locale_ = locale;
    if (translator_) QCoreApplication::removeTranslator(translator_.get());
    translator_.reset();
    if (locale == QStringLiteral("en")) return;
    auto next = std::make_unique<QTranslator>();
    // A missing translation package leaves Qt's parts in English, nothing worse.
    if (!next->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return;
    QCoreApplication::installTranslator(next.get());
    translator_ = std::move(next);
}

}  // namespace veltrun::gui
