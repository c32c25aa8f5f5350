#include "lot/CacheFolder.h"

#include "data/NativePath.h"

#include <QDir>

#include <cerrno>
#include <cstdio>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

QString CacheFolder::DefaultFolder()
{
    QString base = NativePath::Decode(qgetenv("XDG_CACHE_HOME"));
    if (!base.startsWith(QLatin1Char('/'))) {
        QByteArray home = qgetenv("HOME");
        if (!home.startsWith('/')) {
            // No HOME: the user database's, never the root of the disk.
            const passwd *user = ::getpwuid(::getuid());
            home = user && user->pw_dir ? QByteArray(user->pw_dir) : QByteArray();
            if (!home.startsWith('/'))
                return QString();
        }
        base = NativePath::Decode(home) + QLatin1String("/.cache");
    }
    return base + QLatin1String("/quenvale");
}

qint64 CacheFolder::DefaultMaxBytes()
{
    bool ok = false;
    const qint64 megabytes = qEnvironmentVariable("QUENVALE_CACHE_MAX_MB").toLongLong(&ok);
    return (ok && megabytes > 0 ? megabytes : 256) << 20;
}

bool CacheFolder::Clear(const QString &folder, QStringList *removed, QString *error)
{
    if (folder.isEmpty())
        return true;
    const QDir dir(folder);
    const QStringList names = dir.entryList({FileName(), FileName() + QLatin1String("-*"),
                                             FileName() + QLatin1String(".aside-*")},
                                            QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        const QByteArray bytes = NativePath::Encode(path);
        struct stat info = {};
        const bool folderInPlace = ::lstat(bytes.constData(), &info) == 0 && S_ISDIR(info.st_mode);
        const bool gone = folderInPlace ? QDir(path).removeRecursively() : ::unlink(bytes.constData()) == 0;
        if (!gone && errno != ENOENT) {
            *error = tr("the summary cache \"%1\" cannot be removed: %2")
                         .arg(NativePath::Display(path), qt_error_string(errno));
            return false;
        }
        removed->append(path);
    }
    return true;
}

qint64 CacheFolder::FreeBytes(const QString &folder)
{
    struct statvfs disk = {};
    if (::statvfs(NativePath::Encode(folder).constData(), &disk) != 0)
        return -1;
    return qint64(disk.f_bavail) * qint64(disk.f_frsize);
}

bool CacheFolder::StandsNonRegular(const QString &path)
{
    struct stat info = {};
    return ::stat(NativePath::Encode(path).constData(), &info) == 0 && !S_ISREG(info.st_mode);
}

bool CacheFolder::Rename(const QString &from, const QString &to, QString *reason)
{
    if (::rename(NativePath::Encode(from).constData(), NativePath::Encode(to).constData()) == 0 || errno == ENOENT)
        return true;
    *reason = qt_error_string(errno);
    return false;
}
