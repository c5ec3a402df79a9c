#pragma once
// The automatic profile choice: when the window in front changes, the profile whose rules name
// its application is chosen, and when no rule names it, the profile the user chose last by hand
// comes back. A window must stay in front for kDwellMs before anything is decided, so a quick
// alternation of windows costs the mouse nothing; at most one decision waits at a time (the
// newest window wins); nothing is chosen while the program must not switch (a sequence runs, a
// page holds unsaved changes): the decision is taken again once it may. A choice of the profile
// that is current sends nothing. The program's own window in front changes nothing.
#include "platform/activewindow.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

// Whether a rule's application name names the window: equal, ignoring case, to its class,
// instance, app id or executable file name.
bool ruleMatches(const QString &name, const platform::ActiveWindow &window);
// The first profile, in number order, that has a rule naming window (its rule in *rule); -1
// when none has. rules holds each profile's application names, index = profile number.
int matchingProfile(const QList<QStringList> &rules, const platform::ActiveWindow &window,
                    QString *rule = nullptr);

class AutoSwitch : public QObject
{
    Q_OBJECT
public:
    // What the choice needs from the program, asked for when a decision falls due.
    struct Environment {
        std::function<QList<QStringList>()> rules; // index = profile number
        std::function<int()> currentProfile;
        std::function<bool()> mustWait;         // a sequence runs, a page has unsaved changes
        std::function<void(int profile)> choose; // as the top bar chooses it
    };
    static constexpr int kDwellMs = 1000;
    // While the program must wait, the decision is looked at again this often.
    static constexpr int kWaitRetryMs = 250;

    // dwellMs: how long a window must stay in front (kDwellMs; shorter in tests).
    explicit AutoSwitch(Environment environment, QObject *parent = nullptr,
                        int dwellMs = kDwellMs);

    // Off: nothing is decided, and a waiting decision is dropped.
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }

    void windowActivated(const platform::ActiveWindow &window);
    // The current profile was set (every switch reports it). One this choice did not ask for
    // was made by hand: the profile to come back to.
    void profileSet(int profile);

    int handProfile() const { return hand_; }
    bool decisionWaiting() const { return dwell_.isActive(); }
    // The last window in front that was not the program's own (empty before the first).
    const platform::ActiveWindow &lastWindow() const { return window_; }
    bool ownWindowInFront() const { return ownInFront_; }

private:
    void decide();

    Environment env_;
    QTimer dwell_;
    int dwellMs_;
    platform::ActiveWindow window_;
    bool enabled_ = true;
    bool ownInFront_ = false;
    int hand_ = -1;
    int asked_ = -1; // the profile this choice last asked for, until it is set
};
