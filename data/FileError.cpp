#include "data/FileError.h"

#include "data/NativePath.h"

#include <QCoreApplication>

namespace FileError {

bool ReadFailed(const QString &path, const QString &reason, QString *error)
{
    if (error)
        *error = QCoreApplication::translate("FileError", "Cannot read \"%1\": %2").arg(NativePath::Display(path), reason);
    return false;
}

bool WriteFailed(const QString &path, const QString &reason, QString *error)
{
    if (error)
        *error = QCoreApplication::translate("FileError", "Cannot write \"%1\": %2").arg(NativePath::Display(path), reason);
    return false;
}

} // namespace FileError
