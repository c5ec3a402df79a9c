// A full disk under the data tree: every write path (the settings objects' own writes, profile
// reset, copy, import and export, macro import, export and saves, the name lists, gun presets)
// must leave every file as it was and say so in the warning box. The tree lives on a small
// tmpfs that the test fills; where no tmpfs can be mounted (it needs root), the file layer's
// fault seam makes every write under the tree fail with ENOSPC instead (also as root when
// ORBIS_TEST_NO_TMPFS is set).
#include "bridge/filebytes.h"
#include "bridge/myqquickview.h"
#include "platform/dialogs.h"
#include "settingsfiles.h"

#include <QDirIterator>
#include <cerrno>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <sys/mount.h>
#include <unistd.h>

namespace
{

const QString kDiskFull = QStringLiteral("The disk is full: nothing was changed.");

QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, bytesOf(path));
    }
    return files;
}

void copyTree(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString target = to + it.filePath().mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QVERIFY(QFile::copy(it.filePath(), target));
    }
}

// Fills the file system of dir but for freePages pages of 4096 bytes.
void fill(const QString &dir, int freePages)
{
    QFile filler(dir + QStringLiteral("/filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray page(4096, 'x');
    while (::write(filler.handle(), page.constData(), page.size()) == page.size()) {
    }
    QVERIFY(filler.resize(qMax<qint64>(0, filler.size() - qint64(freePages) * page.size())));
}

// A small tmpfs (or, without root, a plain folder behind the fault seam) made the working
// directory, holding a copy of the factory tree.
class SmallDisk
{
public:
    SmallDisk()
    {
        mountPoint = base.filePath(QStringLiteral("disk"));
        QDir().mkpath(mountPoint);
        mounted = qEnvironmentVariableIsEmpty("ORBIS_TEST_NO_TMPFS") && ::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0,
                          "size=160k") == 0;
        copyTree(QStringLiteral(ORBIS_FACTORY_DIR), mountPoint + QStringLiteral("/modules"));
        QDir().mkpath(mountPoint + QStringLiteral("/modules/macro"));
        previous = QDir::currentPath();
        QDir::setCurrent(mountPoint);
    }
    ~SmallDisk()
    {
        setWriteFaultForTests({});
        QDir::setCurrent(previous);
        if (mounted)
            ::umount2(QFile::encodeName(mountPoint).constData(), MNT_DETACH);
    }
    void makeFull(int freePages)
    {
        if (mounted) {
            fill(mountPoint, freePages);
            return;
        }
        const QString root = QFileInfo(mountPoint).absoluteFilePath() + '/';
        setWriteFaultForTests(
            [root](const QString &path) { return path.startsWith(root) ? ENOSPC : 0; });
    }
    void makeRoom()
    {
        setWriteFaultForTests({});
        QFile::remove(mountPoint + QStringLiteral("/filler"));
    }
    QTemporaryDir base; // on the ordinary disk: the import sources
    QString mountPoint;
    QString previous;
    bool mounted = false;
};

using Operation = std::function<void(myQQuickView &view)>;

} // namespace

Q_DECLARE_METATYPE(Operation)

class WriteFailuresTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        platform::setWarningBoxHandler({});
        platform::setFileDialogHandler({});
    }

    void everyWriteKeepsTheOriginalAndSaysWhy_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<int>("freePages");
        const auto settle = [] { QCoreApplication::processEvents(); runDeferredDeletes(); };
        QTest::newRow("profile reset") << Operation([](myQQuickView &v) { v.resetProfile(0); }) << 0;
        QTest::newRow("profile copy") << Operation([](myQQuickView &v) { v.copyProfile(0, 1); }) << 0;
        QTest::newRow("profile import") << Operation([](myQQuickView &v) { v.loadProfile(0); }) << 0;
        QTest::newRow("profile export") << Operation([](myQQuickView &v) { v.saveProfile(0); }) << 0;
        QTest::newRow("macro import")
            << Operation([](myQQuickView &v) { v.loadMacroFile(QStringLiteral("Macro_1")); }) << 0;
        QTest::newRow("macro export")
            << Operation([](myQQuickView &v) { v.saveMacroFile(QStringLiteral("Macro_0")); }) << 0;
        for (int pages : {0, 1}) {
            const QByteArray suffix = " with " + QByteArray::number(pages) + " pages free";
            QTest::newRow("setting" + suffix) << Operation([settle](myQQuickView &v) {
                v.setData(QStringLiteral("mouse/reportRate"), 1);
                v.setData(QStringLiteral("mouse/extra"), QString(600, 'e'));
                settle();
            }) << pages;
            QTest::newRow("global setting" + suffix) << Operation([settle](myQQuickView &v) {
                v.setGlobalData(QStringLiteral("mouse/profileNo"), 4);
                v.setGlobalData(QStringLiteral("common/extra"), QString(600, 'e'));
                settle();
            }) << pages;
            QTest::newRow("macro save" + suffix) << Operation([](myQQuickView &v) {
                v.saveMacroIni(QStringLiteral("Macro_0"),
                               QStringList(60, QStringLiteral("0,1000")), 3);
            }) << pages;
            QTest::newRow("name list" + suffix) << Operation([](myQQuickView &v) {
                v.updataNameList(0, QStringList(40, QStringLiteral("A macro with a long name")));
            }) << pages;
            QTest::newRow("gun preset" + suffix) << Operation([](myQQuickView &v) {
                v.mouseSaveGundata(2, {QString(900, 'g'), "L-Click", 9, 0, 7, 0});
            }) << pages;
        }
    }
    void everyWriteKeepsTheOriginalAndSaysWhy()
    {
        QFETCH(Operation, operation);
        QFETCH(int, freePages);
        SmallDisk disk;
        writeBytes(disk.base.filePath(QStringLiteral("import.pf")),
                   bytesOf(settingFile(QStringLiteral("p3.bin"))) + QByteArray(3000, '\n'));
        writeBytes(disk.base.filePath(QStringLiteral("import.mc")),
                   "[config]\ntotal=0\nrepeat=1\n" + QByteArray(5000, '\n'));
        platform::setFileDialogHandler([&disk](bool save, const QString &, const QString &,
                                               const QString &filter) {
            if (save)
                return disk.mountPoint + QStringLiteral("/exported");
            return disk.base.filePath(filter.contains(QStringLiteral("pf")) ? "import.pf"
                                                                           : "import.mc");
        });
        QStringList shown;
        platform::setWarningBoxHandler(
            [&shown](const QString &, const QString &text) { shown << text; });
        {
            myQQuickView view;
            view.createMacroIni(QStringLiteral("Macro_0"), 0);
            view.updataNameList(0, {QStringLiteral("Macro_0")});
            QCoreApplication::processEvents();
            disk.makeFull(freePages);
            const QMap<QString, QByteArray> before = snapshot(disk.mountPoint + "/modules");

            operation(view);

            QCOMPARE(shown, QStringList{kDiskFull});
            const QMap<QString, QByteArray> after = snapshot(disk.mountPoint + "/modules");
            QCOMPARE(after.keys(), before.keys());
            for (auto it = before.cbegin(); it != before.cend(); ++it)
                QVERIFY2(after.value(it.key()) == it.value(),
                         qPrintable(it.key() + QStringLiteral(": %1 / %2 bytes").arg(after.value(it.key()).size()).arg(it.value().size())));
            QVERIFY(!QFile::exists(disk.mountPoint + QStringLiteral("/exported")));
            shown.clear();
        }
        // At the end, with room again, nothing of the kept copies is left behind.
        disk.makeRoom();
        const QStringList left = snapshot(disk.mountPoint + "/modules").keys();
        QCOMPARE(left.filter(QStringLiteral(".keep")), QStringList());
        QCOMPARE(left.filter(QStringLiteral(".check")), QStringList());
    }
};

QTEST_MAIN(WriteFailuresTest)
#include "test_write_failures.moc"
