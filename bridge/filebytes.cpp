#include "bridge/filebytes.h"

#include "base/logging.h"
#include "platform/filesystem.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStringList>
#include <cerrno>
#include <cstdio>

FileReadResult readFileBytes(const QString &path, QByteArray *bytes, qint64 maxBytes)
{
    // Only regular files: a device or a pipe may never end, or never answer.
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return FileReadResult::Unreadable;
    if (maxBytes >= 0 && file.size() > maxBytes)
        return FileReadResult::TooLarge;
    // At most one byte past the limit, so a file that grows while it is read stays bounded.
    QByteArray content = maxBytes >= 0 ? file.read(maxBytes + 1) : file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileReadResult::Unreadable;
    if (maxBytes >= 0 && content.size() > maxBytes)
        return FileReadResult::TooLarge;
    *bytes = content;
    return FileReadResult::Ok;
}

namespace
{

std::function<int(const QString &)> &writeFault()
{
    static std::function<int(const QString &)> fault;
    return fault;
}

int injectedFault(const QString &path)
{
    return writeFault() ? writeFault()(QFileInfo(path).absoluteFilePath()) : 0;
}

bool fail(int *error, int code)
{
    if (error)
        *error = code != 0 ? code : EIO;
    return false;
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// Why a settings write failed, when QSettings does not say: a disk without room for the file
// twice over (the new copy is written beside the old one) counts as full.
int settingsWriteError(const QString &path)
{
    const QFileInfo info(path);
    const qint64 room = platform::freeBytes(info.absolutePath());
    if (room >= 0 && room < 2 * qMax<qint64>(info.size(), 4096))
        return ENOSPC;
    if (const int code = platform::writableDirError(info.absolutePath()))
        return code;
    return EIO;
}

// A value as text for comparison: lists element by element. Values of other types (which the
// INI format keeps in its serialised form) compare equal whatever they hold.
QString comparable(const QVariant &value, bool *known)
{
    const int type = value.typeId();
    *known = true;
    if (type == QMetaType::QStringList || type == QMetaType::QVariantList) {
        QStringList texts;
        for (const QVariant &element : value.toList())
            texts << element.toString();
        return texts.join(QChar(0x1f));
    }
    if (!value.isValid() || value.canConvert<QString>())
        return value.toString();
    *known = false;
    return QString();
}

// A key the INI format writes as it is and reads back the same (keys of other characters, in a
// file the user broke, may come back in another form).
bool plainKey(const QString &key)
{
    for (const QChar c : key)
        if (c.unicode() > 127 || !(c.isLetterOrNumber() || c == '/' || c == '_' || c == '-' || c == '.'))
            return false;
    return !key.isEmpty();
}

// Whether the file at readPath (read afresh) holds what settings meant to write: it ends as the
// writer ends every line (a write cut short seldom does), and every plain key is there with its
// value.
bool holdsAll(const QSettings &settings, const QString &readPath)
{
    const QStringList keys = settings.allKeys();
    if (keys.isEmpty())
        return true;
    QByteArray bytes;
    if (readFileBytes(readPath, &bytes) != FileReadResult::Ok || !bytes.endsWith('\n'))
        return false;
    const QSettings written(readPath, QSettings::IniFormat);
    for (const QString &key : keys) {
        if (!plainKey(key))
            continue;
        if (!written.contains(key))
            return false;
        bool knownHere = false, knownThere = false;
        const QString here = comparable(settings.value(key), &knownHere);
        const QString there = comparable(written.value(key), &knownThere);
        if (knownHere && knownThere && here != there)
            return false;
    }
    return true;
}

} // namespace

void setWriteFaultForTests(std::function<int(const QString &path)> fault)
{
    writeFault() = std::move(fault);
}

bool writeFileBytes(const QString &path, const QByteArray &bytes, int *error)
{
    if (const int injected = injectedFault(path))
        return fail(error, injected);
    // The bytes go straight to the descriptor, so every failing step leaves its errno: a
    // buffered QSaveFile reports success for content that a full disk refused at its close.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, errno);
    const int fd = file.handle();
    int code = platform::writeAll(fd, bytes.constData(), bytes.size());
    // Space is often only taken when the data reaches the disk: that failure counts too.
    if (code == 0)
        code = platform::syncToDisk(fd);
    if (code != 0) {
        file.cancelWriting();
        return fail(error, code);
    }
    if (!file.commit())
        return fail(error, errno);
    return true;
}

bool syncSettingsChecked(QSettings &settings, int *error)
{
    static int serial = 0;
    const QString path = settings.fileName();
    const QString kept = path + QStringLiteral(".keep");
    QFile::remove(kept);
    const bool hadFile = QFileInfo(path).isFile();
    const bool linked = hadFile && platform::hardLink(path, kept);
    QByteArray original;
    if (hadFile && !linked && readFileBytes(path, &original) != FileReadResult::Ok)
        original.clear();

    settings.sync();
    const int injected = injectedFault(path);
    if (injected != 0) {
        // A new, empty file in place of the written one, as the rename of a cut-short copy
        // leaves it (the old file stays whole under its second name).
        QFile::remove(path);
        QFile(path).open(QIODevice::WriteOnly);
    }

    // Read the written file back under a name of its own: QSettings shares one parsed copy per
    // file name, and the copy of path is the one that was just written from.
    // (The object's status is no guide: it keeps the first error it met, a format error of
    // the old content included.)
    const QString check = path + QStringLiteral(".check%1").arg(++serial);
    bool ok = false;
    if (QFileInfo(path).isFile() && platform::hardLink(path, check)) {
        ok = holdsAll(settings, check);
        QFile::remove(check);
    } else {
        ok = settings.status() != QSettings::AccessError;
    }
    if (ok) {
        if (linked)
            QFile::remove(kept);
        return true;
    }
    const int code = injected != 0 ? injected : settingsWriteError(path);
    if (linked) {
        if (::rename(encoded(kept).constData(), encoded(path).constData()) != 0)
            ORBIS_LOG(lcBridge, QStringLiteral("Could not put back %1 (kept as %2)").arg(path, kept));
        else
            QFile::remove(kept); // still there when nothing had replaced path: same file
    } else if (hadFile) {
        writeFileBytes(path, original);
    } else {
        QFile::remove(path);
    }
    ORBIS_LOG(lcBridge, QStringLiteral("Could not write %1; it is kept as it was").arg(path));
    return fail(error, code);
}
