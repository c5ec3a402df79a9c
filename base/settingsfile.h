#pragma once
// Every settings, language, macro and gun file is an INI file read through QSettings, which
// opens and reads the whole file when it is first used. A pipe or a device in place of such a
// file would block the program (before its window appears, for the files read at start-up), and
// a huge file would stall it. So a settings object is opened only on a regular file of bounded
// size; anything else counts as a missing file.
#include <QString>

namespace settingsfile
{

// No file of this program comes near this size (profiles and the global file are a few KB).
constexpr qint64 MaxBytes = 4 * 1024 * 1024;

// True when path is a regular file of at most MaxBytes. False when it is absent, and false with
// a debug line when it is something else (a pipe, a device, a folder) or larger.
bool readable(const QString &path);

// The file name to open a QSettings object on for path: path itself when it is a readable file
// or absent (it then reads as empty and the first write creates it). For anything else, a private
// scratch file of this process that stands in for it: the object reads as empty, its writes stay
// in the scratch file, and the path itself is never opened.
QString settingsName(const QString &path);

} // namespace settingsfile
