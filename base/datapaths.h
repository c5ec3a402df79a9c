#pragma once
// The run-time data tree: every program works from a folder holding modules/ (the start-up
// hook makes it the working directory), and these are the places inside it.
#include <QString>

namespace datapaths
{

inline QString modulesDir()
{
    return QStringLiteral("./modules");
}
inline QString settingDir()
{
    return QStringLiteral("./modules/setting");
}
// The global file: device table, model flags, current profile, language.
inline QString globalSettings()
{
    return QStringLiteral("./modules/setting/apConfig.bin");
}
// The name lists of macros and gun presets.
inline QString nameList()
{
    return QStringLiteral("./modules/setting/name.bin");
}
inline QString macroDir()
{
    return QStringLiteral("./modules/macro");
}
inline QString gunFile()
{
    return QStringLiteral("./modules/gun/gunData.bin");
}
// The language file of a language code.
inline QString languageFile(const QString &code)
{
    return QStringLiteral("./modules/i18n/") + code + QStringLiteral(".ini");
}
inline QString trayIcon()
{
    return QStringLiteral("./modules/img/logo.ico");
}

} // namespace datapaths
