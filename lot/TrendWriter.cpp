#include "lot/TrendWriter.h"

#include "data/NativePath.h"
#include "lot/ControlWriter.h"
#include "lot/LotModel.h"
#include "output/JsonObject.h"
#include "output/SummaryCsvWriter.h"
#include "output/TerminalText.h"
#include "output/Wording.h"

namespace {

// As --summary gives it: 0 without fibers.
double yieldOf(qsizetype fibers, qsizetype passed)
{
    return Wording::YieldFraction(fibers, fibers - passed);
}

QByteArray decimal(const std::optional<double> &value)
{
    QByteArray text;
    if (value)
        SummaryWriter::AppendDecimal(text, *value);
    return text;
}

// A file's members, after its path.
void fileMembers(JsonObject &object, const FileSummary &summary)
{
    const QByteArray time = RowTime::Iso(summary.FirstTime());
    if (time.isEmpty())
        object.value("first_time", "null");
    else
        object.string("first_time", time);
    object.number("fibers", summary.Fibers()).number("passed", summary.Passed());
    if (summary.Banded())
        object.number("marginal", summary.Marginal());
    else
        object.value("marginal", "null");
    object.decimal("yield", yieldOf(summary.Fibers(), summary.Passed()));
    if (summary.WorstChannel().isEmpty())
        object.value("worst_channel", "null");
    else
        object.string("worst_channel", summary.WorstChannel());
    object.decimal("min_cpk", summary.MinCpk());
}

void lotMembers(JsonObject &object, const LotFigures &figures, const LotControl::Result *control)
{
    object.number("files", figures.files)
        .number("fibers", figures.fibers)
        .number("passed", figures.passed)
        .decimal("yield", yieldOf(figures.fibers, figures.passed))
        .number("first_passed", figures.firstPassed)
        .decimal("first_pass_yield", yieldOf(figures.fibers, figures.firstPassed))
        .number("retested", figures.retested)
        .number("retested_passed", figures.retestedPassed)
        .number("unread", figures.unread);
    if (figures.failingChannel.isEmpty())
        object.value("failing_channel", "null");
    else
        object.string("failing_channel", figures.failingChannel);
    if (control)
        object.value("yield_control", ControlWriter::YieldControl(*control));
}

// The yield as people read it, to a tenth of a percent, rounded down.
QString percent(qsizetype fibers, qsizetype passed)
{
    return Wording::YieldPercent(fibers, fibers - passed, true);
}

// An object of JSON, or of JSON Lines, which tell its type first.
void open(std::optional<JsonObject> &object, QByteArray &out, bool lines, const char *type)
{
    if (lines)
        object.emplace(out, QByteArray("{\"type\": \"") + type + '"');
    else
        object.emplace(out);
}

} // namespace

QByteArray TrendWriter::Write(SummaryWriter::Format format, const LotModel &lot, const JudgeInputs &inputs,
                              bool colour, const LotControl::Result *control)
{
    switch (format) {
    case SummaryWriter::Json:
        return json(lot, false, control);
    case SummaryWriter::JsonLines:
        return json(lot, true, control);
    case SummaryWriter::Csv:
        return csv(lot);
    case SummaryWriter::Text:
        break;
    }
    return text(lot, inputs.Banded(), colour, control);
}

QByteArray TrendWriter::json(const LotModel &lot, bool lines, const LotControl::Result *control)
{
    // JSON Lines: a line per file, the lot's, then one per file not read.
    QByteArray files = lines ? QByteArray() : QByteArray("{\n  \"files\": [");
    QByteArray errors;
    const QByteArrayView separator = lines ? "" : ",";
    const QByteArrayView indent = lines ? "" : "\n    ";
    const QByteArrayView end = lines ? "\n" : "";
    bool firstFile = true, firstError = true;
    for (int row = 0; row < lot.FileCount(); ++row) {
        const LotFile &file = lot.FileAt(row);
        QByteArray &out = file.summary ? files : errors;
        bool &first = file.summary ? firstFile : firstError;
        out += first ? QByteArrayView() : separator;
        out += indent;
        first = false;
        {
            std::optional<JsonObject> object;
            open(object, out, lines, file.summary ? "file" : "error");
            object->path("path", file.path);
            if (file.summary)
                fileMembers(*object, *file.summary);
            else
                object->string("message", file.error.toUtf8());
        }
        out += end;
    }
    if (lines) {
        {
            std::optional<JsonObject> object;
            open(object, files, true, "lot");
            lotMembers(*object, lot.Figures(), control);
        }
        files += '\n';
        if (control) {
            files += "{\"type\": \"control\", " + ControlWriter::JsonMembers(lot, *control, false) + "}\n";
            for (const LotControl::Alarm &alarm : control->alarms)
                files += ControlWriter::Alarm(lot, alarm, "alarm") + '\n';
        }
        return files + errors;
    }
    files += firstFile ? "],\n  \"lot\": " : "\n  ],\n  \"lot\": ";
    {
        JsonObject object(files);
        lotMembers(object, lot.Figures(), control);
    }
    if (control)
        files += ",\n  " + ControlWriter::JsonMembers(lot, *control);
    files += ",\n  \"errors\": [" + errors + (firstError ? "]\n}\n" : "\n  ]\n}\n");
    return files;
}

