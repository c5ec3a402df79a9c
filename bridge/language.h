#pragma once
// The user's language for the parts of the program that are not the scene: tray menu, balloon
// titles, the no-mouse notice, message boxes, file dialogs and --help. The scene reads its own
// texts from the language files in modules/i18n/; both follow common/language of the global
// file. Translations are Qt's own: the program's compiled .qm files in its resources and Qt's
// qtbase translations for the standard buttons and dialogs.
#include "base/datapaths.h"

#include <QString>
#include <QStringList>

class QTranslator;

namespace language
{

// The language a first start takes from a locale name ("zh_CN.UTF-8", "zh_TW", "de_DE"):
// Chinese of any kind gives "zh_CN", anything else "en".
QString forLocale(const QString &localeName);

// The same for this process's environment: the first of LC_ALL, LC_MESSAGES and LANG that is
// set, as the C library takes the language of messages.
QString fromEnvironment();

// The language codes that have a language file in modules/i18n/ under dir, sorted.
QStringList available(const QString &modulesDir = datapaths::modulesDir());

// Loads the program's translation for code into translator (false for English, the source
// language, or when there is none). Needs no application object: --help uses it.
bool loadProgramTranslation(QTranslator &translator, const QString &code);

// Makes code the language of the native texts: installs the program's and Qt's translations
// for it (removing those of the previous language), so every widget gets a LanguageChange.
void apply(const QString &code);

// The language currently applied ("en" until apply is called with another).
QString current();

} // namespace language
