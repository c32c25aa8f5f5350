#include "output/CsvStreamWriter.h"

#include "data/ChannelTable.h"

namespace {

// CSV text is handed on in runs of about this size.
constexpr qsizetype kFlushSize = qsizetype(1) << 20;

} // namespace

CsvStreamWriter::CsvStreamWriter(CsvExport::CsvSink sink)
    : m_sink(std::move(sink)),
      m_blocks([this](MeasurementRows &block, qsizetype rows) { return writeBlock(block, rows); })
{
    m_csv.resize(kFlushSize + ChannelTable::FiberSize * CsvExport::LongestLine
                 + CsvExport::LineSlack);
}

bool CsvStreamWriter::Finish()
{
    return m_blocks.Finish() && flush();
}

bool CsvStreamWriter::writeBlock(const MeasurementRows &block, qsizetype rows)
{
    if (!m_misaligned.Found())
        m_misaligned = JudgePipeline::FindMisaligned(block, 0, m_rows);
    m_rows += rows;
    // Every row of a block is written with the block's first row's name.
    const QByteArrayView name = block.At(0).text(MeasurementRow::FiberName);
    char *out = m_csv.data() + m_csvLength;
    for (qsizetype i = 0; i < rows; ++i)
        out = CsvExport::AppendLine(block.At(i), name, out);
    m_csvLength = out - m_csv.constData();
    return m_csvLength < kFlushSize || flush();
}

bool CsvStreamWriter::flush()
{
    if (!m_failed && m_csvLength > 0 && !m_sink(QByteArrayView(m_csv.constData(), m_csvLength)))
        m_failed = true;
    m_csvLength = 0;
    return !m_failed;
}
