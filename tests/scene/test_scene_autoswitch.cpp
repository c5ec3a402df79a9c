// Profiles that follow the window in front, on a real X display: a private Xvfb with openbox
// (which keeps _NET_ACTIVE_WINDOW), two windows of different WM_CLASS made by child processes of
// this test, and the program with a simulated mouse. What the mouse receives proves each switch;
// the profile page's "Add the application in front" and Remove are operated by clicks.
#include "bridge/myqquickview.h"
#include "support/childprocess.h"
#include "support/scenehost.h"
#include "support/xserver.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <xcb/xcb.h>

namespace
{
QString childMode;

// The child: one mapped top-level window of WM_CLASS (instance = lower case, class = name) with
// its pid, on the display; prints its id and lives until it is ended.
int windowChild(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const QByteArray cls = argv[1];
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 3;
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 10, 10, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    const QByteArray wmClass = cls.toLower() + '\0' + cls + '\0';
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                        static_cast<uint32_t>(wmClass.size()), wmClass.constData());
    xcb_intern_atom_reply_t *pidAtom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 11, "_NET_WM_PID"), nullptr);
    const uint32_t pid = static_cast<uint32_t>(getpid());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, pidAtom->atom, XCB_ATOM_CARDINAL, 32, 1, &pid);
    std::free(pidAtom);
    xcb_map_window(c, w);
    xcb_flush(c);
    std::printf("window %u\n", w);
    std::fflush(stdout);
    while (xcb_generic_event_t *event = xcb_wait_for_event(c))
        std::free(event);
    xcb_disconnect(c);
    return 0;
}

// The test's own view of the display: the window in front, and asking the window manager to
// activate a window as a pager does.
class DisplayView
{
public:
    DisplayView() : c_(xcb_connect(nullptr, nullptr))
    {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        active_ = atom("_NET_ACTIVE_WINDOW");
        wmCheck_ = atom("_NET_SUPPORTING_WM_CHECK");
    }
    ~DisplayView() { xcb_disconnect(c_); }

    bool windowManagerRuns() { return window(wmCheck_) != 0; }
    xcb_window_t activeWindow() { return window(active_); }
    void askToActivate(xcb_window_t w)
    {
        xcb_client_message_event_t message;
        std::memset(&message, 0, sizeof message);
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = w;
        message.type = active_;
        message.data.data32[0] = 2; // from a pager: no focus-stealing rules apply
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(c_, 0, root_,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&message));
        xcb_flush(c_);
    }
    // Asks until the window manager has made w the window in front.
    bool activate(xcb_window_t w)
    {
        return QTest::qWaitFor(
            [&] {
                if (activeWindow() == w)
                    return true;
                askToActivate(w);
                QTest::qWait(20);
                return activeWindow() == w;
            },
            5000);
    }

private:
    xcb_atom_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(
            c_, xcb_intern_atom(c_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : 0;
        std::free(r);
        return a;
    }
    xcb_window_t window(xcb_atom_t property)
    {
        xcb_get_property_reply_t *r = xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, root_, property, XCB_ATOM_WINDOW, 0, 1), nullptr);
        xcb_window_t w = 0;
        if (r && xcb_get_property_value_length(r) >= 4)
            std::memcpy(&w, xcb_get_property_value(r), 4);
        std::free(r);
        return w;
    }

    xcb_connection_t *c_;
    xcb_window_t root_ = 0;
    xcb_atom_t active_ = 0;
    xcb_atom_t wmCheck_ = 0;
};

// The profile entries A (p1.bin), B (p2.bin) and C (p3.bin), each with a report rate of its own so
// every switch sends one 01H; p2.bin holds the rule for the window of class "Game".
void prepareProfiles(testsupport::ScratchTree &tree)
{
    QSettings names(tree.file("modules/setting/name.bin"), QSettings::IniFormat);
    names.setValue("profile/profileName", QStringList{"A0", "B1", "C2"});
    for (int p = 1; p <= 3; ++p) {
        QSettings profile(tree.file(QStringLiteral("modules/setting/p%1.bin").arg(p)),
                          QSettings::IniFormat);
        profile.setValue("mouse/reportRate", p - 1); // rate codes 8, 4, 2
        if (p == 2)
            profile.setValue("autoSwitch/applications", "Game");
    }
}
const int kRateCodes[3] = {8, 4, 2};

