#pragma once
// Whole-file reads and writes for the files the program replaces or copies (profiles, the global
// file, exported files), and the checked write-back of settings objects. A file is read
// completely before anything is replaced, and a write replaces its target only once the new
// content is complete on disk, so a failure half-way (a full disk above all) leaves the old file
// as it was.
#include <QByteArray>
#include <QString>
#include <functional>

class QSettings;

enum class FileReadResult {
    Ok,
    Unreadable, // missing, not a regular file, or not readable
    TooLarge,   // larger than the limit the caller gave
};

// Reads the whole file into bytes; maxBytes < 0 means no limit.
FileReadResult readFileBytes(const QString &path, QByteArray *bytes, qint64 maxBytes = -1);

// Writes bytes to a temporary file beside path, flushes it to the disk and renames it over path.
// False when any step failed; path is then unchanged and *error (when given) holds the errno of
// the failed step (ENOSPC for a full disk).
bool writeFileBytes(const QString &path, const QByteArray &bytes, int *error = nullptr);

// Writes a settings object's changes to its file and checks that the file now holds every key
// with its value. QSettings itself reports success for a write that a full disk cut short, and
// by then the old file is gone; so the old file is kept under a second name (a hard link, which
// needs no space) until the new one has been read back, and is put back when it falls short.
// False on any failure, with the errno that explains it in *error: the file then holds what it
// held before (the object may still hold the unwritten values in memory).
bool syncSettingsChecked(QSettings &settings, int *error = nullptr);

// For tests on a machine where no small file system can be mounted: a function that names the
// errno a write to a path should fail with (0: none). writeFileBytes then fails before it
// writes; syncSettingsChecked replaces the written file with an empty one, as QSettings leaves it
// on a full disk, before it checks. An empty function ends it.
void setWriteFaultForTests(std::function<int(const QString &path)> fault);
