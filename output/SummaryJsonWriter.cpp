#include "output/SummaryJsonWriter.h"

#include "data/CodePage936.h"

namespace {

const char kFiberIndent[] = "        ";

QByteArrayView verdict(bool passed)
{
    return passed ? QByteArrayView("\"pass\"") : QByteArrayView("\"fail\"");
}

void appendString(QByteArray &out, QByteArrayView utf8)
{
    out += '"';
    for (const char c : utf8) {
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
            if (quint8(c) < 0x20)
                out += "\\u00" + QByteArray::number(quint8(c), 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    out += '"';
}

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
        m_out += QByteArray::number(value);
        return *this;
    }
    Object &decimal(const char *key, const std::optional<double> &value)
    {
        name(key);
        if (value)
            SummaryWriter::AppendDecimal(m_out, *value);
        else
            m_out += "null";
        return *this;
    }
    Object &string(const char *key, QByteArrayView utf8)
    {
        name(key);
        appendString(m_out, utf8);
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
    JsonReport(const QString &path, qint64 size) : path(path.toUtf8())
    {
        // About a line of 140 bytes for each fiber of 18 lines of 69.
        constexpr qint64 kFiberBytes = 18 * 69;
        fibers.reserve(qsizetype(qBound<qint64>(0, size / kFiberBytes * 140, qint64(1) << 28)));
    }

    void AddFiber(const ThresholdJudge::Fiber &fiber) override
    {
        fibers += fibers.isEmpty() ? kFiberIndent : ",\n        ";
        Object object(fibers);
        object.field("name", fiber.name).value("verdict", verdict(fiber.passed())).number("rows", fiber.rows);
        if (!fiber.passed())
            object.string("reason", SummaryWriter::Reasons(fiber.failures).toUtf8());
        QByteArray failed = "[";
        QByteArray decoded;
        for (const QByteArrayView channel : fiber.failedChannels) {
            if (failed.size() > 1)
                failed += ", ";
            appendString(failed, SummaryWriter::FieldUtf8(channel, decoded));
        }
        failed += ']';
        object.value("failed_channels", failed);
        if (fiber.worstRow >= 0)
            object.field("worst_channel", fiber.worstChannel);
        else
            object.value("worst_channel", "null");
        object.decimal("worst_margin",
                       fiber.worstRow >= 0 ? std::optional<double>(fiber.worstMargin) : std::nullopt);
    }

    void End(const ThresholdJudge &judge) override
    {
        fiberCount = judge.FiberCount();
        failed = judge.FailedCount();
        passed = judge.Passed();
        for (const ThresholdJudge::ChannelFigures &figures : judge.Channels()) {
            const bool powers = figures.powers > 0;
            channels += channels.isEmpty() ? kFiberIndent : ",\n        ";
            Object(channels)
                .field("channel", figures.channel)
                .field("wavelength", figures.waveLength)
                .number("count", figures.count)
                .number("failed", figures.failed)
                .decimal("min", powers ? std::optional<double>(figures.min) : std::nullopt)
                .decimal("max", powers ? std::optional<double>(figures.max) : std::nullopt)
                .decimal("mean", powers ? std::optional<double>(figures.mean) : std::nullopt)
                .decimal("stddev", figures.standardDeviation());
        }
    }

    QByteArray path;
    qsizetype fiberCount = 0;
    qsizetype failed = 0;
    bool passed = false;
    QByteArray fibers;   // the fiber_results, one a line
    QByteArray channels; // the channels, one a line
};

// A list of items, one a line; long lists go straight out, after what
// `json` holds so far.
void appendList(QByteArray &json, const QByteArray &items, const char *indent,
                const SummaryWriter::Sink &out)
{
    if (items.isEmpty()) {
        json += "[]";
        return;
    }
    json += "[\n";
    out(json);
    out(items);
    json = "\n";
    json += indent;
    json += ']';
}

} // namespace

std::unique_ptr<SummaryWriter::FileReport> SummaryJsonWriter::ReportFile(const QString &path,
                                                                       qint64 size) const
{
    return std::make_unique<JsonReport>(path, size);
}

void SummaryJsonWriter::Write(const FileReports &reports, const Totals &totals,
                              const QList<PathError> &errors, const Sink &out) const
{
    QByteArray json = "{\n  \"verdict\": ";
    json += verdict(Passed(totals, errors));
    json += ",\n  \"files\": ";
    // A file's lists of fibers and channels go out as they are.
    for (const auto &item : reports) {
        const auto &report = static_cast<const JsonReport &>(*item);
        json += &item == &reports.front() ? "[\n    {\n      \"path\": " : ",\n    {\n      \"path\": ";
        appendString(json, report.path);
        json += ",\n      \"verdict\": ";
        json += verdict(report.passed);
        if (report.fiberCount == 0) {
            json += ",\n      \"reason\": ";
            appendString(json, tr("no rows").toUtf8());
        }
        const double yield = report.fiberCount == 0
            ? 0.0
            : double(report.fiberCount - report.failed) / double(report.fiberCount);
        json += ",\n      \"fibers\": " + QByteArray::number(report.fiberCount)
            + ",\n      \"failed\": " + QByteArray::number(report.failed) + ",\n      \"yield\": ";
        AppendDecimal(json, yield);
        json += ",\n      \"fiber_results\": ";
        appendList(json, report.fibers, "      ", out);
        json += ",\n      \"channels\": ";
        appendList(json, report.channels, "      ", out);
        json += "\n    }";
    }
    json += reports.empty() ? "[]" : "\n  ]";
    QByteArray errorList;
    for (const PathError &error : errors) {
        errorList += errorList.isEmpty() ? "    " : ",\n    ";
        Object(errorList).string("path", error.path.toUtf8()).string("message", error.message.toUtf8());
    }
    json += ",\n  \"errors\": ";
    appendList(json, errorList, "  ", out);
    json += "\n}\n";
    out(json);
}
