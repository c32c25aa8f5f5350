#pragma once

#include <QString>
#include <QTemporaryFile>

class QPrinter;

// A job for a printer of the print system, drawn into a spool file first
// and handed to the printer only once every page is drawn: a job that is
// cancelled or fails never reaches the printer, not even in part. (The
// print system takes a job whole; the printer's own engine cannot take
// back what it has begun.)
class PrinterSpool
{
public:
    explicit PrinterSpool(QPrinter &printer);
    // Removes the spool file and points the printer at the printer again.
    ~PrinterSpool();

    // Points the printer's output at a new spool file.
    bool Open();
    // Hands the spool file to the printer with the job's options: paper,
    // copies, sides, orientation and the print dialog's own options.
    bool Submit();

    QString ErrorString() const { return m_error; }

private:
    QPrinter &m_printer;
    QTemporaryFile m_file;
    QString m_error;
};
