#pragma once

#include <QByteArray>
#include <QString>

namespace platform::fs {

// Replaces `path` with `data` so that the file is either the old one or the new one, never
// a mix: temporary file beside the target, written, flushed to disk, renamed over it.
// On failure the old file is untouched and `error` (if given) says why.
bool replaceFile(const QString& path, const QByteArray& data, QString* error = nullptr);

// Creates a folder with every missing parent. True when it exists afterwards.
bool makePath(const QString& dir);

bool fileExists(const QString& path);
bool dirExists(const QString& path);

// Reads a whole file into `out`; false (and `error`) when it cannot be read.
bool readFile(const QString& path, QByteArray& out, QString* error = nullptr);

// Appends bytes at the end of an existing or new file.
bool appendFile(const QString& path, const QByteArray& data, QString* error = nullptr);

// Gives a file the hidden attribute where the file system has one (FAT family);
// elsewhere there is nothing to set and the call succeeds.
bool setHidden(const QString& path);

// Whether the file carries the hidden attribute (always false where there is none).
bool isHidden(const QString& path);

}  // namespace platform::fs
