#pragma once
#include <QString>

// A folder only this user can enter, for the instance lock and socket. It is created with
// permissions 0700 when absent; an own folder with wider permissions is narrowed to 0700. A
// symbolic link, something that is not a folder, or a folder owned by another user is never
// used: the result is then empty.
QString ensurePrivateFolder(const QString &path);
