#pragma once

#include "data/JudgePipeline.h"
#include "data/TableBlocks.h"
#include "output/CsvExport.h"

#include <QByteArray>
#include <QByteArrayView>

// Turns table text, given in pieces of any size, into CSV text as it comes:
// each block of 18 rows is named after its first row, and each row's line
// is written by CsvExport::AppendLine. Only one block of rows and one
// buffer of CSV text are held at a time.
class CsvStreamWriter
{
public:
    explicit CsvStreamWriter(CsvExport::CsvSink sink);

    // False once the sink has refused text; nothing more is taken then.
    bool Add(QByteArrayView table) { return m_blocks.Add(table); }
    // Writes the last, possibly incomplete block; text after the last whole
    // line is ignored, as everywhere a table is cut.
    bool Finish();

    // Where the table's rows stop being aligned, of the rows written so
    // far; the CSV still has every row as it was cut.
    const Misalignment &Misaligned() const { return m_misaligned; }

private:
    bool writeBlock(const MeasurementRows &block, qsizetype rows);
    bool flush();

    CsvExport::CsvSink m_sink;
    bool m_failed = false;
    TableBlocks m_blocks;
    QByteArray m_csv;
    qsizetype m_csvLength = 0;
    Misalignment m_misaligned;
    qsizetype m_rows = 0;
};
