#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Where the summary cache lives and what stands beside it: the folder by
// the user's environment, the database's name, the size it may take, and
// the few file operations its upkeep needs, on the paths' own bytes.
class CacheFolder
{
    Q_DECLARE_TR_FUNCTIONS(SummaryCache)
public:
    // $XDG_CACHE_HOME/quenvale, or ~/.cache/quenvale without it (the home
    // folder from the user database where HOME is unset); empty where
    // there is no home folder at all.
    static QString DefaultFolder();
    // The database's name in its folder.
    static QString FileName() { return QStringLiteral("summaries.sqlite"); }
    // The most the entries take: QUENVALE_CACHE_MAX_MB megabytes, 256 by
    // default.
    static qint64 DefaultMaxBytes();

    // Removes the database of `folder` and everything set aside beside it;
    // `removed` gets the names removed. False with a message where one
    // cannot be removed.
    static bool Clear(const QString &folder, QStringList *removed, QString *error);

    // The bytes free on the disk that holds `folder`; -1 where it cannot
    // be told.
    static qint64 FreeBytes(const QString &folder);
    // Whatever stands at `path`, where it is not a regular file (a FIFO, a
    // folder, a device): what no SQLite database can be.
    static bool StandsNonRegular(const QString &path);
    // Renames `from` to `to`; true too where `from` is not there. False with
    // the system's reason otherwise.
    static bool Rename(const QString &from, const QString &to, QString *reason);
};
