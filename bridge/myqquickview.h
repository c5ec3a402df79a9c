#pragma once
// The declarative view that fills the host window and the bridge that QML reaches as "ui_View".
// The class is split over several files by concern: view set-up and the calls into the scene
// (myqquickview.cpp), the settings store (myqquickview_settings.cpp), profiles
// (myqquickview_profiles.cpp), and the slots the main scene uses (myqquickview_scene.cpp). The
// logic itself lives in small units (SettingsStore, ...) that these slots call.
#include <QJSValue>
#include <QList>
#include <QSet>
#include <QQuickWidget>
#include <QStringList>
#include <QVariant>
#include <memory>

class Hid_Thread;
class MouseProtocol;
class QSettings;
class SettingsStore;
class SequenceRunner;

class myQQuickView : public QQuickWidget
{
    Q_OBJECT
public:
    explicit myQQuickView(QWidget *parent = nullptr);
    ~myQQuickView() override;

    Hid_Thread *hid = nullptr; // set by the host widget right after set-up; not owned

    // Device-model flags cached from the global file at construction; not refreshed later.
    bool isColorful = false;
    bool isGun = false;
    QString icType;
    // The mouse's protocol, chosen from the flags above at the first connect (chooseProtocol)
    // and kept from then on; nullptr before. Every slot that talks to the mouse goes through it.
    MouseProtocol *protocol() const { return protocol_.get(); }
    void chooseProtocol();

    SettingsStore *store = nullptr; // the twelve settings objects; owned
    // The one queue of the sequences that talk to the mouse; owned.
    SequenceRunner *runner() const { return runner_; }
    // Entry points for the input hooks (not slots): queued calls of the scene's
    // detectKeyboard / detectMouse.
    void notifyKeyboard(bool isDown, uchar usbCode);
    void notifyMouse(bool isDown, uint code, uint x, uint y);
    // The scene's start after a connect, inside the start sequence: the start-up picture is
    // shown and drawn first, then initUI builds the rest of the scene behind it.
    void startScene();
    // Closes the scene's open pages the way their close buttons do, before the program ends.
    void closePages();

public slots:
    // A sequence of the scene (Save, reset, profile switch): body runs through the runner, at
    // once or after the running sequence; a kind replaces a pending request of the same kind.
    void runSequence(QString kind, QJSValue body);

    // View and UI start.
    void initUI();
    void runUI();
    void setBusy(int busyTime);
    void setCurrentDPI(int dpiValue);
    void resetApconfig();
    void clearHidBusy();

    // Settings store.
    QVariant getData(QVariant key, bool isRecovery);
    QVariantList getDataList(QVariant key, bool isRecovery);
    QVariant getGlobalData(QVariant key);
    // Pages pass their recovery flag here too; global reads always go to the global file.
    QVariant getGlobalData(QVariant key, QVariant isRecovery);
    void setData(QVariant key, QVariant data);
    void setDataList(QVariant key, QVariantList datalist);
    void setGlobalData(QVariant key, QVariant tmpdata);

    // Profiles.
    void setCurrentProfile(int profile);
    bool loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    QVariant getXYSensitive(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);
    QVariant getselectGun(QVariant index);
    void setSelectGun(QVariant index, QVariant xyData);
    void mouseSetProfile(uint profileNo);
    void mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();

    // Used by the main scene.
    QStringList getLangStrings(QVariant typeStr, QVariant langCode);
    // The languages that have a language file, as {code, name} in code order; the system
    // page's choice stores one as common/language and applies it to the native texts at once.
    QVariantList getLanguages();
    void setLanguage(QVariant code);
    void mouseSetReportRate(uchar rate);
    void mouseSetCurrentDPI(uchar currentDPI);
    QVariant mouseGetCurrentDPI();

