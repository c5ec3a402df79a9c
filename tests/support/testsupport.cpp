#include "support/testsupport.h"

#include "platform/dialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QQuickItem>

namespace testsupport
{

namespace
{
// Tests run offscreen, where no tray exists. They see the written behaviour of a desktop with
// a tray unless a test decides otherwise.
const bool trayAssumed = [] {
    platform::setTrayProbe([] { return true; });
    return true;
}();
} // namespace

QQuickItem *findItem(QQuickItem *item, const QString &name)
{
    for (QQuickItem *child : item->childItems()) {
        if (child->objectName() == name)
            return child;
        if (QQuickItem *found = findItem(child, name))
            return found;
    }
    return nullptr;
}

QString binDir()
{
    return QStringLiteral(ORBIS_BIN_DIR);
}

static void copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + src.mid(from.size());
        if (it.fileInfo().isDir())
            QDir().mkpath(dst);
        else
            QFile::copy(src, dst);
    }
}

ScratchTree::ScratchTree()
{
    copyTree(QStringLiteral(ORBIS_FACTORY_DIR), dir_.path() + QStringLiteral("/modules"));
    QDir().mkpath(dir_.path() + QStringLiteral("/modules/macro"));
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
}

ScratchTree::~ScratchTree()
{
    QDir::setCurrent(previous_);
}

namespace
{
QMutex captureMutex;
QStringList captured;
int captureDepth = 0;
QtMessageHandler previousHandler = nullptr;

void captureHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    {
        QMutexLocker lock(&captureMutex);
        captured.append(message);
    }
    if (qEnvironmentVariableIsSet("ORBIS_TEST_VERBOSE") && previousHandler)
        previousHandler(type, context, message);
}
} // namespace

LogCapture::LogCapture()
{
    QMutexLocker lock(&captureMutex);
    if (captureDepth++ == 0) {
        captured.clear();
        previousHandler = qInstallMessageHandler(captureHandler);
    }
}

LogCapture::~LogCapture()
{
    QMutexLocker lock(&captureMutex);
    if (--captureDepth == 0)
        qInstallMessageHandler(previousHandler);
}

QStringList LogCapture::lines() const
{
    QMutexLocker lock(&captureMutex);
    return captured;
}

int LogCapture::count(const QString &line) const
{
    return lines().count(line);
}

QStringList LogCapture::scriptWarnings() const
{
    QStringList warnings;
    for (const QString &line : lines())
        if (line.contains(QLatin1String(".qml:")) || line.contains(QLatin1String(".js:")))
            warnings << line;
    return warnings;
}

void LogCapture::clear()
{
    QMutexLocker lock(&captureMutex);
    captured.clear();
}

} // namespace testsupport
