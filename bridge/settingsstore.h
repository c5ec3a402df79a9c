#pragma once
// The settings store: the twelve INI settings objects the bridge keeps open for its whole life
// (the global file, the factory profile and the ten user profiles), the reads and writes the
// scene makes through them, and the replacement of whole files (profile import, reset and copy,
// reset of the global file).
//
// Files, relative to the setting directory given at construction:
//   apConfig.bin   global file: device table, model flags, language, current profile number
//   apConfigD.bin  its factory copy, read only by resetGlobal()
//   pD.bin         factory profile: the source of recovery reads and of profile resets
//   p1.bin..p10.bin  profiles 0..9
//
// Writes are deferred by QSettings: they change the object's cache at once and reach the file
// when control returns to the event loop (or on sync). Once a file has been re-read, every value
// comes back as text or a list of text, so all readers convert.
//
// A file that QSettings reads with a format error is kept beside it as <file>.bad when it is
// opened (keepCopyIfMalformed). A path that is not a regular file of bounded size is never
// opened: its object reads as empty (settingsfile.h).
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

class QSettings;

// A settings value as a list: a list stays a list; anything else (an absent key, a plain string)
// gives an empty list. QVariant's own conversion would split a string into characters.
QVariantList settingsList(const QVariant &value);
// A settings value as text: scalars in their text form; lists and absent values give "".
QString settingsText(const QVariant &value);
// Call right after opening a settings object. Parses the whole file and, when QSettings could not
// parse all of it, keeps a copy of the file beside it (<file>.bad) and says so on the debug
// channel, before anything can write to it: QSettings rewrites such a file on its next sync
// without the unparsed lines.
void keepCopyIfMalformed(const QSettings &settings);

class SettingsStore : public QObject
{
    Q_OBJECT
public:
    static constexpr int ProfileCount = 10;
    // An imported profile larger than this cannot be one (a profile file is a few kilobytes).
    static constexpr qint64 MaxImportBytes = 1024 * 1024;

    enum class ImportResult {
        Imported,
        Refused,     // profile number outside 0..9
        Unreadable,  // the chosen file is missing or cannot be read
        TooLarge,    // larger than MaxImportBytes
        NotAProfile, // QSettings cannot parse it (format error)
        WriteFailed, // the profile file could not be replaced
    };

    // Opens, in this order, the global file, the factory profile and profiles 0 to 9 of
    // settingDir. Missing files are no error: their objects read as empty and the first write
    // creates them. The settings objects are children of the store.
    explicit SettingsStore(const QString &settingDir, QObject *parent = nullptr);
    ~SettingsStore() override;

    static bool isProfileNumber(int profile) { return profile >= 0 && profile < ProfileCount; }

    QString globalPath() const;
    QString factoryGlobalPath() const;
    QString factoryProfilePath() const;
    QString profilePath(int profile) const; // empty outside 0..9

    QSettings *global() const { return global_; }
    QSettings *factoryProfile() const { return factory_; }
    QSettings *profile(int profile) const; // nullptr outside 0..9
    QSettings *currentProfile() const { return profiles_.at(current_); }
    int currentProfileIndex() const { return current_; }
    // Selects the profile that per-profile reads and writes use; refuses numbers outside 0..9.
    bool setCurrentProfile(int profile);

    // Global file. An absent key reads as an invalid value.
    QVariant globalValue(const QString &key) const;
    // The same key in the factory copy of the global file (read afresh each time).
    QVariant factoryGlobalValue(const QString &key) const;
    void setGlobalValue(const QString &key, const QVariant &value);
    // Current profile; with isRecovery the reads go to the factory profile. Writes always go to
    // the current profile, never to the factory profile.
    QVariant value(const QString &key, bool isRecovery) const;
    QVariantList list(const QString &key, bool isRecovery) const;
    void setValue(const QString &key, const QVariant &value);
    void setList(const QString &key, const QVariantList &list);

    // Whole-file replacement. Each reads its source completely first and replaces the target
    // file only when the new content is complete; on any failure the target file and its object
    // stay as they were and the result is false.
    bool resetGlobal();                                // apConfig.bin from apConfigD.bin
    bool resetProfile(int profile);                    // from pD.bin
    bool copyProfile(int destprofile, int srcprofile); // onto itself: nothing changes, true
    ImportResult importProfile(int profile, const QString &sourcePath);
    // Writes the profile, with its unsynced changes, to targetPath.
    bool exportProfile(int profile, const QString &targetPath);

    // Writes the pending changes of every settings object now, each checked.
    void commitAll();

signals:
    // A file could not be written (errno in error, ENOSPC for a full disk); it holds what it
    // held before. Emitted for the deferred writes of the settings objects as for whole-file
    // replacement and export.
    void writeFailed(int error);

protected:
    // The settings objects' own deferred write (QEvent::UpdateRequest) is taken over, so every
    // write goes through the checked write-back.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool commit(QSettings *settings);
    QSettings *open(const QString &path);
    // Gives path (object's file) the new content and object a fresh settings object; the old one
    // is synced first (so no deferred write of it can reach the new file) and released with
    // deleteLater. A path that was not a usable file becomes one here.
    bool replace(QSettings *&object, const QString &path, const QByteArray &content);

    QString dir_;
    QSettings *global_ = nullptr;
    QSettings *factory_ = nullptr;
    QList<QSettings *> profiles_;
    int current_ = 0;
};
