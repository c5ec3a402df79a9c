#pragma once
// One entry of the device table kept in the global settings file.
#include <QList>
#include <QString>
#include <QtGlobal>

struct DeviceEntry {
    qint32 type = -1;      // 0 keyboard, 1 mouse; polling does not branch on it
    quint16 vid = 0;       // USB vendor id (enumeration filter)
    quint16 pid = 0;       // USB product id (enumeration filter)
    quint16 usagePage = 0; // command interface collection
    quint16 usage = 0;
    quint16 usagePage2 = 0; // event interface collection
    quint16 usage2 = 0;
    qint32 reportLength = 32; // data bytes per interrupt report on the command interface
    bool isEncode = false;    // feature-report bodies are scrambled
    QString sCode = QStringLiteral("527361"); // secrecy code, six characters
    QString devPath;  // hidapi path of the command interface; empty when absent
    QString devPath2; // hidapi path of the event interface; empty when absent
};

using DeviceList = QList<DeviceEntry>;
