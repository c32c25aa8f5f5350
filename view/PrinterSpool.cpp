#include "view/PrinterSpool.h"

#include <QCoreApplication>
#include <QDir>
#include <QPageLayout>
#include <QPrintEngine>
#include <QPrinter>

#include <cups/cups.h>

namespace {

// The print dialog's options for the print system ("name", "value", ...),
// as the printer's engine keeps them under this key.
const auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

const char *sides(QPrinter::DuplexMode duplex, QPageLayout::Orientation orientation)
{
    switch (duplex) {
    case QPrinter::DuplexNone: return "one-sided";
    case QPrinter::DuplexLongSide: return "two-sided-long-edge";
    case QPrinter::DuplexShortSide: return "two-sided-short-edge";
    case QPrinter::DuplexAuto:
        return orientation == QPageLayout::Portrait ? "two-sided-long-edge"
                                                     : "two-sided-short-edge";
    }
    return "one-sided";
}

} // namespace

PrinterSpool::PrinterSpool(QPrinter &printer)
    : m_printer(printer), m_file(QDir::tempPath() + QLatin1String("/quenvale-XXXXXX.prn"))
{
}

PrinterSpool::~PrinterSpool()
{
    // An empty name sends the output to the printer again.
    if (m_file.isOpen())
        m_printer.setOutputFileName(QString());
}

bool PrinterSpool::Open()
{
    if (!m_file.open()) {
        m_error = m_file.errorString();
        return false;
    }
    // Any name but one ending in ".pdf" keeps the printer's own engine,
    // which then writes the job into the file instead of sending it.
    m_printer.setOutputFileName(m_file.fileName());
    return true;
}

bool PrinterSpool::Submit()
{
    const QPageLayout layout = m_printer.pageLayout();
    int count = 0;
    cups_option_t *options = nullptr; // the option list keeps copies of the texts
    auto add = [&](const QByteArray &name, const QByteArray &value) {
        count = cupsAddOption(name.constData(), value.constData(), count, &options);
    };
    add("media", layout.pageSize().key().toUtf8());
    if (m_printer.copyCount() > 1) {
        add("copies", QByteArray::number(m_printer.copyCount()));
        if (m_printer.collateCopies())
            add("Collate", "True");
    }
    add("sides", sides(m_printer.duplex(), layout.orientation()));
    if (layout.orientation() == QPageLayout::Landscape)
        add("landscape", "");
    const QStringList dialogOptions = m_printer.printEngine()->property(kCupsOptions).toStringList();
    for (qsizetype i = 0; i + 1 < dialogOptions.size(); i += 2)
        add(dialogOptions.at(i).toUtf8(), dialogOptions.at(i + 1).toUtf8());

    // The print system knows the printer by its name without an instance.
    const QByteArray printer = m_printer.printerName().section(QLatin1Char('/'), 0, 0).toUtf8();
    const int job = cupsPrintFile(printer.constData(),
                                  QFile::encodeName(m_file.fileName()).constData(),
                                  m_printer.docName().toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job == 0) {
        m_error = QString::fromUtf8(cupsLastErrorString());
        return false;
    }
    return true;
}
