// The shared vocabulary reaches the scene: a component of the scene's module, created by the
// view's own engine, reads the button-action types, the name lists and the button count as
// enums, with the values the C++ side uses.
#include "bridge/keymatrix.h"
#include "bridge/myqquickview.h"
#include "bridge/vocabulary.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QTest>
#include <memory>

class QmlVocabularyTest : public QObject
{
    Q_OBJECT

private slots:
    void enumsReadInTheScenesModule()
    {
        testsupport::ScratchTree tree;
        myQQuickView view;
        QQmlComponent component(view.engine());
        component.setData("import QtQml\nimport modules.qml\nQtObject {\n"
                          " property var actions: [ButtonAction.Mouse, ButtonAction.Fire,"
                          " ButtonAction.Combination, ButtonAction.Media, ButtonAction.Macro,"
                          " ButtonAction.Dpi, ButtonAction.System, ButtonAction.Shortcut,"
                          " ButtonAction.Gun, ButtonAction.Factory]\n"
                          " property var lists: [NameList.Macros, NameList.GunPresets,"
                          " NameList.Profiles, NameList.SelectedGuns]\n"
                          " property int buttons: MouseButtons.Count\n}\n",
                          QUrl(QStringLiteral("qrc:/modules/qml/VocabularyProbe.qml")));
        std::unique_ptr<QObject> probe(component.create());
        QVERIFY2(probe, qPrintable(component.errorString()));
        QCOMPARE(probe->property("actions").toList(),
                 (QVariantList{0, 1, 2, 3, 4, 5, 6, 7, 8, 0xFF}));
        QCOMPARE(probe->property("lists").toList(), (QVariantList{0, 1, 2, 3}));
        QCOMPARE(probe->property("buttons").toInt(), keymatrix::kButtons);
        QCOMPARE(int(keymatrix::kGunKeyType), int(ButtonAction::Gun));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QmlVocabularyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_qml_vocabulary.moc"
