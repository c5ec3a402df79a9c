// The warning box of the file operations (import, export, reset, copy and every settings write
// that a full disk or the system refused), and the debug lines that name a broken file once.
#include "base/logging.h"
#include "bridge/langstrings.h"
#include "bridge/myqquickview.h"
#include "bridge/settingsstore.h"
#include "platform/dialogs.h"

#include <cerrno>

void myQQuickView::warn(WarningText title, WarningText text, const QString &argument)
{
    const QString language = settingsText(store->globalValue(QStringLiteral("common/language")));
    const QStringList texts = langstrings::readGroupOrEnglish(
        langstrings::languageFilePath(language), QStringLiteral("warning"));
    QString body = texts.value(text);
    if (!argument.isEmpty())
        body = body.arg(argument);
    platform::showWarningBox(texts.value(title), body);
}

namespace
{
// Out of room: the disk, or the user's quota where the system has quotas.
bool diskFull(int error)
{
#ifdef EDQUOT
    if (error == EDQUOT)
        return true;
#endif
    return error == ENOSPC;
}
} // namespace

void myQQuickView::warnWriteFailed(int error)
{
    if (diskFull(error))
        warn(SaveFileTitle, DiskFull);
    else
        warn(SaveFileTitle, NotWritten, qt_error_string(error));
}

bool myQQuickView::reportWrite(bool ok, int error)
{
    if (!ok && error != 0)
        warnWriteFailed(error);
    return ok;
}

void myQQuickView::noteOnce(const QString &line)
{
    if (noted_.contains(line))
        return;
    noted_.insert(line);
    ORBIS_LOG(lcBridge, line);
}
