#pragma once
// Language files: ./modules/i18n/<code>.ini, one group per page, each a counted list of strings
// (<group>/total, <group>/0 .. <group>/<total-1>), read as UTF-8.
#include <QString>
#include <QStringList>

namespace langstrings
{

// Upper bound on the strings read from one group. The largest group (the key labels) holds 133;
// a corrupt or hostile total must not make the loader allocate or loop without end.
constexpr int kMaxGroupStrings = 1024;

// The language file of a language code, relative to the working directory.
QString languageFilePath(const QString &langCode);

// Reads one group: total strings (absent or not a number: 0; negative: 0; above
// kMaxGroupStrings, however large: kMaxGroupStrings); an absent entry reads as the empty
// string. A missing file gives an empty list.
QStringList readGroup(const QString &filePath, const QString &group);

// The strings of a group in the English language file compiled into the program.
QStringList builtInGroup(const QString &group);

// readGroup, completed from the built-in English strings, so that a page never shows blank
// captions and the key labels stay whole: a group the file lacks (or a missing file) gives the
// English group, a string it lacks the English string, and a group shorter than the English one
// is completed from it. Each completion writes one debug line.
QStringList readGroupOrEnglish(const QString &filePath, const QString &group);

// Copies the first strings of the "other" group over the DPI-switch notice texts; entries the
// group does not hold keep their text.
void applyDpiNotices(const QStringList &strings, QString (&texts)[8]);

} // namespace langstrings

// Notice texts for the device's DPI-switch reports: entries 0..6 for stages 1..7, entry 7 for
// any other stage. Replaced from the language file's "other" group.
extern QString dpiSwitchText[8];
