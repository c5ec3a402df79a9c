#pragma once
// The gun preset file (modules/gun/gunData.bin, INI, one group "gunData"). The gun editor keeps
// its six presets under the keys 0..5 as six-element lists (name, trigger key, period, X adjust,
// Y adjust, times); renaming keeps a five-element list under the preset's name.
//
// The file belongs to the installation: no operation creates it, and while it is missing they
// all do nothing (reads give empty lists). Each operation opens the file for its own duration,
// so its changes are on disk when it returns.
#include <QString>
#include <QStringList>
#include <QVariantList>

class GunDataFile
{
public:
    static constexpr int EntryLength = 6;

    explicit GunDataFile(QString path) : path_(std::move(path)) {}

    const QString &path() const { return path_; }
    bool exists() const;
    // Writes are checked (syncSettingsChecked): on failure the file keeps what it held, the call
    // answers false and *error (when given) holds the errno.
    //
    // Writes the first six elements of entry under gunData/<index>; a shorter list is refused.
    bool save(const QString &index, const QVariantList &entry, int *error = nullptr) const;
    // Type 0 removes gunData/<entry[0]>. Type 1 removes gunData/<entry[6]> (the old name) and
    // writes entry[1..5] under gunData/<entry[0]>; it needs seven elements. Other types, or a
    // list too short for the type, change nothing.
    bool modify(int modifyType, const QVariantList &entry, int *error = nullptr) const;
    // The entry as a list of strings; empty for an absent key, a value that is not a list, or a
    // missing file.
    QVariantList entry(const QString &name) const;
    // The keys of group gunData, without the group prefix.
    QStringList keys() const;

private:
    QString path_;
};
