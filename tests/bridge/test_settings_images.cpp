// The on-board profile images of a 560-family mouse: read into the view on connect (images 0
// and 1, and 2 to 4 on a gun mouse) and written back whole.
#include "app/widget.h"
#include "bridge/myqquickview.h"
#include "device/protocol.h"
#include "sim/simdevice.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QSettings>
#include <QTest>

namespace
{

QByteArray imageFor(int profile)
{
    QByteArray image(128, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i * 7 + profile * 31 + 1) & 0xff);
    return image;
}

QByteArray viewImage(const myQQuickView *view, int profile)
{
    return QByteArray(reinterpret_cast<const char *>(view->protocol()->image(profile)->data()), 128);
}

void setModel(bool isGun)
{
    QSettings global(QStringLiteral("./modules/setting/apConfig.bin"), QSettings::IniFormat);
    global.setValue(QStringLiteral("mouse/icType"), QStringLiteral("560"));
    global.setValue(QStringLiteral("mouse/isGun"), isGun);
}

sim::SimMouse *attach560Mouse()
{
    sim::MouseConfig config;
    config.family = QStringLiteral("560");
    sim::SimMouse *mouse = sim::attachMouse(config);
    for (int n = 0; n < 5; ++n)
        mouse->setProfileImage(n, imageFor(n));
    return mouse;
}

} // namespace

class ProfileImagesTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { sim::detachAll(); }

    void aGunMouseDeliversAllFiveImagesOnConnect()
    {
        testsupport::ScratchTree tree;
        setModel(true);
        attach560Mouse();
        Widget widget;
        widget.checkDevice();
        QVERIFY(widget.hid.listenRunning);
        for (int n = 0; n < 5; ++n)
            QCOMPARE(viewImage(widget.view(), n), imageFor(n));
    }

    void aMouseWithoutGunProfilesDeliversImagesZeroAndOne()
    {
        testsupport::ScratchTree tree;
        setModel(false);
        attach560Mouse();
        Widget widget;
        widget.checkDevice();
        QCOMPARE(viewImage(widget.view(), 0), imageFor(0));
        QCOMPARE(viewImage(widget.view(), 1), imageFor(1));
        for (int n = 2; n < 5; ++n)
            QCOMPARE(viewImage(widget.view(), n), QByteArray(128, '\0'));
    }

    void setProfileMakesTheMouseHoldTheImage()
    {
        testsupport::ScratchTree tree;
        setModel(true);
        sim::SimMouse *mouse = attach560Mouse();
        Widget widget;
        widget.checkDevice();
        myQQuickView *view = widget.view();
        uchar *image3 = view->protocol()->image(3)->data();
        for (int i = 84; i <= 100; ++i)
            image3[i] = uchar(0xA0 + i);
        image3[127] = 0xFF;
        view->mouseSetProfile(3);
        QCOMPARE(mouse->profileImage(3), viewImage(view, 3));
        QCOMPARE(mouse->profileImage(2), imageFor(2));

        mouse->setCurrentProfile(2);
        QCOMPARE(view->mouseReadCurrentProfile().toInt(), 2);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    ProfileImagesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_settings_images.moc"
