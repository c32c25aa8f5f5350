#pragma once

#include "data/ThresholdJudge.h"

#include <QByteArrayView>
#include <QList>
#include <QStringList>

// The columns of a workbook's Fibers sheet: the fiber's verdict first, then
// a power and a margin column for each of the first channels as the judge
// tells them apart (by the text a person reads), in its order.
class FiberSheetColumns
{
public:
    // Columns before those of the channels; the worst margin's among them.
    static constexpr int FiberColumns = 7;
    static constexpr int WorstMarginColumn = 6;
    // Channels that get columns of their own.
    static constexpr int ChannelsShown = 18;

    explicit FiberSheetColumns(const ThresholdJudge &judge);

    QStringList Headings() const;
    // The channel's index for the channel field of the row at `position`
    // in its fiber, or -1. Fibers have their channels in the same places,
    // nearly always: the field is decoded only where it changes.
    int Of(QByteArrayView field, qsizetype position);

private:
    struct Last
    {
        QByteArray field;
        int index = -2; // none yet
    };
    QList<QByteArray> m_channels;
    Last m_last[ChannelsShown + 1];
};
