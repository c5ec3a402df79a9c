#pragma once
// The automatic profile choice in the program ("ui_AutoSwitch" to the scene): the rules kept in
// the profile files ([autoSwitch] applications = a, b, c), the source of the window in front,
// started only while the choice is on and some profile has a rule (or the profile page takes the
// application in front), and the switch itself, made as the top bar makes it, through the
// sequence queue.
#include <QObject>
#include <QStringList>

class AutoSwitch;
class myQQuickView;
class QSettings;
namespace platform
{
class ActiveWindowSource;
}

// The application names a profile file lists: [autoSwitch] applications.
QStringList readAutoSwitchRules(const QSettings &profile);
// Stores names as that list (without the key when names is empty: a file without rules).
void writeAutoSwitchRules(QSettings &profile, const QStringList &names);

class AutoSwitchHost : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *kEnabledKey = "autoSwitch/enabled";

    explicit AutoSwitchHost(myQQuickView *view);
    ~AutoSwitchHost() override;

    AutoSwitch *choice() const { return choice_; }
    // The tray's switch, kept in the global file; on until switched off.
    bool enabled() const;
    void setEnabled(bool enabled);
    // Some profile has a rule.
    bool anyRule() const;
    // Starts or stops the source of the window in front as enabled() and anyRule() ask.
    void refresh();

    // The scene's side: the rules of profile (0..9), add and remove.
    Q_INVOKABLE QStringList applications(int profile) const;
    Q_INVOKABLE bool addApplication(int profile, const QString &name);
    Q_INVOKABLE void removeApplication(int profile, const QString &name);
    // Starts watching the window in front for "Add the application in front" (its countdown).
    Q_INVOKABLE void watchApplications();
    // The application of the window in front ("" while the program's own window is in front
    // or none is known); ends what watchApplications started.
    Q_INVOKABLE QString takeApplicationInFront();
    // False where only X11 applications can be followed (the page says so).
    Q_INVOKABLE bool coversAllWindows() const;

private:
    void startWatching();
    bool mustWait() const;
    QList<QStringList> allRules() const;

    myQQuickView *view_;
    AutoSwitch *choice_ = nullptr;
    platform::ActiveWindowSource *source_ = nullptr;
    bool capturing_ = false;
};
