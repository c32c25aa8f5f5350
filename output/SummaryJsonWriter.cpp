#include "output/SummaryJsonWriter.h"

#include "data/NativePath.h"
#include "output/JsonObject.h"
#include "data/ChannelColumns.h"
#include "output/Wording.h"

#include <algorithm>
#include <cstring>

namespace {

// A failing fiber's list of failed channels in one piece, where every
// channel is a short text that needs no escape and no decoding, as nearly
// every file's are: a fiber that fails everywhere lists eighteen of them.
bool appendPlainList(QByteArray &out, const QVarLengthArray<QByteArrayView, 18> &channels)
{
    constexpr qsizetype kShort = 8;
    const auto plain = [](char c) { return c >= 0x20 && c < 0x7f && c != '"' && c != '\\'; };
    char piece[2 + 18 * (kShort + 4)];
    char *p = piece;
    *p++ = '[';
    for (qsizetype i = 0; i < channels.size(); ++i) {
        const QByteArrayView text = channels.at(i).trimmed();
        if (text.size() > kShort || !std::all_of(text.begin(), text.end(), plain))
            return false;
        if (i > 0) {
            *p++ = ',';
            *p++ = ' ';
        }
        *p++ = '"';
        std::memcpy(p, text.data(), size_t(text.size()));
        p += text.size();
        *p++ = '"';
    }
    *p++ = ']';
    out.append(piece, p - piece);
    return true;
}

// Blank channel texts stay, as "": the list keeps one item per channel.
void appendFailedChannels(JsonObject &object, const ThresholdJudge::Fiber &fiber)
{
    QByteArray &out = object.member("failed_channels");
    if (appendPlainList(out, fiber.failedChannels))
        return;
    out += '[';
    QByteArray decoded;
    for (qsizetype i = 0; i < fiber.failedChannels.size(); ++i) {
        if (i > 0)
            out += ", ";
        JsonObject::AppendString(out, SummaryWriter::FieldUtf8(fiber.failedChannels.at(i), decoded));
    }
    out += ']';
}

class JsonReport : public SummaryWriter::FileReport
{
public:
    JsonReport(const QString &path, SummaryWriter::Sink out) : FileReport(std::move(out)), m_path(path) {}

    void AddFiber(const ThresholdJudge::Fiber &fiber) override
    {
        start();
        m_buffer += m_fibers++ == 0 ? "\n        " : ",\n        ";
        {
            JsonObject object(m_buffer);
            SummaryJsonWriter::AppendFiber(object, fiber);
        }
        Flush();
    }

    void End(const ThresholdJudge &judge) override
    {
        start();
        endFibers();
        SummaryJsonWriter::AppendFileFigures(m_buffer, judge, ",\n      ");
        m_buffer += ",\n      \"channels\": [";
        bool first = true;
        for (const ThresholdJudge::ChannelFigures &figures : judge.Channels()) {
            m_buffer += first ? "\n        " : ",\n        ";
            first = false;
            SummaryJsonWriter::AppendChannel(m_buffer, figures, judge.Banded());
        }
        m_buffer += first ? "]" : "\n      ]";
        m_buffer += ",\n      \"pareto\": ";
        SummaryJsonWriter::AppendPareto(m_buffer, judge);
        m_buffer += "\n    }";
        Flush(true);
    }

    void Abandon(const QString &message) override
    {
        if (m_started) {
            endFibers();
            m_buffer += ",\n      \"error\": ";
            JsonObject::AppendString(m_buffer, message.toUtf8());
            m_buffer += "\n    }";
        }
        Flush(true);
    }

private:
    // A file's object is begun only once there is something to put in it,
    // so that a file that cannot be opened leaves no trace in "files".
    void start()
    {
        if (m_started)
            return;
        m_started = true;
        m_buffer += "\n    {\n      \"path\": ";
        JsonObject::AppendString(m_buffer, NativePath::Escaped(m_path).toUtf8());
        if (const QByteArray bytes = NativePath::HexBytes(m_path); !bytes.isEmpty()) {
            m_buffer += ",\n      \"path_bytes\": ";
            JsonObject::AppendString(m_buffer, bytes);
        }
        m_buffer += ",\n      \"fiber_results\": [";
    }

    void endFibers() { m_buffer += m_fibers == 0 ? "]" : "\n      ]"; }

    QString m_path;
    bool m_started = false;
    qsizetype m_fibers = 0;
};

} // namespace

QByteArrayView SummaryJsonWriter::Verdict(bool passed)
{
    return passed ? QByteArrayView("\"pass\"") : QByteArrayView("\"fail\"");
}

