#pragma once

#include "output/LibraryMessages.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <xlsxwriter.h>

class WorkbookSheet;

// A workbook being written by libxlsxwriter in its constant-memory mode,
// each sheet in a temporary file of its own until the workbook is closed;
// freed unwritten unless it is closed.
class WorkbookFile
{
public:
    explicit WorkbookFile(const QByteArray &path);
    ~WorkbookFile();
    WorkbookFile(const WorkbookFile &) = delete;
    WorkbookFile &operator=(const WorkbookFile &) = delete;

    lxw_workbook *get() const { return m_book; }
    // Zips the parts into the file; what failed, if anything.
    lxw_error Close();

    // What libxlsxwriter's failure comes from: the system's reason where it
    // left one (a full disk), else its own words.
    static QString FailureText(lxw_error error);
    // The sheets' data as written into their temporary files: the bytes
    // each holds, by the name of its part in the workbook. False, with the
    // reason, when a write into one failed.
    // Finishes each of `sheets`, zips the parts into `path` (where the
    // workbook was begun) and checks that every sheet's data reached it
    // whole; false with the reason where anything failed.
    bool Complete(const QList<WorkbookSheet *> &sheets, const QString &path, QString *reason);

    static bool SheetData(const QList<const WorkbookSheet *> &sheets, QHash<QByteArray, qint64> *bytes,
                          QString *reason);
    static bool SheetsWhole(const QString &workbook, const QHash<QByteArray, qint64> &data);

private:
    // libxlsxwriter prints its failures naming the file it was given, a
    // temporary one under /proc; the caller tells them in its own words.
    // First, so that it outlives the workbook.
    LibraryMessages m_quiet;
    QByteArray m_folder;
    lxw_workbook *m_book = nullptr;
};
