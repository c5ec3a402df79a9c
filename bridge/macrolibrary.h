#pragma once
// The macro library: one INI file per macro, named after the macro, in a macro folder, and the
// shared name-list file that remembers the order of the macro, gun-preset and profile lists.
// Also the repair of the profiles' macro bindings when a macro is renamed or deleted.
//
// Macro file <macroDir>/<name>.bin:
//   [config] index, total, repeat, did
//   [macro]  0 .. total-1: actions "<type digit>,<information>"
// Name-list file: one string list per list type (see nameListKey). A list of exactly one name
// is stored with the placeholder "loadermarlow" appended, so it reads back as a list; an empty
// list is not stored at all.
//
// A macro name becomes a file name, so names that could leave the macro folder or that a file
// system refuses are never used for a file (isUsableName); every operation refuses them.
// Each operation opens the files it needs for the duration of the call and writes them before
// it returns.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSettings;

class MacroLibrary
{
public:
    // The placeholder appended to a one-element name list.
    static constexpr const char *Placeholder = "loadermarlow";
    // Upper bound on the actions read from one file: a hand-edited "total" beyond it is cut.
    static constexpr int MaxActions = 4096;

    MacroLibrary(const QString &macroDir, const QString &nameListPath);

    // Why a name cannot be a macro file name; empty when it can.
    static QString nameProblem(const QString &name);
    static bool isUsableName(const QString &name) { return nameProblem(name).isEmpty(); }
    QString macroPath(const QString &name) const;
    bool exists(const QString &name) const;

    // Writes are checked (syncSettingsChecked): a file that cannot be written keeps what it
    // held, the call answers false and *error (when given) holds the errno.
    //
    // Writes config/index, total = 0, repeat = 1, did = -1; other keys stay. False only for a
    // name that is refused or a file that cannot be written.
    bool create(const QString &name, uint macroIndex, int *error = nullptr) const;
    // Replaces the actions and the repeat count of an existing file; false when it is missing.
    bool save(const QString &name, const QStringList &actions, const QVariant &repeat,
              int *error = nullptr) const;
    // The actions followed by the repeat count (total + 1 elements); empty when missing.
    QStringList load(const QString &name) const;
    bool remove(const QString &name) const;
    // Renames the file, then points every macro binding of the given profiles that names
    // oldName at newName. Nothing changes when the rename cannot be made (no such macro, the
    // new name is refused or taken).
    bool rename(const QString &oldName, const QString &newName,
                const QList<QSettings *> &profiles) const;
    // In each profile, resets every button that plays the named macro to its assignment in the
    // factory profile.
    static void unbind(const QString &name, const QList<QSettings *> &profiles,
                       const QSettings &factory);

    // Name lists by type (NameList::Type of bridge/vocabulary.h). Unknown types
    // write nothing and read as empty.
    static QString nameListKey(uint type);
    // The file is written only when the list changes; a file QSettings cannot parse is kept as
    // <file>.bad first. False when the write failed.
    bool setNameList(uint type, QStringList names, int *error = nullptr) const;
    QVariantList nameList(uint type) const;

private:
    QString macroDir_;
    QString nameListPath_;
};