void SummaryJsonWriter::AppendFiber(JsonObject &object, const ThresholdJudge::Fiber &fiber)
{
    object.field("name", fiber.name).value("verdict", Verdict(fiber.passed())).number("rows", fiber.rows);
    if (!fiber.passed())
        object.string("reason", Wording::ReasonsUtf8(fiber.failures));
    appendFailedChannels(object, fiber);
    if (fiber.worstRow >= 0)
        object.field("worst_channel", fiber.worstChannel);
    else
        object.value("worst_channel", "null");
    object.decimal("worst_margin", fiber.worstMargin);
    if (fiber.marginal)
        object.value("marginal", *fiber.marginal ? "true" : "false");
}

void SummaryJsonWriter::AppendFileFigures(QByteArray &out, const ThresholdJudge &judge,
                                          QByteArrayView separator)
{
    out += separator;
    out += "\"verdict\": ";
    out += Verdict(judge.Passed());
    if (judge.FiberCount() == 0) {
        out += separator;
        out += "\"reason\": ";
        JsonObject::AppendString(out, tr("no rows").toUtf8());
    }
    out += separator;
    out += "\"fibers\": " + QByteArray::number(judge.FiberCount());
    out += separator;
    out += "\"failed\": " + QByteArray::number(judge.FailedCount());
    if (judge.Banded()) {
        out += separator;
        out += "\"marginal\": " + QByteArray::number(judge.MarginalCount());
    }
    out += separator;
    out += "\"limit_source\": ";
    JsonObject::AppendString(out, judge.LimitsOf().Source().toUtf8());
    out += separator;
    out += "\"yield\": ";
    AppendDecimal(out, Wording::YieldFraction(judge.FiberCount(), judge.FailedCount()));
}

void SummaryJsonWriter::AppendChannel(QByteArray &out, const ThresholdJudge::ChannelFigures &figures,
                                      bool banded)
{
    JsonObject object(out);
    object.string("channel", figures.channel).field("wavelength", figures.waveLength);
    for (const ChannelColumns::Column &column : ChannelColumns::All()) {
        if (!column.banded || banded)
            AppendColumn(object, column, figures);
    }
}

void SummaryJsonWriter::AppendColumn(JsonObject &object, const ChannelColumns::Column &column,
                                     const ThresholdJudge::ChannelFigures &figures)
{
    const std::optional<double> value = column.get(figures);
    switch (column.kind) {
    case ChannelColumns::Kind::Count:
        object.number(column.key, qsizetype(value.value_or(0)));
        break;
    case ChannelColumns::Kind::Decimal:
        object.decimal(column.key, value);
        break;
    case ChannelColumns::Kind::Capability:
        if (value)
            object.string(column.key, Wording::CapabilityUtf8(*value));
        else
            object.value(column.key, "null");
        break;
    }
}

void SummaryJsonWriter::AppendPareto(QByteArray &out, const ThresholdJudge &judge)
{
    out += "{\"channels\": [";
    bool first = true;
    for (const ThresholdJudge::ChannelCount &count : judge.ParetoChannels()) {
        out += first ? "" : ", ";
        first = false;
        JsonObject(out).string("channel", count.channel).number("fibers", count.fibers);
    }
    out += "], \"reasons\": [";
    first = true;
    for (const ThresholdJudge::ReasonCount &count : judge.ParetoReasons()) {
        out += first ? "" : ", ";
        first = false;
        JsonObject(out).string("reason", Wording::ReasonsUtf8(count.reason)).number("fibers", count.fibers);
    }
    out += "]}";
}

void SummaryJsonWriter::Begin(const Sink &out) const
{
    out("{\n  \"files\": [");
}

std::unique_ptr<SummaryWriter::FileReport> SummaryJsonWriter::ReportFile(const QString &path,
                                                                       Sink out) const
{
    return std::make_unique<JsonReport>(path, std::move(out));
}

void SummaryJsonWriter::Finish(const Run &run, const Sink &out) const
{
    QByteArray json = run.filesWrote ? "\n  ],\n  \"verdict\": " : "],\n  \"verdict\": ";
    json += Verdict(Passed(run));
    json += ",\n  \"errors\": [";
    bool first = true;
    for (const PathError &error : run.errors) {
        json += first ? "\n    " : ",\n    ";
        first = false;
        JsonObject(json).path("path", error.path).string("message", error.message.toUtf8());
    }
    json += first ? "]\n}\n" : "\n  ]\n}\n";
    out(json);
}
