#include "output/SummaryTextWriter.h"

#include "data/NativePath.h"
#include "output/TerminalText.h"
#include "output/Wording.h"

#include <algorithm>

namespace {

// The widest a fiber name's field can show: eight bytes, eight cells.
constexpr qsizetype kNameWidth = 8;

// What a channel without a margin has instead, in place of its margin.
constexpr ThresholdJudge::Failures kUnmeasured = ThresholdJudge::Low | ThresholdJudge::NoNumber;

bool isPlain(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return quint8(c) >= 0x20 && quint8(c) < 0x7f; });
}

// Appends a field as the terminal shows it; returns the cells it takes.
// Plain ASCII, nearly every field, goes as it is.
qsizetype appendField(QByteArray &out, QByteArrayView field)
{
    const QByteArrayView trimmed = field.trimmed();
    if (isPlain(trimmed)) {
        out += trimmed;
        return trimmed.size();
    }
    const QString shown = TerminalText::Escaped(SummaryWriter::FieldText(field));
    out += shown.toUtf8();
    return TerminalText::Width(shown);
}

// The words of a failing fiber's line, made once per file rather than
// once per line.
struct Words
{
    QByteArray at = ' ' + SummaryWriter::tr("at").toUtf8();
    QByteArray noNumber = "; " + SummaryWriter::tr("no channel has a number").toUtf8();
    QByteArray worst = "; " + SummaryWriter::tr("worst channel").toUtf8() + ' ';
    QByteArray power = ": " + SummaryWriter::tr("power").toUtf8() + ' ';
    QByteArray threshold = ", " + SummaryWriter::tr("threshold").toUtf8() + ' ';
    QByteArray lowerLimit = ", " + SummaryWriter::tr("lower limit").toUtf8() + ' ';
    QByteArray upperLimit = ", " + SummaryWriter::tr("upper limit").toUtf8() + ' ';
    QByteArray margin = ", " + SummaryWriter::tr("margin").toUtf8() + ' ';
    QByteArray marginal = SummaryWriter::tr("PASS (marginal)").toUtf8();
};

class TextReport : public SummaryWriter::FileReport
{
public:
    TextReport(const QString &path, SummaryWriter::Sink out)
        : FileReport(std::move(out)), m_heading(TerminalText::Escaped(NativePath::Escaped(path)).toUtf8() + '\n')
    {
    }

    void AddFiber(const ThresholdJudge::Fiber &fiber) override
    {
        const bool marginal = fiber.marginal.value_or(false);
        if (fiber.passed() && !marginal)
            return;
        head();
        m_buffer += "  ";
        const qsizetype cells = appendField(m_buffer, fiber.name);
        m_buffer.append(qMax<qsizetype>(kNameWidth - cells, 0) + 2, ' ');
        if (marginal)
            m_buffer += m_words.marginal;
        else
            describeFailures(fiber);
        describeWorst(fiber);
        m_buffer += '\n';
        Flush();
    }

    void End(const ThresholdJudge &judge) override
    {
        if (judge.FiberCount() == 0) {
            head();
            m_buffer += "  " + SummaryWriter::tr("no rows").toUtf8() + '\n';
        }
        Flush(true);
    }

    void Abandon(const QString &message) override
    {
        if (m_headed)
            m_buffer += "  " + TerminalText::Escaped(message).toUtf8() + '\n';
        Flush(true);
    }

private:
    void head()
    {
        if (!m_headed)
            m_buffer += m_heading;
        m_headed = true;
    }

    void describeFailures(const ThresholdJudge::Fiber &fiber)
    {
        ThresholdJudge::Failures others = fiber.failures;
        others.setFlag(ThresholdJudge::Incomplete, false);
        if (fiber.failures.testFlag(ThresholdJudge::Incomplete)) {
            m_buffer += fiber.rows == 1 ? SummaryWriter::tr("incomplete (1 row)").toUtf8()
                                        : SummaryWriter::tr("incomplete (%1 rows)").arg(fiber.rows).toUtf8();
            if (others)
                m_buffer += ", ";
        }
        if (others) {
            m_buffer += Wording::ReasonsUtf8(others);
            m_buffer += m_words.at;
            for (const QByteArrayView channel : fiber.failedChannels) {
                m_buffer += ' ';
                appendField(m_buffer, channel);
            }
        }
    }

    void describeWorst(const ThresholdJudge::Fiber &fiber)
    {
        if (fiber.worstRow < 0) {
            m_buffer += m_words.noNumber;
            return;
        }
        m_buffer += m_words.worst;
        appendField(m_buffer, fiber.worstChannel);
        m_buffer += m_words.power;
        appendField(m_buffer, fiber.worstPower);
        if (fiber.worstLimit) {
            m_buffer += fiber.worstUpper ? m_words.upperLimit : m_words.lowerLimit;
            SummaryWriter::AppendPlaces(m_buffer, *fiber.worstLimit, 2);
        } else {
            m_buffer += m_words.threshold;
            appendField(m_buffer, fiber.worstThreshold);
        }
        m_buffer += m_words.margin;
        if (fiber.worstMargin)
            SummaryTextWriter::AppendMargin(m_buffer, *fiber.worstMargin);
        else
            m_buffer += Wording::ReasonsUtf8(fiber.worstFailures & kUnmeasured);
    }

