#include "bridge/langstrings.h"

#include "platform/settingsfile.h"

#include <QSettings>

namespace langstrings
{

QString languageFilePath(const QString &langCode)
{
    return QStringLiteral("./modules/i18n/") + langCode + QStringLiteral(".ini");
}

QStringList readGroup(const QString &filePath, const QString &group)
{
    // QSettings would read a missing file as empty as well; testing first keeps it from
    // creating anything and saves the parse, and keeps it away from pipes and huge files.
    if (!settingsfile::readable(filePath))
        return QStringList();
    // Qt 6 reads INI files as UTF-8, so labels may be written in plain UTF-8.
    QSettings file(filePath, QSettings::IniFormat);
    // Parsed as text, so a number beyond int is clamped rather than wrapped.
    bool ok = false;
    const qlonglong stated =
        file.value(group + QStringLiteral("/total")).toString().trimmed().toLongLong(&ok);
    const int total = ok ? int(qBound(qlonglong(0), stated, qlonglong(kMaxGroupStrings))) : 0;

    QStringList strings;
    strings.reserve(total);
    for (int i = 0; i < total; ++i)
        strings.append(file.value(group + '/' + QString::number(i)).toString());
    return strings;
}

void applyDpiNotices(const QStringList &strings, QString (&texts)[8])
{
    const int n = qMin<int>(strings.size(), 8);
    for (int i = 0; i < n; ++i)
        texts[i] = strings.at(i);
}

} // namespace langstrings
