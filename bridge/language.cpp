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
    QStringList codes;
    const QFileInfoList files =
        QDir(modulesDir + QStringLiteral("/i18n"))
            .entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
    for (const QFileInfo &file : files)
        codes << file.completeBaseName();
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
