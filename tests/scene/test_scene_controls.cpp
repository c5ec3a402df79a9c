// The shared controls of the pages and the key-name table, each made inside the real main
// scene (they read the scene's look by name): the rules the pages rely on.
#include "bridge/myqquickview.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace
{

struct SceneHost {
    testsupport::ScratchTree tree;
    myQQuickView view;

    SceneHost()
    {
        view.setSource(QUrl(QStringLiteral("qrc:/modules/qml/main.qml")));
        // The scene stays hidden until a connect; the probes need it shown.
        view.rootObject()->setProperty("visible", true);
        view.show();
    }

    // Makes one object from QML text in the scene's own context, so it sees mainIten.
    std::unique_ptr<QObject> make(const QByteArray &qml)
    {
        QQmlComponent component(view.engine());
        component.setData("import QtQuick\nimport \"basic\"\n" + qml,
                          QUrl(QStringLiteral("qrc:/modules/qml/probe.qml")));
        QObject *object = component.create(qmlContext(view.rootObject()));
        if (!object)
            qWarning() << component.errors();
        if (auto *item = qobject_cast<QQuickItem *>(object))
            item->setParentItem(view.rootObject());
        return std::unique_ptr<QObject>(object);
    }
};

QVariant call(QObject *object, const char *function, const QVariant &a = QVariant(),
              const QVariant &b = QVariant())
{
    QVariant result;
    if (!b.isValid() && !a.isValid())
        QMetaObject::invokeMethod(object, function, Q_RETURN_ARG(QVariant, result));
    else if (!b.isValid())
        QMetaObject::invokeMethod(object, function, Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QVariant, a));
    else
        QMetaObject::invokeMethod(object, function, Q_RETURN_ARG(QVariant, result),
                                  Q_ARG(QVariant, a), Q_ARG(QVariant, b));
    return result;
}

// Records each click signal with the sender's selection at that moment.
class SelectionProbe : public QObject
{
    Q_OBJECT
public:
    QList<int> indexes;
    QList<bool> selectedAtSignal;
public slots:
    void clicked(int index)
    {
        indexes << index;
        selectedAtSignal << sender()->property("isSelect").toBool();
    }
};

} // namespace

