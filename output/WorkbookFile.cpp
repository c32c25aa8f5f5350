#include "output/WorkbookFile.h"

#include "data/NativePath.h"
#include "output/TemporaryFiles.h"
#include "output/WorkbookSheet.h"
#include "output/ZipListing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>

WorkbookFile::WorkbookFile(const QByteArray &path)
{
    // libxlsxwriter keeps each sheet in a temporary file of its own
    // until the workbook is closed; they go where the user's others go.
    m_folder = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m_folder.data();
    options.use_zip64 = LXW_TRUE; // a sheet's XML may pass 4 GB
    m_book = workbook_new_opt(path.constData(), &options);
}

WorkbookFile::~WorkbookFile()
{
    if (m_book)
        lxw_workbook_free(m_book);
}

lxw_error WorkbookFile::Close()
{
    lxw_workbook *book = m_book;
    m_book = nullptr;
    errno = 0;
    return workbook_close(book);
}

QString WorkbookFile::FailureText(lxw_error error)
{
    // Its temporary files are made in the temporary folder, not beside
    // the workbook.
    if (errno != 0 && error == LXW_ERROR_CREATING_TMPFILE)
        return TemporaryFiles::InTemporaryFolder(errno);
    if (errno != 0 && (error == LXW_ERROR_CREATING_XLSX_FILE || error == LXW_ERROR_CREATING_TMPFILE
                       || error == LXW_ERROR_ZIP_FILE_OPERATION || error == LXW_ERROR_ZIP_CLOSE
                       || error == LXW_ERROR_ZIP_FILE_ADD))
        return qt_error_string(errno);
    return QString::fromUtf8(lxw_strerror(error));
}

bool WorkbookFile::SheetData(const QList<const WorkbookSheet *> &sheets, QHash<QByteArray, qint64> *bytes,
                             QString *reason)
{
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        int error = 0;
        const qint64 size = sheets.at(i)->DataBytes(&error);
        if (size < 0) {
            *reason = TemporaryFiles::InTemporaryFolder(error);
            return false;
        }
        bytes->insert("xl/worksheets/sheet" + QByteArray::number(i + 1) + ".xml", size);
    }
    return true;
}

// libxlsxwriter copies each sheet once more into a temporary file of its
// own when the workbook is closed, and a write that fails there (a full
// disk) cuts the sheet short without a word: each sheet in the zip must
// be longer than its data alone.
bool WorkbookFile::SheetsWhole(const QString &workbook, const QHash<QByteArray, qint64> &data)
{
    ZipListing listing;
    if (!listing.Read(workbook))
        return false;
    for (auto sheet = data.constBegin(); sheet != data.constEnd(); ++sheet) {
        const auto found = listing.Sizes().constFind(sheet.key());
        if (found == listing.Sizes().constEnd() || found.value() <= quint64(sheet.value()))
            return false;
    }
    return true;
}

bool WorkbookFile::Complete(const QList<WorkbookSheet *> &sheets, const QString &path, QString *reason)
{
    lxw_error failed = LXW_NO_ERROR;
    for (WorkbookSheet *sheet : sheets) {
        if (const lxw_error e = sheet->Finish(); !failed)
            failed = e;
    }
    if (failed) {
        *reason = QString::fromUtf8(lxw_strerror(failed));
        return false;
    }
    QHash<QByteArray, qint64> data;
    if (!SheetData({sheets.cbegin(), sheets.cend()}, &data, reason))
        return false;
    if (const lxw_error closed = Close()) {
        *reason = FailureText(closed);
        return false;
    }
    if (!SheetsWhole(path, data)) {
        *reason = QCoreApplication::translate("WorkbookFile",
                                              "a sheet was cut short in its temporary file in %1 (is that disk full?)")
                      .arg(NativePath::Display(QDir::tempPath()));
        return false;
    }
    return true;
}
