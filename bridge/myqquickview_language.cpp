// The user's language: the choice of the system page, kept in the global file across a factory
// reset, and applied at once to the native texts (the scene re-reads its language files).
#include "bridge/language.h"
#include "bridge/myqquickview.h"

#include "bridge/filebytes.h"
#include "bridge/settingsstore.h"

#include <QLocale>
#include <QSettings>

namespace
{
const QString kLanguageKey = QStringLiteral("common/language");
}

QVariantList myQQuickView::getLanguages()
{
    QVariantList languages;
    for (const QString &code : language::available()) {
        QString name = QLocale(code).nativeLanguageName();
        if (!name.isEmpty())
            name[0] = name[0].toUpper();
        languages << QVariantMap{{QStringLiteral("code"), code},
                                 {QStringLiteral("name"), name.isEmpty() ? code : name}};
    }
    return languages;
}

void myQQuickView::setLanguage(QVariant code)
{
    const QString text = code.toString();
    if (!language::available().contains(text))
        return;
    store->setGlobalValue(kLanguageKey, text);
    syncSettingsChecked(*store->global()); // a choice of the user's, on disk at once
    language::apply(text);
}

void myQQuickView::resetApconfig()
{
    // The factory settings are the device's; the language stays the user's.
    const QVariant chosen = store->globalValue(kLanguageKey);
    store->resetGlobal();
    if (chosen.isValid() && !chosen.toString().isEmpty()) {
        store->setGlobalValue(kLanguageKey, chosen);
        syncSettingsChecked(*store->global());
    }
}
