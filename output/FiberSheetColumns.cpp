#include "output/FiberSheetColumns.h"

#include "data/Texts.h"

FiberSheetColumns::FiberSheetColumns(const ThresholdJudge &judge)
{
    for (const ThresholdJudge::ChannelFigures &figures : judge.Channels()) {
        if (m_channels.size() == ChannelsShown)
            break;
        m_channels.append(figures.channel);
    }
}

QStringList FiberSheetColumns::Headings() const
{
    QStringList headings{Texts::tr("Fiber"),           Texts::tr("Verdict"),       Texts::tr("Marginal"),
                         Texts::tr("Reasons"),         Texts::tr("Failed channels"), Texts::tr("Worst channel"),
                         Texts::tr("Worst margin (dB)")};
    for (const QByteArray &channel : m_channels) {
        const QString shown = QString::fromUtf8(channel);
        headings << Texts::tr("%1 power").arg(shown) << Texts::tr("%1 margin").arg(shown);
    }
    return headings;
}

int FiberSheetColumns::Of(QByteArrayView field, qsizetype position)
{
    Last &last = m_last[size_t(qMin<qsizetype>(position, ChannelsShown))];
    if (last.index >= -1 && QByteArrayView(last.field) == field)
        return last.index;
    last.field = field.toByteArray();
    last.index = int(m_channels.indexOf(ThresholdJudge::ShownText(field)));
    return last.index;
}
