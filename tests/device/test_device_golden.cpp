// Golden traces: what the mouse receives, byte for byte and pause for pause, for every command of
// both families (the command layer and the bridge slots that send them) and for the main
// sequences of the scene (connect, Save of every page, profile switch, factory reset, gun and
// macro send), on three models: a plain 553, a scrambled 560 and a 560 gun mouse. The expected
// traces live in tests/data/golden/<model>.trace; ORBIS_GOLDEN_RECORD=<folder> writes them
// there instead of comparing.
//
// File format: a step starts with "== <name>", then one line per command-interface transfer in
// the trace format (milliseconds counted from the step's start), then "pauses:" and every fixed
// pause of the step in order. The handshake's challenge is random, so its two reports show as
// "challenge" in place of their bytes.
#include "app/globals.h"
#include "app/widget.h"
#include "base/sleep.h"
#include "bridge/myqquickview.h"
#include "bridge/sequencerunner.h"
#include "device/hid_thread.h"
#include "device/hidio.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QFile>
#include <QQuickItem>
#include <QSettings>
#include <QTest>
#include <functional>
#include <memory>

namespace
{

struct Model {
    const char *name;
    const char *icType;
    bool isGun;
    bool isColorful;
    bool isEncode;
};
const Model kModels[] = {
    {"553-plain", "553", false, true, false},
    {"560-scrambled", "560", false, false, true},
    {"560-gun", "560", true, true, false},
};

// The model's data tree, mouse and connected window.
struct Rig {
    testsupport::ScratchTree tree;
    base::VirtualClock clock;
    sim::SimMouse *mouse = nullptr;
    std::unique_ptr<Widget> widget;

    explicit Rig(const Model &model)
    {
        const QString global = tree.file(QStringLiteral("modules/setting/apConfig.bin"));
        {
            QSettings config(global, QSettings::IniFormat);
            config.setValue(QStringLiteral("mouse/icType"), QLatin1String(model.icType));
            config.setValue(QStringLiteral("mouse/isGun"), model.isGun);
            config.setValue(QStringLiteral("mouse/isColorful"), model.isColorful);
            config.setValue(QStringLiteral("1/isEncode"), model.isEncode);
        }
        mouse = sim::attachMouse(sim::mouseConfigFromSettings(global));
        widget = std::make_unique<Widget>();
        widget->show();
    }
    ~Rig()
    {
        widget.reset();
        sim::detachAll();
        deviceConnected = false;
    }
    myQQuickView *view() const { return widget->view(); }
    Hid_Thread &hid() const { return widget->hid; }
    QObject *item(const char *name) const
    {
        return view()->rootObject()->findChild<QObject *>(QLatin1String(name));
    }
    void callScene(const char *function, const QVariant &argument = QVariant())
    {
        QObject *root = view()->rootObject();
        if (argument.isValid())
            QMetaObject::invokeMethod(root, function, Q_ARG(QVariant, argument));
        else
            QMetaObject::invokeMethod(root, function);
    }
    // The scene has started, no sequence runs or waits, and the window takes input.
    bool settled() const
    {
        return QTest::qWaitFor(
            [this] {
                const SequenceRunner *runner = view()->runner();
                return view()->rootObject() &&
                       view()->rootObject()->property("isPownOn").toBool() && !runner->active() &&
                       runner->pending() == 0 && view()->isEnabled() && hid().hidIdle;
            },
            testsupport::kStartWaitMs);
    }
};

const char *kindName(sim::TransferKind kind)
{
    switch (kind) {
    case sim::TransferKind::Open:
        return "open";
    case sim::TransferKind::OpenFailed:
        return "open-failed";
    case sim::TransferKind::Close:
        return "close";
    case sim::TransferKind::FeatureOut:
        return "feature-out";
    case sim::TransferKind::FeatureIn:
        return "feature-in";
    case sim::TransferKind::Write:
        return "write";
    case sim::TransferKind::Read:
        return "read";
    }
    return "";
}

// The command-interface transfers since `since` in the trace format, then the pauses.
QStringList stepTrace(const Rig &rig, qint64 since, bool maskHandshake)
{
    QStringList lines;
    int masked = maskHandshake ? 2 : 0;
    for (const sim::Transfer &t : rig.mouse->transfers()) {
        if (t.path != rig.mouse->commandPath())
            continue;
        const bool feature =
            t.kind == sim::TransferKind::FeatureOut || t.kind == sim::TransferKind::FeatureIn;
        const bool hide = feature && masked > 0;
        if (hide)
            --masked;
        const QString result = t.kind == sim::TransferKind::Open ? QStringLiteral("ok")
                               : t.kind == sim::TransferKind::Close
                                   ? QStringLiteral("ok")
                                   : QString::number(t.bytes.size());
        QString line = hidio::traceLine(
            t.timeMs - since, hidio::Interface::Command, kindName(t.kind), result,
            reinterpret_cast<const uchar *>(t.bytes.constData()), hide ? 0 : int(t.bytes.size()));
        if (hide)
            line += QStringLiteral(" challenge");
        lines << line;
    }
    QString pauses = QStringLiteral("pauses:");
    for (int ms : rig.clock.pauses())
        pauses += QLatin1Char(' ') + QString::number(ms);
    lines << pauses;
    return lines;
}

QVariantList numbers(std::initializer_list<int> values)
{
    QVariantList out;
    for (int v : values)
        out << v;
    return out;
}

// The sixteen stored assignments of the current profile, in the UI form the page sends.
QVariantList storedMatrix(myQQuickView *view)
{
    QVariantList out;
    for (int b = 0; b < 16; ++b)
        out << view->mouseGetKeydefine(b, false);
    return out;
}

QVariantList colours()
{
    QVariantList out;
    for (int i = 0; i < 24; ++i)
        out << (i * 11 + 3) % 256;
    return out;
}

QByteArray pattern(int size, int seed)
{
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i)
        out[i] = char((i * 7 + seed) & 0xff);
    return out;
}
uchar *u(QByteArray &b)
{
    return reinterpret_cast<uchar *>(b.data());
}

