#include "bridge/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace language
{
namespace
{
QString &currentCode()
{
    static QString code = QStringLiteral("en");
    return code;
}
} // namespace

QString forLocale(const QString &localeName)
{
    return localeName.startsWith(QLatin1String("zh")) ? QStringLiteral("zh_CN")
                                                      : QStringLiteral("en");
}

QString fromEnvironment()
{
    for (const char *variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return forLocale(value);
    }
    return forLocale(QString());
}

QStringList available(const QString &modulesDir)
{
    // The suffix is compared here rather than given as a name filter: a filter is matched with
    // a compiled regular expression, and that library (with its compiler) would be loaded into
    // every start for this one listing.
    QStringList codes;
    const QFileInfoList files =
        QDir(modulesDir + QStringLiteral("/i18n")).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        if (file.suffix().compare(QLatin1String("ini"), Qt::CaseInsensitive) == 0)
            codes << file.completeBaseName();
    }
    return codes;
}

bool loadProgramTranslation(QTranslator &translator, const QString &code)
{
    if (code.isEmpty() || code == QLatin1String("en"))
        return false;
    return translator.load(QStringLiteral(":/i18n/orbis-mouse_") + code);
}

void apply(const QString &code)
{
    static QTranslator program;
    static QTranslator qt;
    QCoreApplication::removeTranslator(&program);
    QCoreApplication::removeTranslator(&qt);
    currentCode() = code.isEmpty() ? QStringLiteral("en") : code;
    // Each install and removal sends the application a LanguageChange, which reaches every
    // window: the native texts are written again in the new language.
    if (loadProgramTranslation(program, currentCode())) {
        QCoreApplication::installTranslator(&program);
        if (qt.load(QStringLiteral("qtbase_") + currentCode(),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&qt);
    }
}

QString current()
{
    return currentCode();
}

} // namespace language