int switchesSent(const sim::SimMouse *mouse)
{
    int n = 0;
    for (const sim::Transfer &t : mouse->transfers())
        if (t.kind == sim::TransferKind::FeatureOut && t.bytes.size() > 1 && quint8(t.bytes[1]) == 0x01)
            ++n;
    return n;
}

QByteArray fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int storedProfile(const testsupport::ScratchTree &tree)
{
    return QSettings(tree.file("modules/setting/apConfig.bin"), QSettings::IniFormat)
        .value("mouse/profileNo")
        .toInt();
}
} // namespace

class AutoSwitchSceneTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!x_.running())
            QSKIP("Xvfb is not installed");
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (openbox.isEmpty())
            QSKIP("openbox is not installed");
        // The X display is the only desktop this test has.
        qunsetenv("WAYLAND_DISPLAY");
        qunsetenv("XDG_SESSION_TYPE");
        wm_.process.start(openbox, {QStringLiteral("--sm-disable")});
        QVERIFY(wm_.process.waitForStarted(5000));
        display_ = std::make_unique<DisplayView>();
        QTRY_VERIFY_WITH_TIMEOUT(display_->windowManagerRuns(), 10000);
        game_ = startWindow(gameChild_, QStringLiteral("Game"));
        other_ = startWindow(otherChild_, QStringLiteral("Other"));
        QVERIFY(game_ != 0 && other_ != 0);
        QVERIFY(display_->activate(other_));
    }
    void cleanupTestCase()
    {
        gameChild_.stop();
        otherChild_.stop();
        display_.reset();
        wm_.stop();
    }

    // The window of the rule brings its profile, the other takes the program back to the
    // profile of the start; quick changes cost at most one switch; a match for the profile that
    // is current sends nothing.
    void profilesFollowTheWindowInFront()
    {
        testsupport::SceneHost scene(prepareProfiles);
        QVERIFY(scene.ready());
        QCOMPARE(scene.widget->view()->store != nullptr, true);
        scene.mouse->clearTransfers();

        QVERIFY(display_->activate(game_));
        QTRY_COMPARE_WITH_TIMEOUT(switchesSent(scene.mouse), 1, 5000);
        QTRY_COMPARE(storedProfile(scene.tree), 1);
        QCOMPARE(scene.mouse->reportRate(), kRateCodes[1]);
        QVERIFY(scene.log.count(QStringLiteral(
                    "Automatic switch: window Game (pid %1) matches rule \"Game\": profile 2")
                                    .arg(gameChild_.process.processId())) == 1);

        QVERIFY(display_->activate(other_));
        QTRY_COMPARE_WITH_TIMEOUT(switchesSent(scene.mouse), 2, 5000);
        QTRY_COMPARE(storedProfile(scene.tree), 0);
        QCOMPARE(scene.mouse->reportRate(), kRateCodes[0]);

        // Five activations within a second: one switch at most, to the last one's profile.
        QTRY_VERIFY(scene.widget->view()->isEnabled());
        scene.mouse->clearTransfers();
        for (xcb_window_t w : {game_, other_, game_, other_, game_}) {
            QVERIFY(display_->activate(w));
            QTest::qWait(150);
        }
        QTest::qWait(2500);
        QTRY_VERIFY(scene.widget->view()->isEnabled());
        QCOMPARE(switchesSent(scene.mouse), 1);
        QCOMPARE(storedProfile(scene.tree), 1);

        // Chosen by hand (as the top bar chooses), profile 2 is current and the one to come
        // back to: the window of its rule, and any other, send nothing.
        QVERIFY(display_->activate(other_));
        QTRY_COMPARE_WITH_TIMEOUT(storedProfile(scene.tree), 0, 5000);
        QTRY_VERIFY(scene.widget->view()->isEnabled());
        scene.widget->view()->chooseProfile(1);
        QTRY_COMPARE(storedProfile(scene.tree), 1);
        QTRY_VERIFY(scene.widget->view()->isEnabled());
        scene.mouse->clearTransfers();
        QVERIFY(display_->activate(game_));
        QTest::qWait(1500);
        QVERIFY(display_->activate(other_));
        QTest::qWait(1500);
        QCOMPARE(switchesSent(scene.mouse), 0);
        QCOMPARE(storedProfile(scene.tree), 1);
    }

    // The profile page: for the selected entry, "Add the application in front" counts down, takes
    // the application the user clicked into, and Remove takes it away; both reach the file.
    void thePageAddsTheApplicationInFrontAndRemovesIt()
    {
        testsupport::SceneHost scene(prepareProfiles);
        QVERIFY(scene.ready());
        QVERIFY(display_->activate(other_));
        QTest::mouseClick(scene.widget->view(), Qt::LeftButton, {}, centreOf(scene, "configBtn"));
        QQuickItem *page = testsupport::findItem(scene.root(), QStringLiteral("profileMain"));
        QTRY_VERIFY(page->isVisible());
        // The third entry, profile file p3.bin.
        QQuickItem *list = testsupport::findItem(scene.root(), QStringLiteral("profileList"));
        const auto selectThirdEntry = [&] {
            QTest::mouseClick(scene.widget->view(), Qt::LeftButton, {},
                              list->mapToScene(QPointF(40, 2 * 28 + 14)).toPoint());
        };
        selectThirdEntry();
        QTRY_COMPARE(page->property("selectedRow").toInt(), 2);

        QQuickItem *rules = testsupport::findItem(scene.root(), QStringLiteral("autoSwitchRules"));
        QCOMPARE(rules->property("profileNo").toInt(), 2);
        QTest::mouseClick(scene.widget->view(), Qt::LeftButton, {},
                          centreOf(scene, "autoSwitchAddBtn"));
        QCOMPARE(rules->property("countdown").toInt(), 3);
        QTest::qWait(500);
        // The user clicks into the game, whose rule (p2.bin) switches profiles meanwhile: the
        // application goes to the entry selected at the click all the same.
        QVERIFY(display_->activate(game_));
        const QString p3 = scene.tree.file("modules/setting/p3.bin");
        QTRY_VERIFY2_WITH_TIMEOUT(fileText(p3).contains("[autoSwitch]\napplications=Game\n"),
                                  fileText(p3).constData(), 6000);
        // The switch moved the selection to the current entry; back to the third.
        QTRY_VERIFY(scene.widget->view()->isEnabled());
        selectThirdEntry();
        QTRY_COMPARE(rules->property("profileNo").toInt(), 2);
        QQuickItem *names = testsupport::findItem(scene.root(), QStringLiteral("autoSwitchList"));
        QTRY_COMPARE(names->property("count").toInt(), 1);

        QTest::mouseClick(scene.widget->view(), Qt::LeftButton, {},
                          centreOf(scene, "autoSwitchRemoveBtn0"));
        QTRY_VERIFY(!fileText(p3).contains("applications"));
        QTRY_COMPARE(names->property("count").toInt(), 0);
        // The rule of p2.bin is untouched.
        QCOMPARE(QSettings(scene.tree.file("modules/setting/p2.bin"), QSettings::IniFormat)
                     .value("autoSwitch/applications")
                     .toString(),
                 QStringLiteral("Game"));
    }

private:
    static QPoint centreOf(const testsupport::SceneHost &scene, const char *name)
    {
        QQuickItem *item = testsupport::findItem(scene.root(), QLatin1String(name));
        if (!item)
            return QPoint(-1, -1);
        return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
    }
    xcb_window_t startWindow(testsupport::Child &child, const QString &cls)
    {
        child.process.start(QCoreApplication::applicationFilePath(),
                            {QStringLiteral("--child=window"), cls});
        if (!child.waitFor(QStringLiteral("\n")))
            return 0;
        return child.out.section(QLatin1Char(' '), 1).trimmed().toUInt();
    }

    testsupport::XServer x_;
    testsupport::Child wm_;
    testsupport::Child gameChild_;
    testsupport::Child otherChild_;
    std::unique_ptr<DisplayView> display_;
    xcb_window_t game_ = 0;
    xcb_window_t other_ = 0;
};

int main(int argc, char **argv)
{
    const int childStatus = testsupport::runAsChild(argc, argv, &childMode, windowChild);
    if (childStatus >= 0)
        return childStatus;
    QApplication app(argc, argv);
    AutoSwitchSceneTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_scene_autoswitch.moc"