    const Words m_words;
    QByteArray m_heading;
    bool m_headed = false;
};

} // namespace

std::unique_ptr<SummaryWriter::FileReport> SummaryTextWriter::ReportFile(const QString &path,
                                                                       Sink out) const
{
    return std::make_unique<TextReport>(path, std::move(out));
}

void SummaryTextWriter::AppendMargin(QByteArray &out, double margin)
{
    QByteArray number;
    if (!AppendPlaces(number, margin, 2)) {
        out += tr("too large to hold as a number").toUtf8();
        return;
    }
    // A margin below 0 fails, so it keeps its sign however small it is;
    // one above 0 gets its "+" only where it shows a digit.
    if (margin > 0 && number != "0.00")
        out += '+';
    else if (margin < 0 && !number.startsWith('-'))
        out += '-';
    out += number;
    out += " dB";
}

// PASS, PASS (marginal) or FAIL, padded to `width` cells.
QString SummaryTextWriter::verdict(bool passed, bool marginal, qsizetype width) const
{
    QString word = passed ? QStringLiteral("PASS") : QStringLiteral("FAIL");
    if (m_colour)
        word = QStringLiteral("\033[%1m%2\033[0m").arg(passed ? 32 : 31).arg(word);
    qsizetype cells = 4;
    if (passed && marginal) {
        const QString note = QLatin1Char(' ') + tr("(marginal)");
        word += m_colour ? QStringLiteral("\033[33m%1\033[0m").arg(note) : note;
        cells += TerminalText::Width(note);
    }
    return word + QString(qMax<qsizetype>(width - cells, 0), QLatin1Char(' '));
}

QString SummaryTextWriter::fibersText(qsizetype fibers, qsizetype failed)
{
    return QStringLiteral("%1/%2").arg(fibers - failed).arg(fibers);
}

QString SummaryTextWriter::yieldText(qsizetype fibers, qsizetype failed)
{
    return Wording::YieldPercent(fibers, failed, true);
}

// Why the files together fail where none of them does.
QString SummaryTextWriter::failingPathsText(const Run &run)
{
    if (run.totals.failedFiles > 0 || run.errors.isEmpty())
        return QString();
    return run.errors.size() == 1 ? tr("1 path could not be read")
                                  : tr("%1 paths could not be read").arg(run.errors.size());
}

QString SummaryTextWriter::unreadText(const Run &run)
{
    qsizetype given = 0;
    qsizetype found = 0;
    for (const PathError &error : run.errors)
        ++(error.found ? found : given);
    QStringList lines;
    if (given > 0) {
        lines.append(run.pathsGiven == 1
                         ? tr("the path given could not be read")
                         : tr("%1 of the %2 paths given could not be read").arg(given).arg(run.pathsGiven));
    }
    if (found > 0) {
        lines.append(found == 1 ? tr("1 of the %1 paths found in the folders given could not be read")
                                      .arg(run.pathsFound)
                                : tr("%1 of the %2 paths found in the folders given could not be read")
                                      .arg(found)
                                      .arg(run.pathsFound));
    }
    return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void SummaryTextWriter::Finish(const Run &run, const Sink &out) const
{
    const Totals &totals = run.totals;
    const QString allFiles =
        totals.files == 1 ? tr("all of 1 file") : tr("all %1 files").arg(totals.files);
    QStringList paths;
    qsizetype pathWidth = TerminalText::Width(allFiles);
    for (const FileResult &file : run.files) {
        paths.append(TerminalText::Escaped(NativePath::Escaped(file.path)));
        pathWidth = qMax(pathWidth, TerminalText::Width(paths.last()));
    }
    const qsizetype fibersWidth = fibersText(totals.fibers, totals.failedFibers).size();
    const bool banded = run.banded;
    const qsizetype verdictWidth = banded ? 5 + TerminalText::Width(tr("(marginal)")) : 4;
    const int marginalWidth = int(QString::number(totals.marginalFibers).size());

    // A blank line between the failing fibers, above, and the table.
    QString text = run.filesWrote ? QString(QLatin1Char('\n')) : QString();
    const auto line = [&](const QString &label, bool passed, qsizetype fibers, qsizetype failed,
                          qsizetype marginal, const QString &why = QString()) {
        text += TerminalText::Padded(label, pathWidth) + QLatin1String("  ")
            + verdict(passed, marginal > 0, verdictWidth) + QLatin1String("  ")
            + fibersText(fibers, failed).rightJustified(fibersWidth) + QLatin1Char(' ')
            + (fibers == 1 ? tr("fiber") : tr("fibers")).leftJustified(6) + QLatin1String("  ")
            + yieldText(fibers, failed).rightJustified(6);
        if (banded)
            text += QLatin1String("  ") + tr("%1 marginal").arg(marginal, marginalWidth);
        text += why.isEmpty() ? QStringLiteral("\n") : QLatin1String("  (") + why + QLatin1String(")\n");
    };
    for (qsizetype i = 0; i < run.files.size(); ++i) {
        const FileResult &file = run.files.at(i);
        line(paths.at(i), file.passed, file.fibers, file.failed, file.marginal);
    }
    line(allFiles, Passed(run), totals.fibers, totals.failedFibers, totals.marginalFibers,
         failingPathsText(run));
    text += unreadText(run);
    out(text.toUtf8());
}
