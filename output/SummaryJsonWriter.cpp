#include "output/SummaryJsonWriter.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

QByteArrayView verdict(bool passed)
{
    return passed ? QByteArrayView("\"pass\"") : QByteArrayView("\"fail\"");
}

} // namespace

void SummaryJsonWriter::AppendString(QByteArray &out, QByteArrayView utf8)
{
    out += '"';
    // Runs of characters that need no escape go in whole.
    const char *run = utf8.begin();
    for (const char *p = utf8.begin(); p != utf8.end(); ++p) {
        const char c = *p;
        if (c != '"' && c != '\\' && quint8(c) >= 0x20)
            continue;
        out.append(run, p - run);
        run = p + 1;
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += "\\u00" + QByteArray::number(quint8(c), 16).rightJustified(2, '0');
        }
    }
    out.append(run, utf8.end() - run);
    out += '"';
}

namespace {

// An object on one line, its members appended in place: a file of a
// million rows has tens of thousands of them.
class Object
{
public:
    explicit Object(QByteArray &out) : m_out(out) { m_out += '{'; }
    ~Object() { m_out += '}'; }

    Object &value(const char *key, QByteArrayView json)
    {
        name(key);
        m_out += json;
        return *this;
    }
    Object &number(const char *key, qsizetype value)
    {
        name(key);
        char text[24];
        const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
        m_out.append(text, end.ptr - text);
        return *this;
    }
    // A number, or null where there is none or it is not finite.
    Object &decimal(const char *key, const std::optional<double> &value)
    {
        name(key);
        if (!value || !SummaryWriter::AppendDecimal(m_out, *value))
            m_out += "null";
        return *this;
    }
    Object &string(const char *key, QByteArrayView utf8)
    {
        name(key);
        SummaryJsonWriter::AppendString(m_out, utf8);
        return *this;
    }
    // A field of the file, decoded and trimmed.
    Object &field(const char *key, QByteArrayView field)
    {
        QByteArray decoded;
        return string(key, SummaryWriter::FieldUtf8(field, decoded));
    }

private:
    void name(const char *key)
    {
        if (!m_empty)
            m_out += ", ";
        m_empty = false;
        m_out += '"';
        m_out += key;
        m_out += "\": ";
    }

    QByteArray &m_out;
    bool m_empty = true;
};

class JsonReport : public SummaryWriter::FileReport
{
public:
    JsonReport(const QString &path, SummaryWriter::Sink out)
        : FileReport(std::move(out)), m_path(path.toUtf8())
    {
    }

    void AddFiber(const ThresholdJudge::Fiber &fiber) override
    {
        start();
        m_buffer += m_fibers++ == 0 ? "\n        " : ",\n        ";
        {
            Object object(m_buffer);
            object.field("name", fiber.name).value("verdict", verdict(fiber.passed())).number("rows", fiber.rows);
            if (!fiber.passed())
                object.string("reason", SummaryWriter::ReasonsUtf8(fiber.failures));
            appendFailedChannels(object, fiber);
            if (fiber.worstRow >= 0)
                object.field("worst_channel", fiber.worstChannel);
            else
                object.value("worst_channel", "null");
            object.decimal("worst_margin",
                           fiber.worstRow >= 0 ? std::optional<double>(fiber.worstMargin) : std::nullopt);
        }
        Flush();
    }

    void End(const ThresholdJudge &judge) override
    {
        start();
        endFibers();
        m_buffer += ",\n      \"verdict\": ";
        m_buffer += verdict(judge.Passed());
        if (judge.FiberCount() == 0) {
            m_buffer += ",\n      \"reason\": ";
            SummaryJsonWriter::AppendString(m_buffer, SummaryWriter::tr("no rows").toUtf8());
        }
        m_buffer += ",\n      \"fibers\": " + QByteArray::number(judge.FiberCount())
            + ",\n      \"failed\": " + QByteArray::number(judge.FailedCount())
            + ",\n      \"yield\": ";
        SummaryWriter::AppendDecimal(
            m_buffer, double(SummaryWriter::YieldMillionths(judge.FiberCount(), judge.FailedCount())) / 1e6);
        m_buffer += ",\n      \"channels\": [";
        bool first = true;
        for (const ThresholdJudge::ChannelFigures &figures : judge.Channels()) {
            const bool powers = figures.powers > 0;
            m_buffer += first ? "\n        " : ",\n        ";
            first = false;
            Object(m_buffer)
                .string("channel", figures.channel)
                .field("wavelength", figures.waveLength)
                .number("count", figures.count)
                .number("failed", figures.failed)
                .decimal("min", powers ? std::optional<double>(figures.min) : std::nullopt)
                .decimal("max", powers ? std::optional<double>(figures.max) : std::nullopt)
                .decimal("mean", powers ? std::optional<double>(figures.mean) : std::nullopt)
                .decimal("stddev", figures.standardDeviation());
        }
        m_buffer += first ? "]" : "\n      ]";
        m_buffer += "\n    }";
        Flush(true);
    }

    void Abandon(const QString &message) override
    {
        if (m_started) {
            endFibers();
            m_buffer += ",\n      \"error\": ";
            SummaryJsonWriter::AppendString(m_buffer, message.toUtf8());
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
        SummaryJsonWriter::AppendString(m_buffer, m_path);
        m_buffer += ",\n      \"fiber_results\": [";
    }

    void endFibers() { m_buffer += m_fibers == 0 ? "]" : "\n      ]"; }

    // Blank channel texts stay, as "": the list keeps one item per channel.
    void appendFailedChannels(Object &object, const ThresholdJudge::Fiber &fiber)
    {
        object.value("failed_channels", QByteArrayView());
        if (appendPlainList(fiber.failedChannels))
            return;
        m_buffer += '[';
        QByteArray decoded;
        for (qsizetype i = 0; i < fiber.failedChannels.size(); ++i) {
            if (i > 0)
                m_buffer += ", ";
            SummaryJsonWriter::AppendString(m_buffer, SummaryWriter::FieldUtf8(fiber.failedChannels.at(i), decoded));
        }
        m_buffer += ']';
    }

    // The list in one piece, where every channel is a short text that
    // needs no escape and no decoding, as nearly every file's are: a fiber
    // that fails everywhere lists eighteen of them.
    bool appendPlainList(const QVarLengthArray<QByteArrayView, 18> &channels)
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
        m_buffer.append(piece, p - piece);
        return true;
    }

    QByteArray m_path;
    bool m_started = false;
    qsizetype m_fibers = 0;
};

} // namespace

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
    json += verdict(Passed(run));
    json += ",\n  \"errors\": [";
    bool first = true;
    for (const PathError &error : run.errors) {
        json += first ? "\n    " : ",\n    ";
        first = false;
        Object(json).string("path", error.path.toUtf8()).string("message", error.message.toUtf8());
    }
    json += first ? "]\n}\n" : "\n  ]\n}\n";
    out(json);
}
