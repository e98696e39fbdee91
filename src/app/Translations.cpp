#include "app/Translations.h"

#include "plural/PluralRule.h"
#include "text/Catalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPointer>
#include <QSettings>
#include <QTranslator>

namespace skarnwald {
namespace {

const QString kLanguageKey = QStringLiteral("Language");
const QString kCatalogFolder = QStringLiteral(":/i18n");
const QString kCatalogPrefix = QStringLiteral("skarnwald_");

// "de" of "de-AT", "de_AT" or "DE".
QString PrimaryLanguage(const QString& tag) {
    return tag.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

// Both translators are the application's children, so neither outlives it
// (the pointers turn null with it); the one installed last answers first.
QPointer<QTranslator> programTranslator;
QPointer<QTranslator> toolkitTranslator;

void Replace(QPointer<QTranslator>& installed, const QString& file, const QString& folder) {
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    // A missing catalog leaves the English source texts, which is what
    // English needs anyway.
    if (translator->load(file, folder))
        QCoreApplication::installTranslator(translator);
    installed = translator;
}

} // namespace

QStringList DesktopLanguages() {
    QStringList languages{QStringLiteral("en")};
    const QStringList catalogs = QDir(kCatalogFolder).entryList({kCatalogPrefix + QStringLiteral("*.qm")});
    for (const QString& catalog : catalogs)
        languages << catalog.mid(kCatalogPrefix.size()).section(QLatin1Char('.'), 0, 0);
    languages.removeDuplicates();
    languages.sort();
    return languages;
}

QString LanguageName(const QString& language) {
    // Qt names English after its American variant; the menu means the language.
    if (language == QStringLiteral("en"))
        return QStringLiteral("English");
    const QString name = QLocale(language).nativeLanguageName();
    return name.isEmpty() ? language : name.left(1).toUpper() + name.mid(1);
}

QString SystemLanguage(const QStringList& uiLanguages) {
    const QStringList available = DesktopLanguages();
    for (const QString& tag : uiLanguages)
        if (const QString language = PrimaryLanguage(tag); available.contains(language))
            return language;
    return QStringLiteral("en");
}

QString ChosenLanguage() {
    return QSettings().value(kLanguageKey).toString();
}

QString LanguageInEffect(const QStringList& uiLanguages) {
    const QString chosen = ChosenLanguage();
    return DesktopLanguages().contains(chosen) ? chosen : SystemLanguage(uiLanguages);
}

void InstallTranslations(const QString& language) {
    Replace(toolkitTranslator, QStringLiteral("qtbase_") + language,
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    Replace(programTranslator, kCatalogPrefix + language, kCatalogFolder);
    // The core speaks English where it has no catalog, and the plural rule has
    // to be that of the catalog it reads.
    std::string_view core = MatchCoreLanguage(language.toStdString());
    if (core.empty())
        core = "en";
    SetCoreLanguage(core, IcuPluralRule(core));
}

void ChooseLanguage(const QString& language) {
    QSettings settings;
    if (language.isEmpty())
        settings.remove(kLanguageKey);
    else
        settings.setValue(kLanguageKey, language);
    InstallTranslations(LanguageInEffect());
}

} // namespace skarnwald
