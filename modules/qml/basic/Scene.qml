// Helpers the basic components share about the scene they sit in.
pragma Singleton
import QtQuick

QtObject {
    // Commits the input field the user is typing in: the scene's root item (the top item below
    // the window's content item) takes the focus, and the field commits as when it is left; the
    // root having the focus is also what lets Esc reach it.
    function commitInputs(item: Item) {
        while (item && item.parent && item.parent.parent)
            item = item.parent
        if (item)
            item.forceActiveFocus()
    }
}
