#include "output/SummaryJsonLinesWriter.h"

#include "output/JsonObject.h"
#include "output/SummaryJsonWriter.h"

namespace {

// What leads every line of a file: its path, ready to be copied.
QByteArray fileMember(const QString &path)
{
    QByteArray out;
    {
        JsonObject object(out);
        object.path("file", path);
    }
    out.chop(1); // the object stays open for the members that follow
    return out;
}

class JsonLinesReport : public SummaryWriter::FileReport
{
public:
    JsonLinesReport(const QString &path, SummaryWriter::Sink out)
        : FileReport(std::move(out)), m_file(fileMember(path))
    {
    }

    void AddFiber(const ThresholdJudge::Fiber &fiber) override
    {
        {
            JsonObject object(m_buffer, m_file);
            object.value("type", "\"fiber\"");
            SummaryJsonWriter::AppendFiber(object, fiber);
        }
        m_buffer += '\n';
        Flush();
    }

    void End(const ThresholdJudge &judge) override
    {
        m_buffer += m_file;
        m_buffer += ", \"type\": \"file\"";
        SummaryJsonWriter::AppendFileFigures(m_buffer, judge, ", ");
        m_buffer += ", \"channels\": [";
        bool first = true;
        for (const ThresholdJudge::ChannelFigures &figures : judge.Channels()) {
            if (!first)
                m_buffer += ", ";
            first = false;
            SummaryJsonWriter::AppendChannel(m_buffer, figures, judge.Banded());
        }
        m_buffer += "], \"pareto\": ";
        SummaryJsonWriter::AppendPareto(m_buffer, judge);
        m_buffer += "}\n";
        Flush(true);
    }

    // The file's error line comes at the end, with those of the paths
    // that could not be read at all.
    void Abandon(const QString &) override { Flush(true); }

private:
    QByteArray m_file;
};

} // namespace

std::unique_ptr<SummaryWriter::FileReport> SummaryJsonLinesWriter::ReportFile(const QString &path,
                                                                            Sink out) const
{
    return std::make_unique<JsonLinesReport>(path, std::move(out));
}

void SummaryJsonLinesWriter::Finish(const Run &run, const Sink &out) const
{
    QByteArray lines;
    for (const PathError &error : run.errors) {
        {
            JsonObject object(lines);
            object.path("file", error.path).string("type", "error").string("message", error.message.toUtf8());
        }
        lines += '\n';
    }
    out(lines);
}
