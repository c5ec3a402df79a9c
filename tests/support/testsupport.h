#pragma once
// Helpers shared by the test programs.
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class QQuickItem;

namespace testsupport
{

// How long a test waits for the program's start to end: the scene built behind the start-up
// picture, the profile read into it, and the second of busy protection. Generous, as a wait
// that ends when the start does: a sanitizer build on a busy machine takes several seconds
// where a plain build takes under two.
constexpr int kStartWaitMs = 20000;

// The folder that holds the built programs and their modules/ tree.
QString binDir();

// A private copy of the built factory tree (share/orbis-mouse/modules of the build, which no
// program run changes) in a temporary folder, made the working directory for the copy's
// lifetime, so a test may change settings files freely.
class ScratchTree
{
public:
    ScratchTree();
    ~ScratchTree();
    QString path() const { return dir_.path(); }
    QString file(const QString &relative) const { return dir_.path() + '/' + relative; }

private:
    QTemporaryDir dir_;
    QString previous_;
};

// Collects the debug lines written while it exists (all categories), thread-safely.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    QStringList lines() const;
    int count(const QString &line) const;
    // The lines the QML engine wrote about the scene's files (.qml or .js).
    QStringList scriptWarnings() const;
    void clear();
};

// The item named `name` below `item` in the visual item tree, depth first, or nullptr. Repeater
// delegates hang only in that tree, so findChild does not reach them.
QQuickItem *findItem(QQuickItem *item, const QString &name);

} // namespace testsupport
