#include "output/SummaryCsvWriter.h"

#include "data/NativePath.h"
#include "output/Wording.h"

#include <algorithm>
#include <optional>

namespace {

// The first field of a file's lines, and its last three with the line's
// end: its path as shown, its bytes where they are not UTF-8, whether the
// fiber is marginal, and what its limits came from, made once for each of
// the three answers.
struct PathFields
{
    PathFields(const QString &path, const QByteArray &limitSource)
    {
        SummaryCsvWriter::AppendField(file, NativePath::Escaped(path).toUtf8());
        const QByteArray bytes = ',' + NativePath::HexBytes(path);
        QByteArray source = ",";
        SummaryCsvWriter::AppendField(source, limitSource);
        source += "\r\n";
        unjudged = bytes + "," + source;
        marginal = bytes + ",true" + source;
        notMarginal = bytes + ",false" + source;
    }
    const QByteArray &End(const std::optional<bool> &isMarginal) const
    {
        return !isMarginal ? unjudged : *isMarginal ? marginal : notMarginal;
    }
    QByteArray file;
    QByteArray unjudged; // without a warning margin
    QByteArray marginal;
    QByteArray notMarginal;
};

class CsvReport : public SummaryWriter::FileReport
{
public:
    CsvReport(const QString &path, const QByteArray &limitSource, SummaryWriter::Sink out)
        : FileReport(std::move(out)), m_path(path, limitSource)
    {
    }

    void AddFiber(const ThresholdJudge::Fiber &fiber) override
    {
        QByteArray decoded;
        m_buffer += m_path.file;
        m_buffer += ',';
        SummaryCsvWriter::AppendField(m_buffer, SummaryWriter::FieldUtf8(fiber.name, decoded));
        m_buffer += fiber.passed() ? ",pass," : ",fail,";
        m_buffer += QByteArray::number(fiber.rows);
        m_buffer += ',';
        if (!fiber.passed())
            SummaryCsvWriter::AppendField(m_buffer, Wording::ReasonsUtf8(fiber.failures));
        m_buffer += ',';
        if (fiber.worstRow >= 0)
            SummaryCsvWriter::AppendField(m_buffer, SummaryWriter::FieldUtf8(fiber.worstChannel, decoded));
        m_buffer += ',';
        if (fiber.worstMargin)
            SummaryWriter::AppendDecimal(m_buffer, *fiber.worstMargin);
        m_buffer += ',';
        QByteArray failed;
        for (qsizetype i = 0; i < fiber.failedChannels.size(); ++i) {
            if (i > 0)
                failed += ' ';
            failed += SummaryWriter::FieldUtf8(fiber.failedChannels.at(i), decoded);
        }
        SummaryCsvWriter::AppendField(m_buffer, failed);
        m_buffer += m_path.End(fiber.marginal);
        Flush();
    }

    void End(const ThresholdJudge &judge) override
    {
        if (judge.FiberCount() == 0) {
            m_buffer += m_path.file + ",,fail,0,";
            SummaryCsvWriter::AppendField(m_buffer, SummaryWriter::tr("no rows").toUtf8());
            m_buffer += ",,," + m_path.End(std::nullopt);
        }
        Flush(true);
    }

    void Abandon(const QString &) override { Flush(true); }

private:
    const PathFields m_path;
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

void SummaryCsvWriter::Begin(const Sink &out) const
{
    out("file,fiber,verdict,rows,reason,worst_channel,worst_margin,failed_channels,path_bytes,marginal,limit_source\r\n");
}

void SummaryCsvWriter::Finish(const Run &run, const Sink &out) const
{
    QByteArray lines;
    for (const PathError &error : run.errors) {
        const PathFields path(error.path, LimitSource());
        lines += path.file + ",,error,,";
        AppendField(lines, error.message.toUtf8());
        lines += ",,," + path.End(std::nullopt);
    }
    if (!lines.isEmpty())
        out(lines);
}

std::unique_ptr<SummaryWriter::FileReport> SummaryCsvWriter::ReportFile(const QString &path,
                                                                      Sink out) const
{
    return std::make_unique<CsvReport>(path, LimitSource(), std::move(out));
}
