#include "output/Wording.h"

#include "data/LotFigures.h"

#include <QStringList>

#include <array>

QString Wording::Reasons(ThresholdJudge::Failures failures)
{
    static const struct
    {
        ThresholdJudge::Failure failure;
        const char *text;
    } kReasons[] = {
        {ThresholdJudge::Incomplete, QT_TR_NOOP("incomplete")},
        {ThresholdJudge::BelowThreshold, QT_TR_NOOP("below threshold")},
        {ThresholdJudge::Low, QT_TR_NOOP("Low")},
        {ThresholdJudge::NoNumber, QT_TR_NOOP("no number")},
        {ThresholdJudge::Misaligned, QT_TR_NOOP("misaligned")},
        {ThresholdJudge::BelowLimit, QT_TR_NOOP("below limit")},
        {ThresholdJudge::AboveLimit, QT_TR_NOOP("above limit")},
    };
    QStringList reasons;
    for (const auto &reason : kReasons) {
        if (failures.testFlag(reason.failure))
            reasons.append(tr(reason.text));
    }
    return reasons.join(QLatin1String(", "));
}

QByteArrayView Wording::ReasonsUtf8(ThresholdJudge::Failures failures)
{
    // Seven reasons make 128 sets; each is written once per run, not once
    // per failing fiber.
    constexpr int kSets = 1 << ThresholdJudge::FailureKinds;
    static const std::array<QByteArray, kSets> kTexts = [] {
        std::array<QByteArray, kSets> texts;
        for (int set = 0; set < kSets; ++set)
            texts[size_t(set)] = Reasons(ThresholdJudge::Failures::fromInt(set)).toUtf8();
        return texts;
    }();
    return kTexts[size_t(failures.toInt() & (kSets - 1))];
}

QString Wording::Capability(double value)
{
    return value >= CapableFrom ? tr("good") : value >= FairFrom ? tr("fair") : tr("low");
}

qint64 Wording::YieldMillionths(qsizetype fibers, qsizetype failed)
{
    if (fibers <= 0)
        return 0;
    return qint64(fibers - failed) * 1000000 / qint64(fibers);
}

double Wording::YieldFraction(qsizetype fibers, qsizetype failed)
{
    return double(YieldMillionths(fibers, failed)) / 1e6;
}

QString Wording::YieldPercent(qsizetype fibers, qsizetype failed, bool inColumn)
{
    if (fibers <= 0)
        return QStringLiteral("-");
    const qint64 tenths = YieldMillionths(fibers, failed) / 1000;
    return QStringLiteral("%1.%2%3%").arg(tenths / 10).arg(tenths % 10).arg(inColumn ? QString() : QStringLiteral(" "));
}

QString Wording::YieldLine(qsizetype fibers, qsizetype failed, std::optional<qsizetype> marginal)
{
    const QString share = YieldPercent(fibers, failed);
    QString line = fibers == 1 ? tr("%1 of 1 fiber passes (%2)").arg(fibers - failed).arg(share)
                               : tr("%1 of %2 fibers pass (%3)").arg(fibers - failed).arg(fibers).arg(share);
    if (marginal)
        line += tr(", %1 marginal").arg(*marginal);
    return line;
}

QString Wording::LotLine(const LotFigures &figures)
{
    const auto percent = [](qsizetype fibers, qsizetype passed) { return YieldPercent(fibers, fibers - passed); };
    QString text = (figures.files == 1 ? tr("1 file, ") : tr("%1 files, ").arg(figures.files))
        + tr("%1 of %2 fibers passed (%3), each counted once; %4 retested, %5 of them passed in the end")
              .arg(figures.passed)
              .arg(figures.fibers)
              .arg(percent(figures.fibers, figures.passed))
              .arg(figures.retested)
              .arg(figures.retestedPassed);
    text += tr("; %1 passed the first time").arg(percent(figures.fibers, figures.firstPassed));
    if (!figures.failingChannel.isEmpty())
        text += tr("; fails most at channel %1 (%2 fibers)")
                    .arg(QString::fromUtf8(figures.failingChannel))
                    .arg(figures.failingChannelFibers);
    if (figures.unread > 0)
        text += tr("; %1 could not be read").arg(figures.unread);
    return text;
}