struct Step {
    const char *name;
    std::function<void(Rig &)> run;
    enum Families { Both, Only553, Only560 } families = Both;
};

// In the order they run; each starts from what the ones before left.
const QList<Step> &steps()
{
    static QByteArray b128 = pattern(128, 1), b64 = pattern(64, 2), b24 = pattern(24, 3),
                      b8 = pattern(8, 4), image = pattern(128, 5);
    static const QList<Step> list = {
        {"connect", [](Rig &r) { r.widget->checkDevice(); }},
        // The command layer.
        {"553 00H",
         [](Rig &r) {
             uchar a = 1, b = 2, c = 3, d = 4;
             r.hid().hid553_00H_GetSecrecyCode(a, b, c, d);
         },
         Step::Only553},
        {"553 01H", [](Rig &r) { r.hid().hid553_01H_SetReportRate(2); }, Step::Only553},
        {"553 02H", [](Rig &r) { r.hid().hid553_02H_SetCurrentKeyMatrix(2); }, Step::Only553},
        {"553 03H", [](Rig &r) { r.hid().hid553_03H_SetKeyboardoption(0x10, 0, 0, 0x41); },
         Step::Only553},
        {"553 04H", [](Rig &r) { r.hid().hid553_04H_SetGunData(1, 2, 3, 1); }, Step::Only553},
        {"553 0BH", [](Rig &r) { r.hid().hid553_0BH_SetCurrentDPI(2); }, Step::Only553},
        {"553 0DH", [](Rig &r) { r.hid().hid553_0DH_SetRGBLedEffect(1, 2, 3); }, Step::Only553},
        {"553 10H", [](Rig &r) { r.hid().hid553_10H_SetLED8StageColor(1, u(b24)); }, Step::Only553},
        {"553 10H type 2", [](Rig &r) { r.hid().hid553_10H_SetLED8StageColor(2, u(b24)); },
         Step::Only553},
        {"553 11H", [](Rig &r) { r.hid().hid553_11H_SetDPISet(4, u(b8)); }, Step::Only553},
        {"553 12H", [](Rig &r) { r.hid().hid553_12H_SetKeyMatrix(u(b64), 1); }, Step::Only553},
        {"553 13H", [](Rig &r) { r.hid().hid553_13H_SetMacroKey(1, u(b128)); }, Step::Only553},
        {"553 83H",
         [](Rig &r) {
             uchar a = 0, b = 0, c = 0, d = 0;
             r.hid().hid553_83H_GetKeyboardoption(a, b, c, d);
         },
         Step::Only553},
        {"553 8BH",
         [](Rig &r) {
             uchar a = 0;
             r.hid().hid553_8BH_GetCurrentDPI(a);
         },
         Step::Only553},
        {"560 01H", [](Rig &r) { r.hid().hid560_01H_SetKeyboardoption(9, 0); }, Step::Only560},
        {"560 02H", [](Rig &r) { r.hid().hid560_02H_SetCurrentProfile(2); }, Step::Only560},
        {"560 03H", [](Rig &r) { r.hid().hid560_03H_SetReportRate(1); }, Step::Only560},
        {"560 04H", [](Rig &r) { r.hid().hid560_04H_SetCurrentDPI(2); }, Step::Only560},
        {"560 0CH", [](Rig &r) { r.hid().hid560_0CH_setProfile(u(b128), 1); }, Step::Only560},
        {"560 0DH", [](Rig &r) { r.hid().hid560_0DH_SetKeyMatrix(u(b64), 1); }, Step::Only560},
        {"560 0FH", [](Rig &r) { r.hid().hid560_0FH_SetMacroKey(1, u(b128)); }, Step::Only560},
        {"560 81H",
         [](Rig &r) {
             uchar a = 0, b = 0;
             r.hid().hid560_81H_GetKeyboardoption(a, b);
         },
         Step::Only560},
        {"560 82H",
         [](Rig &r) {
             uchar a = 0;
             r.hid().hid560_82H_GetCurrentProfile(a);
         },
         Step::Only560},
        {"560 84H",
         [](Rig &r) {
             uchar a = 1, b = 0;
             r.hid().hid560_84H_GetCurrentDPI(a, b);
         },
         Step::Only560},
        {"560 8CH", [](Rig &r) { r.hid().hid560_8CH_readProfile(u(image), 2); }, Step::Only560},
        // The bridge slots the pages call.
        {"report rate", [](Rig &r) { r.view()->mouseSetReportRate(2); }},
        {"current stage", [](Rig &r) { r.view()->mouseSetCurrentDPI(3); }},
        {"read current stage", [](Rig &r) { r.view()->mouseGetCurrentDPI(); }},
        {"stages 3389",
         [](Rig &r) {
             r.view()->mouseSetDpi(5, QStringLiteral("3389"),
                                   numbers({400, 800, 12800, 16000, 25600, 3200, 6400, 100}));
         }},
        {"stages 4090",
         [](Rig &r) {
             r.view()->mouseSetDpi(3, QStringLiteral("4090"), numbers({400, 800, 6400, 12000}));
         }},
        {"lighting effect", [](Rig &r) { r.view()->mouseSetRGBEffect(2, 1, 3); }},
        {"colours", [](Rig &r) { r.view()->mouseSetRGBColor(1, colours()); }},
        {"key matrix",
         [](Rig &r) {
             r.view()->mouseSetKeyMatrix(storedMatrix(r.view()), true, numbers({5, 6, 7}));
         }},
        {"key matrix with gun keys",
         [](Rig &r) {
             QVariantList m = storedMatrix(r.view());
             const QVariantList gunKey2 = numbers({8, 0, 2, 0}), gunKey3 = numbers({8, 0, 3, 0});
             for (int i = 0; i < 4; ++i) {
                 m[12 + i] = gunKey2[i];
                 m[16 + i] = gunKey3[i];
             }
             r.view()->mouseSetKeyMatrix(m, true, numbers({5, 6, 7}));
         }},
        {"switch key matrix", [](Rig &r) { r.view()->mouseSwitchKeyMatrix(2); }},
        {"reset key matrix", [](Rig &r) { r.view()->mouseResetKeyMatrix(); }},
        {"keyboard option",
         [](Rig &r) {
             r.view()->mouseSetKeyboardoption(0x10, 0, 1, 0x41);
             r.view()->GetKeyboardoption();
         }},
        {"macro send",
         [](Rig &r) {
             r.view()->mouseSendMacroData(numbers({1, 0x04, 0x20, 0, 2, 0x04, 0x30, 0}), 3);
         }},
        {"gun send",
         [](Rig &r) {
             r.view()->mouseSendGundata(2, numbers({5, 10, 20}));
         }},
        {"profile images",
         [](Rig &r) {
             r.view()->mouseReadProfile(2);
             r.view()->mouseSetProfile(2);
             r.view()->mouseReadCurrentProfile();
         },
         Step::Only560},
        // The scene's sequences.
        {"save every page",
         [](Rig &r) {
             for (const char *page : {"keyMatrixMain", "dpiSettingMain", "lightControlMain"})
                 r.item(page)->setProperty("isSave", true);
             r.callScene("saveAll");
         }},
        {"profile switch", [](Rig &r) { r.callScene("switchProfile", 1); }},
        {"profile switch back", [](Rig &r) { r.callScene("switchProfile", 0); }},
        {"factory reset", [](Rig &r) { r.callScene("resetFactory"); }},
    };
    return list;
}

