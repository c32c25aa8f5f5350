#pragma once

#include "data/FileStamp.h"
#include "data/FileSummary.h"

#include <QString>

#include <memory>

// One file of a lot: its summary where it could be read, the reason where
// it could not; marked gone once it is deleted, and kept all the same.
struct LotFile
{
    LotFile() = default;
    explicit LotFile(const QString &filePath, bool inFolder = false) : path(filePath), found(inFolder) {}

    QString path;
    bool found = false; // in a folder given, rather than given itself
    // The version read: a stamp whose size is -1 where the file is no
    // regular file (or was gone), which nothing vouches for.
    FileStamp stamp;
    std::shared_ptr<const FileSummary> summary; // none where it could not be read
    QString error;
    bool gone = false;
    bool growing = false; // its stamp still changed at the last look

    bool IsRead() const { return summary != nullptr; }
    qint64 FirstTime() const { return summary ? summary->FirstTime() : RowTime::None; }

    // The lot's order, which is time's: the files read by their first
    // row's date and time, then those without one, then those that could
    // not be read; each group in the order of the paths' bytes, so that
    // files of equal times always come in the same order.
    static bool Before(const LotFile &a, const LotFile &b);
};
