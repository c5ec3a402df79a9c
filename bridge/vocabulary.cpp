#include "bridge/vocabulary.h"

#include <QtQml/qqml.h>

void registerQmlTypes()
{
    static const bool registered = [] {
        const char *uri = "modules.qml";
        const QString reason = QStringLiteral("holds enums only");
        qmlRegisterUncreatableMetaObject(ButtonAction::staticMetaObject, uri, 1, 0,
                                         "ButtonAction", reason);
        qmlRegisterUncreatableMetaObject(NameList::staticMetaObject, uri, 1, 0, "NameList",
                                         reason);
        qmlRegisterUncreatableMetaObject(MouseButtons::staticMetaObject, uri, 1, 0,
                                         "MouseButtons", reason);
        return true;
    }();
    Q_UNUSED(registered);
}
