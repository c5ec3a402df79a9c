#include "device/hidio.h"

#include "base/logging.h"
#include "base/sleep.h"
#include "device/access.h"

#include <QFile>
#include <QMutex>
#include <cerrno>
#include <hidapi.h>

namespace hidio
{
namespace
{

struct TraceFile {
    QMutex mutex;
    QString path;
    QFile file;
};

TraceFile &traceFile()
{
    static TraceFile t;
    return t;
}

void trace(Interface iface, const char *kind, const QString &result, const uchar *data = nullptr,
           int length = 0)
{
    const QString path = qEnvironmentVariable("ORBIS_HID_TRACE");
    if (path.isEmpty())
        return;
    const QString line = traceLine(base::nowMs(), iface, kind, result, data, length);
    TraceFile &t = traceFile();
    QMutexLocker lock(&t.mutex);
    if (t.path != path || !t.file.isOpen()) {
        t.file.close();
        t.file.setFileName(path);
        t.path = path;
        if (!t.file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
            return;
    }
    t.file.write(line.toLatin1());
    t.file.write("\n");
    t.file.flush();
}

QString count(int result)
{
    return QString::number(result);
}

} // namespace

QString traceLine(qint64 ms, Interface iface, const char *kind, const QString &result,
                  const uchar *data, int length)
{
    QString line =
        QStringLiteral("%1 %2 %3 %4")
            .arg(ms)
            .arg(iface == Interface::Command ? QLatin1String("cmd") : QLatin1String("evt"))
            .arg(QLatin1String(kind), result);
    if (data && length > 0)
        line += QLatin1Char(' ') +
                QString::fromLatin1(
                    QByteArray(reinterpret_cast<const char *>(data), length).toHex(' '));
    return line;
}

hid_device *open(Interface iface, const QString &path)
{
    const QByteArray path8 = path.toLatin1();
    errno = 0;
    hid_device *dev = hid_open_path(path8.constData());
    const int openError = errno;
    if (dev)
        hid_set_nonblocking(dev, 0);
    const QString result = dev ? QStringLiteral("ok") : QStringLiteral("failed");
    trace(iface, "open", result + QLatin1Char(' ') + path);
    // The usual reason a present mouse is not found: say it plainly, with the fix.
    if (!dev && deviceaccess::permissionDenied(path, openError))
        ORBIS_LOG(lcDevice, QStringLiteral("Cannot open %1: permission denied. %2")
                                .arg(path, deviceaccess::udevRuleAdvice()));
    return dev;
}

void close(Interface iface, hid_device *dev)
{
    if (!dev)
        return;
    hid_close(dev);
    trace(iface, "close", QStringLiteral("ok"));
}

int sendFeature(Interface iface, hid_device *dev, const uchar *data, int length)
{
    const int r = hid_send_feature_report(dev, data, static_cast<size_t>(length));
    trace(iface, "feature-out", count(r), data, length);
    return r;
}

int getFeature(Interface iface, hid_device *dev, uchar *data, int length)
{
    const int r = hid_get_feature_report(dev, data, static_cast<size_t>(length));
    trace(iface, "feature-in", count(r), data, r);
    return r;
}

int write(Interface iface, hid_device *dev, const uchar *data, int length)
{
    const int r = hid_write(dev, data, static_cast<size_t>(length));
    trace(iface, "write", count(r), data, length);
    return r;
}

int read(Interface iface, hid_device *dev, uchar *data, int length, int timeoutMs)
{
    const int r = hid_read_timeout(dev, data, static_cast<size_t>(length), timeoutMs);
    if (r != 0)
        trace(iface, "read", count(r), data, r);
    return r;
}

} // namespace hidio
