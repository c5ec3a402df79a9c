#pragma once
// The words the pages and the C++ side share: the types of a button's action (the first value of
// a key-matrix entry in the pages' form), the name lists, and the number of buttons a key matrix
// holds. The scene sees them as enums of the module modules.qml (ButtonAction.Gun,
// NameList.Macros, MouseButtons.Count). The module's type registration, generated at build time,
// reads them from here, so qmllint knows them as well; registerQmlTypes() runs it.
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace ButtonAction
{
Q_NAMESPACE
QML_ELEMENT
enum Type {
    Mouse = 0,       // a mouse button, or double fire
    Fire = 1,        // auto-fire
    Combination = 2, // key combination
    Media = 3,
    Macro = 4,
    Dpi = 5,
    System = 6,   // system function
    Shortcut = 7, // edit shortcut
    Gun = 8,
    Factory = 0xFF, // the factory special functions
};
Q_ENUM_NS(Type)
} // namespace ButtonAction

// The name lists of the list file, by the number the pages pass.
namespace NameList
{
Q_NAMESPACE
QML_ELEMENT
enum Type {
    Macros = 0,
    GunPresets = 1,
    Profiles = 2,
    SelectedGuns = 3,
};
Q_ENUM_NS(Type)
} // namespace NameList

namespace MouseButtons
{
Q_NAMESPACE
QML_ELEMENT
enum Size {
    Count = 16, // entries of a key matrix, button 0 first
};
Q_ENUM_NS(Size)
} // namespace MouseButtons

// Registers the module modules.qml with its enums (uncreatable, enums only); the view calls this
// before it loads the scene. The call also keeps the registration linked in from the static
// library.
void registerQmlTypes();
