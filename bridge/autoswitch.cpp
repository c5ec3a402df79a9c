#include "bridge/autoswitch.h"

#include "base/logging.h"

bool ruleMatches(const QString &name, const platform::ActiveWindow &window)
{
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return false;
    for (const QString *candidate :
         {&window.className, &window.instanceName, &window.appId, &window.exeName})
        if (candidate->compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int matchingProfile(const QList<QStringList> &rules, const platform::ActiveWindow &window,
                    QString *rule)
{
    for (int profile = 0; profile < rules.size(); ++profile) {
        for (const QString &name : rules[profile]) {
            if (ruleMatches(name, window)) {
                if (rule)
                    *rule = name;
                return profile;
            }
        }
    }
    return -1;
}

AutoSwitch::AutoSwitch(Environment environment, QObject *parent, int dwellMs)
    : QObject(parent), env_(std::move(environment)), dwellMs_(dwellMs)
{
    dwell_.setSingleShot(true);
    connect(&dwell_, &QTimer::timeout, this, &AutoSwitch::decide);
}

void AutoSwitch::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled)
        dwell_.stop();
}

void AutoSwitch::windowActivated(const platform::ActiveWindow &window)
{
    ownInFront_ = window.own;
    if (window.own)
        return;
    window_ = window;
    if (enabled_)
        dwell_.start(dwellMs_); // a decision that was waiting gives way to this window
}

void AutoSwitch::profileSet(int profile)
{
    if (profile == asked_)
        asked_ = -1;
    else
        hand_ = profile;
}

void AutoSwitch::decide()
{
    if (!enabled_)
        return;
    if (env_.mustWait()) {
        dwell_.start(kWaitRetryMs);
        return;
    }
    QString rule;
    int target = matchingProfile(env_.rules(), window_, &rule);
    if (target < 0)
        target = hand_;
    if (target < 0 || target == env_.currentProfile())
        return;
    ORBIS_LOG(lcApp, QStringLiteral("Automatic switch: window %1 (pid %2) %3: profile %4")
                         .arg(window_.applicationName().isEmpty() ? QStringLiteral("-")
                                                                  : window_.applicationName())
                         .arg(window_.pid)
                         .arg(rule.isEmpty() ? QStringLiteral("matches no rule, back")
                                             : QStringLiteral("matches rule \"%1\"").arg(rule))
                         .arg(target + 1));
    asked_ = target;
    env_.choose(target);
}
