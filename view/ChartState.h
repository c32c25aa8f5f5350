#pragma once

#include "output/ChannelChart.h"

#include <QList>
#include <QString>

class ResultDocument;

// The chart under the channel list as last drawn, kept so that every
// repaint shows it again until the next file: the bars of the fiber chosen
// with their thresholds and verdicts, the bar marked, and the readout's
// threshold and margin of the channel marked.
class ChartState
{
public:
    bool Shown() const { return m_shown; }
    int MarkedBar() const { return m_markedBar; }

    void Clear();
    // The bars of fiber `block` of `document`, none marked: a bar for each
    // row it has whose power is a number.
    void ShowFiber(const ResultDocument &document, qsizetype block);
    // Row `row` of the fiber marked (-1: none); its threshold as the list
    // shows it.
    void MarkRow(const ResultDocument &document, qsizetype block, int row, const QString &threshold);

    // The chart with the selection line's texts, and with `verdicts` the
    // thresholds, the failing bars and the readout's threshold and margin.
    void Draw(QPainter &painter, const ChannelChart &chart, const QString &channel, const QString &waveLength,
              const QString &power, bool verdicts) const;

private:
    bool m_shown = false;
    QList<ChannelChart::Power> m_powers;
    QList<ChannelChart::Verdict> m_verdicts;
    int m_markedBar = -1;
    QString m_threshold;
    QString m_margin;
};
