#pragma once
// Whole-file reads and writes for the files the program replaces or copies (profiles, the global
// file, exported files). A file is read completely before anything is replaced, and a write
// replaces its target only once the new content is complete on disk, so a failure half-way
// leaves the old file as it was.
#include <QByteArray>
#include <QString>

enum class FileReadResult {
    Ok,
    Unreadable, // missing, not a regular file, or not readable
    TooLarge,   // larger than the limit the caller gave
};

// Reads the whole file into bytes; maxBytes < 0 means no limit.
FileReadResult readFileBytes(const QString &path, QByteArray *bytes, qint64 maxBytes = -1);
// Writes bytes to a temporary file beside path and renames it over path. False when the content
// could not be written completely; path is then unchanged.
bool writeFileBytes(const QString &path, const QByteArray &bytes);
