#pragma once
// The language the desktop program speaks: its own texts from the catalogs
// built into it (i18n/desktop), Qt's standard texts (buttons, file dialogs) in
// the same language, and the core's texts (pages, share posts, archive
// messages). It follows the system's preferred languages unless the player
// chose one in the menu "Sprache / Language"; the choice is kept in the
// profile settings.

#include <QLocale>
#include <QString>
#include <QStringList>

namespace skarnwald {

// The languages with a built-in catalog ("de", "en"), sorted; English, the
// language of the source texts, always among them.
QStringList DesktopLanguages();
// A language's name in itself, as the language menu lists it ("Deutsch").
QString LanguageName(const QString& language);

// The first of the user's preferred languages ("de-AT", "fr-FR", as
// QLocale::uiLanguages lists them) that has a catalog; English when none has.
QString SystemLanguage(const QStringList& uiLanguages);
// The player's choice kept in the profile: a language, or empty for the
// system's.
QString ChosenLanguage();
// The language to speak: the chosen one while it has a catalog, else the
// system's.
QString LanguageInEffect(const QStringList& uiLanguages = QLocale::system().uiLanguages());

// Speaks `language` from now on: replaces the program's and Qt's translators,
// which makes every widget retranslate itself, and sets the core's language
// with the language's plural rule.
void InstallTranslations(const QString& language);
// Keeps the player's choice (empty: follow the system) and speaks the
// language it gives at once.
void ChooseLanguage(const QString& language);

} // namespace skarnwald
