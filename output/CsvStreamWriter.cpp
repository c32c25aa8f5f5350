#include "output/CsvStreamWriter.h"

#include "data/ChannelTable.h"

#include <cstring>

namespace {

// CSV text is handed on in runs of about this size.
constexpr qsizetype kFlushSize = qsizetype(1) << 20;

} // namespace

CsvStreamWriter::CsvStreamWriter(CsvExport::CsvSink sink) : m_sink(std::move(sink))
{
    m_csv.resize(kFlushSize + ChannelTable::FiberSize * CsvExport::LongestLine
                 + CsvExport::LineSlack);
    m_partialLine.reserve(ChannelTable::LineLength);
    for (int i = 0; i < ChannelTable::FiberSize; ++i)
        m_block.AppendEmpty();
}

bool CsvStreamWriter::Add(QByteArrayView table)
{
    constexpr qsizetype kLine = ChannelTable::LineLength;
    const char *data = table.data();
    const char *const end = data + table.size();
    if (!m_partialLine.isEmpty()) {
        const qsizetype wanted = qMin<qsizetype>(kLine - m_partialLine.size(), end - data);
        m_partialLine.append(data, wanted);
        data += wanted;
        if (m_partialLine.size() < kLine)
            return !m_failed;
        addLine(m_partialLine.constData());
        m_partialLine.clear();
    }
    for (; end - data >= kLine && !m_failed; data += kLine)
        addLine(data);
    if (!m_failed)
        m_partialLine.append(data, end - data);
    return !m_failed;
}

bool CsvStreamWriter::Finish()
{
    if (m_blockRows > 0)
        writeBlock();
    return flush();
}

void CsvStreamWriter::addLine(const char *line)
{
    ChannelTable::CutLine(line, m_block.Row(m_blockRows));
    if (++m_blockRows == ChannelTable::FiberSize)
        writeBlock();
}

void CsvStreamWriter::writeBlock()
{
    // Rows past the last one in use (in a short last block) are stamped too,
    // but never written.
    CsvExport::StampBlockNames(m_block);
    char *out = m_csv.data() + m_csvLength;
    for (qsizetype i = 0; i < m_blockRows; ++i)
        out = CsvExport::AppendLine(m_block.At(i), out);
    m_csvLength = out - m_csv.constData();
    m_blockRows = 0;
    if (m_csvLength >= kFlushSize)
        flush();
}

bool CsvStreamWriter::flush()
{
    if (!m_failed && m_csvLength > 0 && !m_sink(QByteArrayView(m_csv.constData(), m_csvLength)))
        m_failed = true;
    m_csvLength = 0;
    return !m_failed;
}