QString goldenPath(const QString &folder, const Model &model)
{
    return folder + QLatin1Char('/') + QLatin1String(model.name) + QStringLiteral(".trace");
}

// The steps of a golden file by name, each with its lines.
QList<QPair<QString, QStringList>> parse(const QString &text)
{
    QList<QPair<QString, QStringList>> out;
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1String("== ")))
            out.append({line.mid(3), QStringList()});
        else if (!out.isEmpty())
            out.last().second << line;
    }
    return out;
}

} // namespace

class GoldenTraceTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { sim::detachAll(); }

    void model_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(kModels)); ++i)
            QTest::newRow(kModels[i].name) << i;
    }

    void model()
    {
        QFETCH(int, index);
        const Model &m = kModels[index];
        const bool is560 = QLatin1String(m.icType) == QLatin1String("560");
        Rig rig(m);
        QList<QPair<QString, QStringList>> actual;
        for (const Step &step : steps()) {
            if ((step.families == Step::Only553 && is560) ||
                (step.families == Step::Only560 && !is560))
                continue;
            QVERIFY2(step.name == QByteArray("connect") || rig.settled(), step.name);
            rig.mouse->clearTransfers();
            rig.clock.clear();
            const qint64 since = rig.clock.now();
            step.run(rig);
            QVERIFY2(rig.settled(), step.name);
            actual.append({QLatin1String(step.name),
                           stepTrace(rig, since, step.name == QByteArray("connect"))});
        }
        QCOMPARE(rig.mouse->badChecksums(), 0);

        const QString record = qEnvironmentVariable("ORBIS_GOLDEN_RECORD");
        if (!record.isEmpty()) {
            QFile out(goldenPath(record, m));
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
            for (const auto &step : actual)
                out.write(("== " + step.first + QLatin1Char('\n') +
                           step.second.join(QLatin1Char('\n')) + QLatin1Char('\n'))
                              .toLatin1());
            QSKIP("recorded");
        }
        QFile in(goldenPath(QStringLiteral(ORBIS_TEST_DATA_DIR "/golden"), m));
        QVERIFY(in.open(QIODevice::ReadOnly | QIODevice::Text));
        const auto expected = parse(QString::fromLatin1(in.readAll()));
        QCOMPARE(actual.size(), expected.size());
        for (int i = 0; i < actual.size(); ++i) {
            QCOMPARE(actual[i].first, expected[i].first);
            const QStringList &a = actual[i].second, &e = expected[i].second;
            for (int l = 0; l < std::max(a.size(), e.size()); ++l) {
                const QByteArray where =
                    (actual[i].first + QStringLiteral(", line ") + QString::number(l + 1)).toUtf8();
                QVERIFY2(l < a.size() && l < e.size() && a[l] == e[l],
                         (where + "\n  actual:   " + a.value(l).toUtf8() +
                          "\n  expected: " + e.value(l).toUtf8())
                             .constData());
            }
        }
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    GoldenTraceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_device_golden.moc"