class ControlsTest : public QObject
{
    Q_OBJECT

private slots:
    void dropDownListReportsAChoiceOnlyOnceClosed_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("short list slides") << 4;
        QTest::newRow("long list has no slide") << 20;
    }
    void dropDownListReportsAChoiceOnlyOnceClosed()
    {
        QFETCH(int, rows);
        SceneHost host;
        auto list = host.make("DropDownList {\n"
                              "    mdItems: ListModel { id: rowsModel }\n"
                              "    Component.onCompleted: { for (var i = 0; i < " +
                              QByteArray::number(rows) +
                              "; ++i) rowsModel.append({ textValue: String(i * 10) }) }\n"
                              "}");
        QVERIFY(list);
        QCOMPARE(list->property("count").toInt(), rows);
        QCOMPARE(list->property("textValue").toString(), QStringLiteral("0"));
        QSignalSpy changes(list.get(), SIGNAL(valueChange(int)));

        list->setProperty("isDrop", true);
        QTest::qWait(250);
        call(list.get(), "chooseRow", 3);
        QCOMPARE(list->property("isDrop").toBool(), false);
        QCOMPARE(list->property("currentSelect").toInt(), 3);
        QCOMPARE(list->property("textValue").toString(), QStringLiteral("30"));
        QTRY_COMPARE(changes.size(), 1);
        QCOMPARE(changes.first().first().toInt(), 3);
        QTest::qWait(250);
        QCOMPARE(changes.size(), 1);

        // Closing from outside reports nothing.
        list->setProperty("isDrop", true);
        call(list.get(), "closeMenu");
        QTest::qWait(250);
        QCOMPARE(changes.size(), 1);
    }

    void checkBoxReportsBeforeToggling()
    {
        SceneHost host;
        auto box = host.make("CheckBox { x: 10; y: 10; index: 7; textValue: \"Delay\" }");
        QVERIFY(box);
        SelectionProbe probe;
        QObject::connect(box.get(), SIGNAL(btnClick(int)), &probe, SLOT(clicked(int)));
        auto *item = qobject_cast<QQuickItem *>(box.get());
        const QPoint onBox = item->mapToScene(QPointF(5, 10)).toPoint();

        QTest::mouseClick(&host.view, Qt::LeftButton, {}, onBox);
        QCOMPARE(probe.indexes, QList<int>{7});
        QCOMPARE(probe.selectedAtSignal, QList<bool>{false});
        QCOMPARE(box->property("isSelect").toBool(), true);
        QTest::mouseClick(&host.view, Qt::LeftButton, {}, onBox, 500);
        QCOMPARE(probe.selectedAtSignal, (QList<bool>{false, true}));
        QCOMPARE(box->property("isSelect").toBool(), false);
    }

    void rectInputTurnsEmptyOrZeroIntoZeroWhenLeft()
    {
        SceneHost host;
        auto field = host.make("RectInput { maxValue: 64 }");
        QVERIFY(field);
        QCOMPARE(field->property("textValue").toString(), QStringLiteral("0"));
        auto *input = field->property("input").value<QQuickItem *>();
        QSignalSpy started(field.get(), SIGNAL(inputSignal()));
        QSignalSpy ended(field.get(), SIGNAL(endInputSignal()));

        input->forceActiveFocus();
        QCOMPARE(started.size(), 1);
        field->setProperty("textValue", QString());
        input->setFocus(false);
        QCOMPARE(ended.size(), 1);
        QCOMPARE(field->property("textValue").toString(), QStringLiteral("0"));

        input->forceActiveFocus();
        field->setProperty("textValue", QStringLiteral("42"));
        input->setFocus(false);
        QCOMPARE(ended.size(), 2);
        QCOMPARE(field->property("textValue").toString(), QStringLiteral("42"));
    }

    void sliderPlacesTheKnobBySteps()
    {
        SceneHost host;
        auto slider = host.make("SliderButton { width: 214; segment: 10 }");
        QVERIFY(slider);
        QSignalSpy rest(slider.get(), SIGNAL(valueChangeDelay(double)));
        const double travel = slider->property("travel").toDouble();
        QVERIFY(travel > 100);

        call(slider.get(), "setIndexValue", 5, false);
        QCOMPARE(slider->property("knobX").toDouble(), travel / 2);
        QCOMPARE(slider->property("segmentValue").toInt(), 5);
        QCOMPARE(rest.size(), 0);
        call(slider.get(), "setIndexValue", 12, true);
        QCOMPARE(slider->property("segmentValue").toInt(), 10);
        QCOMPARE(rest.size(), 1);
        QCOMPARE(rest.first().first().toDouble(), travel);
        call(slider.get(), "setRatioValue", 0.25);
        QCOMPARE(slider->property("knobX").toDouble(), travel / 4);
    }

    void keyNameTableHasTheBuiltInLabelsInTableOrder()
    {
        SceneHost host;
        QObject *keys = host.view.rootObject()->findChild<QObject *>("_KeyCodeString");
        QVERIFY(keys);
        QCOMPARE(keys->property("keyCode").toList().size(), 133);
        QCOMPARE(keys->property("keyCodeStr").toList().size(), 133);
        QCOMPARE(call(keys, "keycodeTostr", 0x04).toString(), QStringLiteral("A"));
        QCOMPARE(call(keys, "keycodeTostr", 0x73).toString(), QStringLiteral("F24"));
        QCOMPARE(call(keys, "keycodeTostr", 0x85).toString(), QStringLiteral("Keypad"));
        QCOMPARE(call(keys, "keycodeTostr", 0xE3).toString(), QStringLiteral("LWin"));
        QCOMPARE(call(keys, "keycodeTostr", 0x74).toString(), QString());
        QCOMPARE(call(keys, "keycodeTostr", 0x86).toString(), QString());
        QCOMPARE(call(keys, "strTokeycode", QStringLiteral("MS-M")).toInt(), 0xF2);
        QCOMPARE(call(keys, "strTokeycode", QStringLiteral("\\")).toInt(), 0x31);
        QCOMPARE(call(keys, "strTokeycode", QStringLiteral("a")).toInt(), 0);

        // A shorter replacement list never yields "undefined".
        keys->setProperty("keyCodeStr", QStringList{QStringLiteral("A")});
        QCOMPARE(call(keys, "keycodeTostr", 0x05).toString(), QString());
        QCOMPARE(call(keys, "strTokeycode", QStringLiteral("B")).toInt(), 0);
    }
};

QTEST_MAIN(ControlsTest)
#include "test_scene_controls.moc"
