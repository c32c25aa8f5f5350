#include "output/ChannelCapability.h"

#include "output/Wording.h"

ChannelCapability::Class ChannelCapability::ClassOf(const std::optional<double> &cpk)
{
    if (!cpk)
        return Class::None;
    if (*cpk < Wording::FairFrom)
        return Class::Low;
    return *cpk < Wording::CapableFrom ? Class::Fair : Class::Good;
}

QString ChannelCapability::CpkText(const std::optional<double> &cpk)
{
    switch (ClassOf(cpk)) {
    case Class::None:
        return tr("Cpk -");
    case Class::Low:
        return tr("Cpk %1 low").arg(*cpk, 0, 'f', 2);
    case Class::Fair:
        return tr("Cpk %1 fair").arg(*cpk, 0, 'f', 2);
    case Class::Good:
        break;
    }
    return tr("Cpk %1 good").arg(*cpk, 0, 'f', 2);
}

// The failing share tells where the margins' Cpk, which has none of the
// failing rows that cannot be measured, would flatter the channel.
bool ChannelCapability::observedRules(const ThresholdJudge::ChannelFigures &figures)
{
    return figures.cpkObserved && (!figures.cpk || *figures.cpkObserved < *figures.cpk);
}

QString ChannelCapability::Text(const ThresholdJudge::ChannelFigures &figures)
{
    if (!observedRules(figures))
        return CpkText(figures.cpk);
    // The figure that rules and its word first: a narrow panel cuts the end.
    const QString cpk = figures.cpk ? QString::number(*figures.cpk, 'f', 2) : QStringLiteral("-");
    return tr("Cpk obs. %1 %2 (%3)")
        .arg(*figures.cpkObserved, 0, 'f', 2)
        .arg(Wording::Capability(*figures.capability), cpk);
}

QStringList ChannelCapability::Texts(const ThresholdJudge::ChannelFigures &figures)
{
    QStringList texts{Text(figures)};
    if (!figures.capability)
        return texts;
    const QString word = Wording::Capability(*figures.capability);
    const QString figure = QString::number(*figures.capability, 'f', 2);
    if (observedRules(figures))
        texts.append(tr("obs. %1 %2").arg(figure, word));
    texts << tr("%1 %2").arg(figure, word) << word;
    return texts;
}