    // Button assignment (key matrices, keyboard options, stored assignments).
    void mouseSetKeyMatrix(QVariantList src64, bool isSendData, QVariantList otherParam);
    void mouseSwitchKeyMatrix(int indexNo);
    void mouseResetKeyMatrix();
    void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    QVariantList GetKeyboardoption();
    QVariantList mouseGetKeydefine(int index, bool isRecovery);
    // True when keys are captured desktop-wide, false when only while this window has the focus.
    bool isGlobalInputCapture();

    // Gun presets (the gun file) and desktop pointer settings.
    void mouseSaveGundata(QVariant index, QVariantList src6);
    void modifyGundata(QVariant modifyType, QVariantList src6);
    QVariantList getGunData(QVariant name);
    QStringList getGunDataKey();
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetDoubleClickSpeed(uint speed);
    void mouseSetVerticalScrollLines(uint lines);

    // Macros: the macro library and name lists, macro and gun-data transfer, macro files.
    QVariant createMacroIni(QVariant name, QVariant macroIndex);
    QVariant saveMacroIni(QVariant name, QStringList macros, QVariant repeat);
    QStringList loadMacroIni(QVariant name);
    QVariant deleteMacroIni(QVariant name);
    QVariant modifyMacroNameUpdateProfile(QVariant oldname, QVariant newname);
    void deleteMacroUpdateProfile(QVariant macroName);
    // Why a name cannot be given to a new or renamed macro ("" when it can).
    QVariant checkMacroName(QVariant name);
    QVariant updataNameList(QVariant type, QStringList nameList);
    QVariantList getNameList(QVariant type);
    QVariant mouseSendMacroData(QVariantList macroData, QVariant macroIndex);
    void mouseSendGundata(int gunSlot, QVariantList gunData);
    bool loadMacroFile(QVariant macroFileName);
    void saveMacroFile(QVariant macroFileName);

    // DPI stages and lighting (myqquickview_dpi.cpp, myqquickview_lighting.cpp).
    void mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray);
    void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    void mouseSetRGBColor(uchar type, QVariantList src24);

    // Command line: a profile chosen at start or by a second start.
public:
    // The scene's chooseProfile: the same choice as a row of the top bar's profile list
    // (profileNo 0..9).
    void chooseProfile(int profileNo);

signals:
    // The profile that per-profile reads and writes use was set (the scene's every switch).
    void currentProfileSet(int profile);

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    friend class SequenceRunner;
    SequenceRunner *runner_ = nullptr;
    std::unique_ptr<MouseProtocol> protocol_;
    // The texts of the warning box, in the order of the language files' "warning" group.
    enum WarningText {
        OpenFileTitle,
        SaveFileTitle,
        DiskFull,
        NotWritten, // %1: the system's reason
        ProfileUnreadable,
        ProfileTooLarge,
        NotAProfile,
        MacroUnreadable,
        MacroFileMissing,
    };
    // The warning box the file operations share, in the current language (English where the
    // language file lacks the text).
    void warn(WarningText title, WarningText text, const QString &argument = QString());
    // A file that could not be written and holds what it held before (errno in error).
    void warnWriteFailed(int error);
    // Passes ok on, after the warning when a write failed (error set; refusals leave it 0).
    bool reportWrite(bool ok, int error);

    // Writes a debug line the first time it is given, so a broken file is named once, not on
    // every read.
    void noteOnce(const QString &line);
    QSet<QString> noted_;
    // Names a file once when values read from it were set aside.
    void noteLimited(const QString &file, bool changed);
    // The DPI range the pages allow: [minDPI, maxDPI] of the global file, held within the
    // factory global file's.
    QVariantList dpiLimits();
    // mouse/selectGun as three preset positions 0..5.
    QVariantList selectedGuns();

    // Opens the settings objects and caches the device-model flags (constructor step).
    void loadConfiguration();
    // Invokes a function of the scene's root object by name; does nothing without it.
    void invokeRoot(const char *function, Qt::ConnectionType type,
                    const QVariantList &args = QVariantList());
};
