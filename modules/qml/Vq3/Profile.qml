// Profile page. UNFINISHED: carries the entry points and the list model the main window uses;
// the page itself is built later.
import QtQuick

PageStub {
    id: profile
    width: 415
    height: 288
    titleText: mainIten.langText(profileLang, 0)

    property var profileLang: ["config", "New", "Import", "Delete", "Export", "Standard"]
    property int profileNo: 0
    property alias profileDataModel0: profileModel

    signal changeProfile(int tmpProfileNo)

    // Until the stored list is read, the first profile stands alone under its standard name.
    function init() {
        if (profileModel.count === 0)
            profileModel.append({ "textValue": "", "profileNo": 0 })
        profileModel.setProperty(0, "textValue", mainIten.langText(profileLang, 5))
    }
    function profileMenuCmd(cmd) {}
    function profileFocus() {}

    onBackgroundPressed: profileFocus()

    ListModel {
        id: profileModel
    }
}
