#pragma once

#include "data/FileStamp.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The result files that paths name, as every job over many files takes
// them: a file as it is given, whatever its kind; for a folder, every
// regular file (or link to one) in it and its subfolders whose name ends
// in ".fib" in any case, each folder's entries in name order. A file
// reached more than once is listed at its first place.
class ResultFileFinder
{
    Q_DECLARE_TR_FUNCTIONS(ResultFileFinder)
public:
    // Paths are given as the program holds them (see NativePath).
    struct PathError
    {
        QString path;
        QString message;
        bool found = false; // in a folder given, rather than given itself
    };

    struct ResultFile
    {
        QString path;
        bool found = false; // in a folder given, rather than given itself
        // What the walk saw of it (its size -1 for no regular file), so that
        // a caller that keys files by it need not ask again.
        FileStamp stamp;
    };

    struct ResultFiles
    {
        QList<ResultFile> files;
        qsizetype given = 0; // the paths given, each once
        qsizetype found = 0; // the paths found in folders: files and folders that failed
    };

    // The result files of `paths`. A path that cannot be read, a folder
    // without result files, or a ".fib" in a folder that is no regular file
    // (a FIFO, a device, a link to a folder) goes to `errors`. Linked folders
    // are not entered, so that a link back up never makes the walk endless,
    // and a folder linked beside it is walked all the same. Gives up once
    // `stop` is true.
    static ResultFiles Find(const QStringList &paths, QList<PathError> *errors,
                            const std::function<bool()> &stop);
};
