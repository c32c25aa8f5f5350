#pragma once

#include "data/MeasurementRows.h"

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

// Cuts table text, given in pieces of any size, into rows as it comes, and
// hands them on one fiber block at a time: 18 rows, or fewer in a last,
// incomplete block. Text after the last whole line is ignored, as
// everywhere a table is cut. Only one block of rows is held at a time.
class TableBlocks
{
public:
    // Gets the rows of one block (`rows` of them, all the block holds);
    // they hold until the next block is cut. Returns false to stop.
    using BlockHandler = std::function<bool(MeasurementRows &block, qsizetype rows)>;

    explicit TableBlocks(BlockHandler handler);

    // False once the handler has refused a block; nothing more is taken then.
    bool Add(QByteArrayView table);
    // Hands on the last, incomplete block, if any.
    bool Finish();

private:
    void addLine(const char *line);
    void handBlock();

    BlockHandler m_handler;
    bool m_failed = false;
    QByteArray m_partialLine;
    MeasurementRows m_block; // up to 18 rows, its room kept from block to block
};
