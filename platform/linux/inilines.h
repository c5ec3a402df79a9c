#pragma once
// Sets one key of a KDE-style INI file by editing its lines, so everything else in the file
// (comments, other groups, KDE's [$e]/[$i] markers, the order of keys) stays exactly as it was.
// A general INI writer would rewrite the whole file in its own form.
#include <QByteArray>

namespace platform
{

// content with group's key set to value: the first "key=" line of the group is replaced, or the
// line is added at the end of the group, or the group is added at the end of the file.
QByteArray withIniValue(const QByteArray &content, const QByteArray &group, const QByteArray &key,
                        const QByteArray &value);

} // namespace platform
