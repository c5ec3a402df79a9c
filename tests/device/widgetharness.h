#pragma once
// A host widget in a scratch tree for the device tests: the scene is replaced by a small one that
// records the calls the device side makes into it, and tray balloons are collected.
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "platform/dialogs.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QFile>
#include <QMutex>
#include <QQmlContext>
#include <QSettings>
#include <QThread>
#include <memory>

#if defined(__SANITIZE_THREAD__)
// Qt's libraries are not built with the sanitizer, so the synchronisation inside them (thread
// pools, wait conditions) is invisible to it: report only what instrumented code does.
extern "C" const char *__tsan_default_options()
{
    return "ignore_noninstrumented_modules=1";
}
#endif

class SceneRecorder : public QObject
{
    Q_OBJECT
public:
    QList<int> dpiValues;
    bool offGuiThread = false;

    Q_INVOKABLE void record(int value)
    {
        if (QThread::currentThread() != thread())
            offGuiThread = true;
        dpiValues.append(value);
    }
};

struct WidgetHarness {
    testsupport::ScratchTree tree;
    SceneRecorder recorder;
    QStringList balloons; // "title|text"
    std::unique_ptr<Widget> widget;

    // Writes the device-table entries "0" (keyboard, pid 0002) and "1" (mouse, pid 0001) in the
    // shape of the reference table, then builds the widget.
    explicit WidgetHarness(bool mouseEncoded = false,
                           const QString &mouseCode = QStringLiteral("527361"))
    {
        {
            QSettings config(tree.file(QStringLiteral("modules/setting/apConfig.bin")),
                             QSettings::IniFormat);
            config.setValue(QStringLiteral("common/deviceCount"), 2);
            const char *const keys[][2] = {
                {"0/type", "0"},          {"0/vid", "1209"},        {"0/pid", "0002"},
                {"0/usagePage", "ff01"},  {"0/usage", "0001"},      {"0/usagePage2", "ff02"},
                {"0/usage2", "0001"},     {"0/reportLength", "64"}, {"1/type", "1"},
                {"1/vid", "1209"},        {"1/pid", "0001"},        {"1/usagePage", "ff00"},
                {"1/usage", "ff00"},      {"1/usagePage2", "ff01"}, {"1/usage2", "ff01"},
                {"1/reportLength", "32"}, {"mouse/icType", "553"},
            };
            for (const auto &kv : keys)
                config.setValue(QLatin1String(kv[0]), QLatin1String(kv[1]));
            config.setValue(QStringLiteral("1/isEncode"), mouseEncoded);
            config.setValue(QStringLiteral("1/sCode"), mouseCode);
        }
        platform::setBalloonObserver([this](const QString &title, const QString &text) {
            balloons.append(title + QLatin1Char('|') + text);
        });
        widget = std::make_unique<Widget>();
        const QString qml = tree.file(QStringLiteral("recorder.qml"));
        QFile f(qml);
        f.open(QIODevice::WriteOnly);
        f.write("import QtQuick\nItem {\n width: 10; height: 10\n"
                " function setCurrentDPI(v) { recorder.record(v) }\n"
                " function initUI() {}\n function run() {}\n function setProtectUI(t) {}\n}\n");
        f.close();
        view()->rootContext()->setContextProperty(QStringLiteral("recorder"), &recorder);
        view()->setSource(QUrl::fromLocalFile(qml));
    }

    ~WidgetHarness()
    {
        widget.reset();
        platform::setBalloonObserver({});
        sim::detachAll();
    }

    myQQuickView *view() const { return widget->view(); }
    Hid_Thread &hid() const { return widget->hid; }
};
