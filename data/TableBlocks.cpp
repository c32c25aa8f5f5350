#include "data/TableBlocks.h"

#include "data/ChannelTable.h"

TableBlocks::TableBlocks(BlockHandler handler) : m_handler(std::move(handler))
{
    m_partialLine.reserve(ChannelTable::LineLength);
    m_block.Reserve(ChannelTable::FiberSize);
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
    if (!m_block.IsEmpty() && !m_failed)
        handBlock();
    return !m_failed;
}

void TableBlocks::addLine(const char *line)
{
    m_block.AppendLine(line);
    if (m_block.Count() == ChannelTable::FiberSize)
        handBlock();
}

void TableBlocks::handBlock()
{
    if (!m_handler(m_block, m_block.Count()))
        m_failed = true;
    m_block.Empty();
}
