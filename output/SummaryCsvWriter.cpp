#include "output/SummaryCsvWriter.h"

namespace {

constexpr char kHeader[] =
    "file,fiber,verdict,rows,reason,worst_channel,worst_margin,failed_channels\r\n";

class CsvReport : public SummaryWriter::FileReport
{
public:
    explicit CsvReport(const QString &path) : file(SummaryCsvWriter::Field(path.toUtf8())) {}

    void AddFiber(const ThresholdJudge::Fiber &fiber) override
    {
        QByteArray failed;
        for (const QByteArray &channel : fiber.failedChannels)
            failed += (failed.isEmpty() ? "" : " ") + SummaryWriter::FieldUtf8(channel);
        const bool worst = fiber.worstRow >= 0;
        lines += file;
        lines += ',';
        lines += SummaryCsvWriter::Field(SummaryWriter::FieldUtf8(fiber.name));
        lines += fiber.passed() ? ",pass," : ",fail,";
        lines += QByteArray::number(fiber.rows);
        lines += ',';
        lines += SummaryCsvWriter::Field(SummaryWriter::Reasons(fiber.failures).toUtf8());
        lines += ',';
        if (worst)
            lines += SummaryCsvWriter::Field(SummaryWriter::FieldUtf8(fiber.worstChannel));
        lines += ',';
        if (worst)
            lines += SummaryWriter::Decimal(fiber.worstMargin);
        lines += ',';
        lines += SummaryCsvWriter::Field(failed);
        lines += "\r\n";
    }

    void End(const ThresholdJudge &judge) override
    {
        if (judge.FiberCount() == 0)
            lines += file + ",,fail,0," + SummaryCsvWriter::Field(SummaryWriter::tr("no rows").toUtf8())
                + ",,,\r\n";
    }

    QByteArray file;
    QByteArray lines;
};

} // namespace

QByteArray SummaryCsvWriter::Field(const QByteArray &utf8)
{
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r'))
        return utf8;
    QByteArray quoted = utf8;
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

std::unique_ptr<SummaryWriter::FileReport> SummaryCsvWriter::ReportFile(const QString &path,
                                                                      qint64) const
{
    return std::make_unique<CsvReport>(path);
}

void SummaryCsvWriter::Write(const FileReports &reports, const Totals &,
                             const QList<PathError> &, const Sink &out) const
{
    out(kHeader);
    for (const auto &report : reports)
        out(static_cast<const CsvReport &>(*report).lines);
}
