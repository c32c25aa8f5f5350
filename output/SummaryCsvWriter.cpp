#include "output/SummaryCsvWriter.h"

#include <algorithm>

namespace {

constexpr char kHeader[] =
    "file,fiber,verdict,rows,reason,worst_channel,worst_margin,failed_channels\r\n";

class CsvReport : public SummaryWriter::FileReport
{
public:
    explicit CsvReport(const QString &path) { SummaryCsvWriter::AppendField(file, path.toUtf8()); }

    void AddFiber(const ThresholdJudge::Fiber &fiber) override
    {
        QByteArray decoded;
        lines += file;
        lines += ',';
        SummaryCsvWriter::AppendField(lines, SummaryWriter::FieldUtf8(fiber.name, decoded));
        lines += fiber.passed() ? ",pass," : ",fail,";
        lines += QByteArray::number(fiber.rows);
        lines += ',';
        if (!fiber.passed())
            SummaryCsvWriter::AppendField(lines, SummaryWriter::Reasons(fiber.failures).toUtf8());
        lines += ',';
        if (fiber.worstRow >= 0) {
            SummaryCsvWriter::AppendField(lines, SummaryWriter::FieldUtf8(fiber.worstChannel, decoded));
            lines += ',';
            SummaryWriter::AppendDecimal(lines, fiber.worstMargin);
        } else {
            lines += ',';
        }
        lines += ',';
        QByteArray failed;
        for (const QByteArrayView channel : fiber.failedChannels) {
            if (!failed.isEmpty())
                failed += ' ';
            failed += SummaryWriter::FieldUtf8(channel, decoded);
        }
        SummaryCsvWriter::AppendField(lines, failed);
        lines += "\r\n";
    }

    void End(const ThresholdJudge &judge) override
    {
        if (judge.FiberCount() == 0) {
            lines += file + ",,fail,0,";
            SummaryCsvWriter::AppendField(lines, SummaryWriter::tr("no rows").toUtf8());
            lines += ",,,\r\n";
        }
    }

    QByteArray file;
    QByteArray lines;
};

} // namespace

void SummaryCsvWriter::AppendField(QByteArray &out, QByteArrayView utf8)
{
    const auto special = [](char c) { return c == ',' || c == '"' || c == '\n' || c == '\r'; };
    if (std::none_of(utf8.begin(), utf8.end(), special)) {
        out += utf8;
        return;
    }
    out += '"';
    for (const char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
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
