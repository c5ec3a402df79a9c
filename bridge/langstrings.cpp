#include "bridge/langstrings.h"

#include "base/datapaths.h"
#include "base/logging.h"
#include "base/settingsfile.h"

#include <QSettings>

namespace langstrings
{

QString languageFilePath(const QString &langCode)
{
    return datapaths::languageFile(langCode);
}

namespace
{

struct Group {
    bool present = false; // the file holds <group>/total
    QStringList strings;
    QList<bool> found; // per string: the file holds it
};

Group read(const QString &filePath, const QString &group)
{
    Group result;
    // QSettings would read a missing file as empty as well; testing first keeps it from
    // creating anything and saves the parse, and keeps it away from pipes and huge files.
    if (!settingsfile::readable(filePath))
        return result;
    // Qt 6 reads INI files as UTF-8, so labels may be written in plain UTF-8.
    QSettings file(filePath, QSettings::IniFormat);
    // Parsed as text, so a number beyond int is clamped rather than wrapped.
    bool ok = false;
    const qlonglong stated =
        file.value(group + QStringLiteral("/total")).toString().trimmed().toLongLong(&ok);
    const int total = ok ? int(qBound(qlonglong(0), stated, qlonglong(kMaxGroupStrings))) : 0;
    result.present = ok;
    result.strings.reserve(total);
    for (int i = 0; i < total; ++i) {
        const QVariant value = file.value(group + '/' + QString::number(i));
        result.strings.append(value.toString());
        result.found.append(value.isValid());
    }
    return result;
}

} // namespace

QStringList readGroup(const QString &filePath, const QString &group)
{
    return read(filePath, group).strings;
}

QStringList builtInGroup(const QString &group)
{
    return readGroup(QStringLiteral(":/builtin/en.ini"), group);
}

QStringList readGroupOrEnglish(const QString &filePath, const QString &group)
{
    const Group local = read(filePath, group);
    const QStringList english = builtInGroup(group);
    if (!local.present) {
        if (!english.isEmpty())
            ORBIS_LOG(lcBridge, QStringLiteral("Language file %1 has no group [%2]: English used")
                                    .arg(filePath, group));
        return english;
    }
    QStringList strings = local.strings;
    int completed = 0;
    for (int i = 0; i < english.size(); ++i) {
        if (i >= strings.size())
            strings.append(english.at(i));
        else if (!local.found.at(i))
            strings[i] = english.at(i);
        else
            continue;
        ++completed;
    }
    if (completed > 0)
        ORBIS_LOG(lcBridge, QStringLiteral("Language file %1: %2 strings of [%3] in English")
                                .arg(filePath)
                                .arg(completed)
                                .arg(group));
    return strings;
}

void applyDpiNotices(const QStringList &strings, QString (&texts)[8])
{
    const int n = qMin<int>(strings.size(), 8);
    for (int i = 0; i < n; ++i)
        texts[i] = strings.at(i);
}

} // namespace langstrings

QString dpiSwitchText[8] = {
    QStringLiteral("DPI Switch to"), QStringLiteral("DPI Switch to"),
    QStringLiteral("DPI Switch to"), QStringLiteral("DPI Switch to"),
    QStringLiteral("DPI Switch to"), QStringLiteral("DPI Switch to"),
    QStringLiteral("DPI Switch to"), QStringLiteral("DPI Switch to"),
};
