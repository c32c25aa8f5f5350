#include "data/TableBlocks.h"

#include "data/ChannelTable.h"

TableBlocks::TableBlocks(BlockHandler handler) : m_handler(std::move(handler))
{
    m_partialLine.reserve(ChannelTable::LineLength);
    for (int i = 0; i < ChannelTable::FiberSize; ++i)
        m_block.AppendEmpty();
}

bool TableBlocks::Add(QByteArrayView table)
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

bool TableBlocks::Finish()
{
    if (m_blockRows > 0 && !m_failed)
        handBlock();
    return !m_failed;
}

void TableBlocks::addLine(const char *line)
{
    ChannelTable::CutLine(line, m_block.Row(m_blockRows));
    if (++m_blockRows == ChannelTable::FiberSize)
        handBlock();
}

void TableBlocks::handBlock()
{
    const qsizetype rows = m_blockRows;
    m_blockRows = 0;
    if (!m_handler(m_block, rows))
        m_failed = true;
}
