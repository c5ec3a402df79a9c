// The drop-down list with its rows laid out in a grid of three columns.
import QtQuick

DropDownList {
    columns: 3
}