QByteArray TrendWriter::csv(const LotModel &lot)
{
    QByteArray out = "type,path,first_time,files,unread,fibers,passed,marginal,yield,worst_channel,min_cpk,"
                     "retested,retested_passed,failing_channel,message,path_bytes,first_passed,first_pass_yield\r\n";
    QByteArray errors;
    for (int row = 0; row < lot.FileCount(); ++row) {
        const LotFile &file = lot.FileAt(row);
        QByteArray &line = file.summary ? out : errors;
        line += file.summary ? "file," : "error,";
        SummaryCsvWriter::AppendField(line, NativePath::Escaped(file.path).toUtf8());
        if (const FileSummary *summary = file.summary.get()) {
            line += ',' + RowTime::Iso(summary->FirstTime()) + ",,," + QByteArray::number(summary->Fibers()) + ','
                + QByteArray::number(summary->Passed()) + ','
                + (summary->Banded() ? QByteArray::number(summary->Marginal()) : QByteArray()) + ','
                + decimal(yieldOf(summary->Fibers(), summary->Passed())) + ',';
            SummaryCsvWriter::AppendField(line, summary->WorstChannel());
            line += ',' + decimal(summary->MinCpk()) + ",,,,,";
        } else {
            line += ",,,,,,,,,,,,,";
            SummaryCsvWriter::AppendField(line, file.error.toUtf8());
            line += ',';
        }
        line += NativePath::HexBytes(file.path) + ",,\r\n";
    }
    const LotFigures &figures = lot.Figures();
    out += "lot,,," + QByteArray::number(figures.files) + ',' + QByteArray::number(figures.unread) + ','
        + QByteArray::number(figures.fibers) + ','
        + QByteArray::number(figures.passed) + ",," + decimal(yieldOf(figures.fibers, figures.passed)) + ",,,"
        + QByteArray::number(figures.retested) + ',' + QByteArray::number(figures.retestedPassed) + ',';
    SummaryCsvWriter::AppendField(out, figures.failingChannel);
    out += ",,," + QByteArray::number(figures.firstPassed) + ',' + decimal(yieldOf(figures.fibers, figures.firstPassed))
        + "\r\n";
    return out + errors;
}

QByteArray TrendWriter::text(const LotModel &lot, bool banded, bool colour, const LotControl::Result *control)
{
    const auto verdict = [colour](bool passed) {
        const QString word = passed ? QStringLiteral("PASS") : QStringLiteral("FAIL");
        return colour ? QStringLiteral("\033[%1m%2\033[0m").arg(passed ? 32 : 31).arg(word) : word;
    };
    QString out = tr("First row            Verdict  Passed/fibers   Yield") + (banded ? tr("  Marginal") : QString())
        + tr("  Worst  Least Cpk  File") + QLatin1Char('\n');
    QString unread;
    for (int row = 0; row < lot.FileCount(); ++row) {
        const LotFile &file = lot.FileAt(row);
        const QString path = TerminalText::Escaped(NativePath::Escaped(file.path));
        if (!file.summary) {
            unread += TerminalText::Escaped(file.error) + QLatin1Char('\n');
            continue;
        }
        const FileSummary &summary = *file.summary;
        const QString time = QString::fromLatin1(RowTime::Iso(summary.FirstTime()).replace('T', ' '));
        const std::optional<double> cpk = summary.MinCpk();
        out += (time.isEmpty() ? QStringLiteral("-") : time).leftJustified(19) + QLatin1String("  ")
            + verdict(summary.FilePassed()) + QLatin1String("   ")
            + QStringLiteral("%1/%2").arg(summary.Passed()).arg(summary.Fibers()).rightJustified(13)
            + QLatin1String("  ") + percent(summary.Fibers(), summary.Passed()).rightJustified(6)
            + (banded ? QLatin1String("  ") + QString::number(summary.Marginal()).rightJustified(8) : QString())
            + QLatin1String("  ")
            + TerminalText::Escaped(QString::fromUtf8(summary.WorstChannel())).leftJustified(5)
            + QLatin1String("  ") + (cpk ? QString::number(*cpk, 'f', 2) : QStringLiteral("-")).rightJustified(9)
            + QLatin1String("  ") + path + QLatin1Char('\n');
    }
    const LotFigures &figures = lot.Figures();
    out += tr("lot: %1 of %2 fibers passed (%3), each counted once; %4 retested, %5 of them passed in the end")
               .arg(figures.passed)
               .arg(figures.fibers)
               .arg(percent(figures.fibers, figures.passed))
               .arg(figures.retested)
               .arg(figures.retestedPassed);
    out += QLatin1String("; ") + (figures.files == 1 ? tr("1 file") : tr("%1 files").arg(figures.files));
    if (figures.unread > 0)
        out += QLatin1String(", ") + tr("%1 could not be read").arg(figures.unread);
    if (!figures.failingChannel.isEmpty())
        out += QLatin1String("; ") + tr("fails most at channel %1 (%2 fibers)")
                                         .arg(TerminalText::Escaped(QString::fromUtf8(figures.failingChannel)))
                                         .arg(figures.failingChannelFibers);
    out += QLatin1String("; ") + tr("%1 passed the first time").arg(percent(figures.fibers, figures.firstPassed));
    out += QLatin1Char('\n');
    if (control)
        out += ControlWriter::Text(lot, *control);
    out += unread;
    return out.toUtf8();
}
