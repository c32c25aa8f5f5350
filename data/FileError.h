#pragma once

#include <QString>

// The messages for a file that cannot be read or written, which name the
// file (readably, whatever its bytes) and say why, in the same words
// wherever the program meets one.
namespace FileError {

// Sets `*error` (when given) to 'Cannot read "path": reason'; returns false.
bool ReadFailed(const QString &path, const QString &reason, QString *error);

// Sets `*error` (when given) to 'Cannot write "path": reason'; returns false.
bool WriteFailed(const QString &path, const QString &reason, QString *error);

} // namespace FileError
