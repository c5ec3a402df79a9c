#include "bridge/autoswitchhost.h"

#include "bridge/autoswitch.h"
#include "bridge/myqquickview.h"
#include "bridge/sequencerunner.h"
#include "bridge/settingsstore.h"

#include <QQuickItem>
#include <QSettings>

namespace
{
const char *const kRulesKey = "autoSwitch/applications";
// The pages whose changes wait for Save.
const char *const kSavingPages[] = {"keyMatrixMain", "dpiSettingMain", "lightControlMain"};
} // namespace

QStringList readAutoSwitchRules(const QSettings &profile)
{
    const QVariant value = profile.value(QLatin1String(kRulesKey));
    // One name reads back as text, several as a list.
    QStringList names = value.typeId() == QMetaType::QStringList ? value.toStringList()
                                                                 : QStringList{settingsText(value)};
    QStringList rules;
    for (const QString &name : names)
        if (!name.trimmed().isEmpty())
            rules << name.trimmed();
    return rules;
}

void writeAutoSwitchRules(QSettings &profile, const QStringList &names)
{
    if (names.isEmpty())
        profile.remove(QLatin1String(kRulesKey));
    else
        profile.setValue(QLatin1String(kRulesKey), names);
}

AutoSwitchHost::AutoSwitchHost(myQQuickView *view) : QObject(view), view_(view)
{
    AutoSwitch::Environment environment;
    environment.rules = [this] { return allRules(); };
    environment.currentProfile = [this] { return view_->store->currentProfileIndex(); };
    environment.mustWait = [this] { return mustWait(); };
    environment.choose = [this](int profile) {
        // Queued like a profile handed over by a second start: pending switches collapse to the
        // newest, and the choice is made on the scene's state when it runs.
        view_->runner()->request(
            QStringLiteral("profile"), [this, profile] { view_->chooseProfile(profile); },
            SequenceRunner::Start::Later);
    };
    choice_ = new AutoSwitch(std::move(environment), this);
    choice_->setEnabled(enabled());
    connect(view_, &myQQuickView::currentProfileSet, choice_, &AutoSwitch::profileSet);
    refresh();
}

AutoSwitchHost::~AutoSwitchHost() = default;

bool AutoSwitchHost::enabled() const
{
    const QVariant value = view_->store->globalValue(QLatin1String(kEnabledKey));
    return !value.isValid() || QVariant(settingsText(value)).toBool();
}

void AutoSwitchHost::setEnabled(bool enabled)
{
    view_->store->setGlobalValue(QLatin1String(kEnabledKey), enabled);
    choice_->setEnabled(enabled);
    refresh();
}

QList<QStringList> AutoSwitchHost::allRules() const
{
    QList<QStringList> rules;
    for (int profile = 0; profile < SettingsStore::ProfileCount; ++profile)
        rules << readAutoSwitchRules(*view_->store->profile(profile));
    return rules;
}

bool AutoSwitchHost::anyRule() const
{
    for (const QStringList &names : allRules())
        if (!names.isEmpty())
            return true;
    return false;
}

void AutoSwitchHost::refresh()
{
    if (capturing_ || (enabled() && anyRule())) {
        startWatching();
    } else if (source_) {
        delete source_;
        source_ = nullptr;
    }
}

void AutoSwitchHost::startWatching()
{
    if (source_)
        return;
    source_ = platform::ActiveWindowSource::create(this);
    connect(source_, &platform::ActiveWindowSource::activated, choice_,
            &AutoSwitch::windowActivated);
}

bool AutoSwitchHost::mustWait() const
{
    // A disabled view: no mouse connected, or a sequence shows the busy state.
    if (!view_->isEnabled() || view_->runner()->active() || view_->runner()->pending() > 0)
        return true;
    const QQuickItem *root = view_->rootObject();
    if (!root)
        return true;
    for (const char *page : kSavingPages) {
        const QObject *item = root->findChild<QObject *>(QLatin1String(page));
        if (item && item->property("isSave").toBool())
            return true;
    }
    return false;
}

QStringList AutoSwitchHost::applications(int profile) const
{
    if (!SettingsStore::isProfileNumber(profile))
        return {};
    return readAutoSwitchRules(*view_->store->profile(profile));
}

bool AutoSwitchHost::addApplication(int profile, const QString &name)
{
    const QString trimmed = name.trimmed();
    if (!SettingsStore::isProfileNumber(profile) || trimmed.isEmpty())
        return false;
    QStringList names = applications(profile);
    if (names.contains(trimmed, Qt::CaseInsensitive))
        return false;
    names << trimmed;
    writeAutoSwitchRules(*view_->store->profile(profile), names);
    refresh();
    return true;
}

void AutoSwitchHost::removeApplication(int profile, const QString &name)
{
    if (!SettingsStore::isProfileNumber(profile))
        return;
    QStringList names = applications(profile);
    names.removeAll(name);
    writeAutoSwitchRules(*view_->store->profile(profile), names);
    refresh();
}

void AutoSwitchHost::watchApplications()
{
    capturing_ = true;
    refresh();
}

QString AutoSwitchHost::takeApplicationInFront()
{
    const QString name =
        choice_->ownWindowInFront() ? QString() : choice_->lastWindow().applicationName();
    capturing_ = false;
    refresh();
    return name;
}

bool AutoSwitchHost::coversAllWindows() const
{
    return source_ ? source_->coversAll() : platform::ActiveWindowSource::sessionCoversAll();
}
