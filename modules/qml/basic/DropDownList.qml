// A drop-down list: a header with the chosen row and a list of 24-pixel rows that slides open.
// Choosing a row closes the list and, once the closing slide has ended, emits valueChange.
pragma ComponentBehavior: Bound
import QtQuick

Item {
    id: dropDownList
    property ListModel mdItems: ListModel {}
    readonly property int count: mdItems ? mdItems.count : 0
    property int currentSelect: 0
    property string textValue: rowText(currentSelect, count, revision)
    property bool isDrop: false
    property bool dropUp: false  // open above the header (for controls near the bottom edge)
    property int columns: 1
    property color bgColor: Theme.colorGray1
    property int rowHeight: 24
    property int revision: 0     // bumped when a row's text changes
    property int pendingIndex: -1
    property int hoveredIndex: -1 // the row under the pointer, -1 when none is
    // Where the pointer stood when the list opened. Rows built or slid under a pointer that has
    // not moved get hover events too; a row lights only once the pointer has moved from here.
    property point openPoint: Qt.point(-1, -1)
    readonly property int rows: Math.ceil(count / columns)
    signal valueChange(int index)

    function rowText(index, n, rev) {
        if (!mdItems || index < 0 || index >= n)
            return ""
        var row = mdItems.get(index)
        return row && row.textValue !== undefined ? String(row.textValue) : ""
    }
    // Lights row `index` for the pointer at `area`'s mouse position, unless the pointer still
    // stands where it stood when the list opened.
    function hoverRow(area, index) {
        var p = area.mapToItem(null, area.mouseX, area.mouseY)
        if (Math.abs(p.x - openPoint.x) >= 0.5 || Math.abs(p.y - openPoint.y) >= 0.5)
            hoveredIndex = index
    }
    function closeMenu() {
        isDrop = false
    }
    function chooseRow(index) {
        currentSelect = index
        pendingIndex = index
        if (slide.duration <= 0 || panel.height === 0)
            emitPending()
        isDrop = false
    }
    function emitPending() {
        if (pendingIndex < 0)
            return
        var index = pendingIndex
        pendingIndex = -1
        valueChange(index)
    }

    width: 120
    height: rowHeight
    z: isDrop ? 100 : 0
    onIsDropChanged: {
        if (!isDrop)
            return
        hoveredIndex = -1
        openPoint = headerHover.hovered ? headerHover.point.scenePosition : Qt.point(-1, -1)
        rowGrid.built = true
    }
    HoverHandler {
        id: headerHover
    }

    Connections {
        target: dropDownList.mdItems
        ignoreUnknownSignals: true
        function onDataChanged() { dropDownList.revision++ }
    }

    DropHeader {
        width: parent.width
        height: dropDownList.rowHeight
        color: dropDownList.bgColor
        textValue: dropDownList.textValue
        isDrop: dropDownList.isDrop
        onClicked: dropDownList.isDrop = !dropDownList.isDrop
    }

    Rectangle {
        id: panel
        width: parent.width
        y: dropDownList.dropUp ? -height - 1 : dropDownList.rowHeight + 1
        height: dropDownList.isDrop ? dropDownList.rows * dropDownList.rowHeight : 0
        visible: height > 0
        clip: true
        color: Theme.colorGray0
        border.color: Theme.colorGray1

        Behavior on height {
            NumberAnimation {
                id: slide
                duration: Math.max(0, 180 - 10 * dropDownList.count)
                onRunningChanged: {
                    if (!running && !dropDownList.isDrop)
                        dropDownList.emitPending()
                }
            }
        }

        // The rows are built when the list first opens and kept from then on: most lists of
        // the main screen and its pages are never opened in a session.
        Grid {
            id: rowGrid
            property bool built: false
            columns: dropDownList.columns
            Repeater {
                model: rowGrid.built ? dropDownList.mdItems : null
                delegate: Rectangle {
                    id: row
                    required property int index
                    required property var model
                    width: panel.width / dropDownList.columns
                    height: dropDownList.rowHeight
                    // One row is lit: the one under the pointer, else the chosen one.
                    color: index === (dropDownList.hoveredIndex >= 0 ? dropDownList.hoveredIndex
                                                                     : dropDownList.currentSelect)
                           ? Theme.colorOrange : "transparent"
                    Text {
                        anchors.fill: parent
                        anchors.leftMargin: dropDownList.columns === 1 ? 8 : 0
                        text: row.model.textValue !== undefined ? row.model.textValue : ""
                        font.family: Theme.fontFamily
                        font.pixelSize: Theme.fontNormalSize
                        color: Theme.fontColor
                        horizontalAlignment: dropDownList.columns === 1 ? Text.AlignLeft
                                                                        : Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        elide: Text.ElideRight
                    }
                    MouseArea {
                        id: rowArea
                        anchors.fill: parent
                        hoverEnabled: true
                        onPositionChanged: dropDownList.hoverRow(rowArea, row.index)
                        onContainsMouseChanged: {
                            if (containsMouse)
                                dropDownList.hoverRow(rowArea, row.index)
                            else if (dropDownList.hoveredIndex === row.index)
                                dropDownList.hoveredIndex = -1
                        }
                        onClicked: dropDownList.chooseRow(row.index)
                    }
                }
            }
        }
    }
}
