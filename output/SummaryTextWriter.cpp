#include "output/SummaryTextWriter.h"

#include <algorithm>

namespace {

struct FailingFiber
{
    QString name;
    QString detail;
};

class TextReport : public SummaryWriter::FileReport
{
public:
    explicit TextReport(const QString &path) : path(path) {}

    void AddFiber(const ThresholdJudge::Fiber &fiber) override
    {
        if (!fiber.passed())
            failing.append({SummaryWriter::FieldText(fiber.name), describe(fiber)});
    }
    void End(const ThresholdJudge &judge) override
    {
        fibers = judge.FiberCount();
        failed = judge.FailedCount();
        passed = judge.Passed();
    }

    QString path;
    qsizetype fibers = 0;
    qsizetype failed = 0;
    bool passed = false;
    QList<FailingFiber> failing;

private:
    static QString describe(const ThresholdJudge::Fiber &fiber)
    {
        ThresholdJudge::Failures others = fiber.failures;
        others.setFlag(ThresholdJudge::Incomplete, false);
        QStringList reasons;
        if (fiber.failures.testFlag(ThresholdJudge::Incomplete))
            reasons.append(SummaryWriter::tr("incomplete (%1 rows)").arg(fiber.rows));
        if (others) {
            QStringList channels;
            for (const QByteArrayView channel : fiber.failedChannels)
                channels.append(SummaryWriter::FieldText(channel));
            reasons.append(SummaryWriter::tr("%1 at %2")
                               .arg(SummaryWriter::Reasons(others), channels.join(QLatin1Char(' '))));
        }
        if (fiber.worstRow < 0)
            return SummaryWriter::tr("%1; no channel has a number").arg(reasons.join(QLatin1String(", ")));
        return SummaryWriter::tr("%1; worst channel %2: power %3, threshold %4, margin %5 dB")
            .arg(reasons.join(QLatin1String(", ")), SummaryWriter::FieldText(fiber.worstChannel),
                 SummaryWriter::FieldText(fiber.worstPower),
                 SummaryWriter::FieldText(fiber.worstThreshold), signedMargin(fiber.worstMargin));
    }

    static QString signedMargin(double margin)
    {
        const QString text = QString::number(margin, 'f', 2);
        return margin > 0 && text != QLatin1String("0.00") ? QLatin1Char('+') + text : text;
    }
};

QString fibersText(qsizetype fibers, qsizetype failed)
{
    return QStringLiteral("%1/%2").arg(fibers - failed).arg(fibers);
}

QString yieldText(qsizetype fibers, qsizetype failed)
{
    if (fibers == 0)
        return QStringLiteral("-");
    return QString::number(100.0 * double(fibers - failed) / double(fibers), 'f', 1)
        + QLatin1Char('%');
}

} // namespace

std::unique_ptr<SummaryWriter::FileReport> SummaryTextWriter::ReportFile(const QString &path,
                                                                       qint64) const
{
    return std::make_unique<TextReport>(path);
}

QString SummaryTextWriter::verdict(bool passed) const
{
    const QString word = passed ? QStringLiteral("PASS") : QStringLiteral("FAIL");
    if (!m_colour)
        return word;
    return QStringLiteral("\033[%1m%2\033[0m").arg(passed ? 32 : 31).arg(word);
}

void SummaryTextWriter::Write(const FileReports &reports, const Totals &totals,
                              const QList<PathError> &errors, const Sink &out) const
{
    const QString allFiles =
        totals.files == 1 ? tr("all of 1 file") : tr("all %1 files").arg(totals.files);
    qsizetype pathWidth = allFiles.size();
    qsizetype fibersWidth = fibersText(totals.fibers, totals.failedFibers).size();
    for (const auto &report : reports)
        pathWidth = qMax(pathWidth, static_cast<const TextReport &>(*report).path.size());

    QString text;
    const auto line = [&](const QString &label, bool passed, qsizetype fibers, qsizetype failed) {
        text += label.leftJustified(pathWidth) + QLatin1String("  ") + verdict(passed)
            + QLatin1String("  ") + fibersText(fibers, failed).rightJustified(fibersWidth)
            + tr(" fibers") + QLatin1String("  ") + yieldText(fibers, failed).rightJustified(6)
            + QLatin1Char('\n');
    };
    for (const auto &item : reports) {
        const auto &report = static_cast<const TextReport &>(*item);
        line(report.path, report.passed, report.fibers, report.failed);
        if (report.fibers == 0)
            text += QLatin1String("  ") + tr("no rows") + QLatin1Char('\n');
        qsizetype nameWidth = 0;
        for (const FailingFiber &fiber : report.failing)
            nameWidth = qMax(nameWidth, fiber.name.size());
        for (const FailingFiber &fiber : report.failing)
            text += QLatin1String("  ") + fiber.name.leftJustified(nameWidth) + QLatin1String("  ")
                + fiber.detail + QLatin1Char('\n');
    }
    line(allFiles, Passed(totals, errors), totals.fibers, totals.failedFibers);
    if (!errors.isEmpty())
        text += tr("%1 of the paths given could not be read").arg(errors.size()) + QLatin1Char('\n');
    out(text.toUtf8());
}
