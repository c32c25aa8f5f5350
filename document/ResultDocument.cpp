#include "document/ResultDocument.h"

#include "data/ChannelTable.h"
#include "data/CodePage936.h"
#include "data/MeasurementStore.h"
#include "output/SummaryWriter.h"
#include "output/Wording.h"

#include <QLocale>

#include <utility>

ResultDocument::ResultDocument(QObject *parent) : QObject(parent)
{
}

ResultDocument::~ResultDocument() = default;

qsizetype ResultDocument::FiberRows(qsizetype block) const
{
    if (block < 0 || block >= FiberCount())
        return 0;
    return qMin<qsizetype>(ChannelTable::FiberSize, Rows().Count() - block * ChannelTable::FiberSize);
}

QByteArray ResultDocument::FiberName(qsizetype block) const
{
    return m_file.names.value(block);
}

QString ResultDocument::ShownName(qsizetype block) const
{
    return m_file.shownNames.value(block);
}

qsizetype ResultDocument::FiberNamed(const QByteArray &name) const
{
    for (const qsizetype block : m_file.boxOrder) {
        if (m_file.names.at(block) == name)
            return block;
    }
    return -1;
}

// The name stays at its place in the box: a rename does not sort.
void ResultDocument::RenameFiber(qsizetype block, const QByteArray &name)
{
    if (block < 0 || block >= FiberCount() || m_file.names.at(block) == name)
        return;
    m_file.names[block] = name;
    m_file.shownNames[block] = CodePage936::Decode(name);
    emit fiberRenamed(block);
}

bool ResultDocument::beingWritten(qsizetype block) const
{
    return m_growing && block == FiberCount() - 1 && FiberRows(block) < ChannelTable::FiberSize;
}

ResultDocument::Mark ResultDocument::MarkOf(qsizetype block) const
{
    if (block < 0 || block >= FiberCount())
        return Mark::Unknown;
    if (beingWritten(block))
        return Mark::BeingWritten;
    if (!m_verdictsKnown || block >= m_verdicts.byBlock.size())
        return Mark::Unknown;
    if (!m_verdicts.byBlock.at(block).passed())
        return Mark::Fails;
    return marginal(block) ? Mark::Marginal : Mark::Passes;
}

bool ResultDocument::marginal(qsizetype block) const
{
    const LoadedFile::Verdict &verdict = m_verdicts.byBlock.at(block);
    // A channel's own band is known to the judge alone; the warning margin
    // alone is told at once, before the fibers are judged again.
    if (m_limits.AnyWarn())
        return verdict.marginal.value_or(false);
    return m_warnMargin && ThresholdJudge::IsMarginal(verdict.passed(), verdict.worstMargin, *m_warnMargin);
}

// A fiber being written is never marginal: it fails for want of rows.
void ResultDocument::countMarginal()
{
    m_marginal = 0;
    if (!m_verdictsKnown || !Banded())
        return;
    for (qsizetype block = 0; block < m_verdicts.byBlock.size(); ++block)
        m_marginal += marginal(block) ? 1 : 0;
}

ChannelLimit ResultDocument::LimitAt(qsizetype row) const
{
    if (!m_limits.SetsAny() || row < 0 || row >= Rows().Count())
        return {};
    const ChannelLimit *limit =
        m_limits.Of(ThresholdJudge::ShownText(Rows().At(row).text(MeasurementRow::Channel)));
    return limit ? *limit : ChannelLimit();
}

void ResultDocument::SetLimits(const Limits &limits)
{
    if (limits == m_limits)
        return;
    m_limits = limits;
    countMarginal();
    emit changed(Verdicts);
}

void ResultDocument::SetWarnMargin(std::optional<double> warnMargin)
{
    if (warnMargin == m_warnMargin)
        return;
    m_warnMargin = warnMargin;
    countMarginal();
    emit changed(Verdicts);
}

void ResultDocument::AwaitVerdicts()
{
    m_verdictsAwaited = m_hasFile;
}

const LoadedFile::Verdict *ResultDocument::VerdictOf(qsizetype block) const
{
    const Mark mark = MarkOf(block);
    return mark == Mark::Passes || mark == Mark::Fails || mark == Mark::Marginal ? &m_verdicts.byBlock.at(block)
                                                                                   : nullptr;
}

QStringList ResultDocument::FailedChannels(qsizetype block) const
{
    QStringList channels;
    const LoadedFile::Verdict *verdict = VerdictOf(block);
    if (!verdict)
        return channels;
    const qsizetype first = block * ChannelTable::FiberSize;
    for (qsizetype i = 0; i < FiberRows(block); ++i) {
        if (verdict->failedRows & (quint32(1) << i))
            channels.append(SummaryWriter::FieldText(Rows().At(first + i).text(MeasurementRow::Channel)));
    }
    return channels;
}

QString ResultDocument::WorstChannel(qsizetype block) const
{
    const LoadedFile::Verdict *verdict = VerdictOf(block);
    if (!verdict || verdict->worstRow < 0)
        return QString();
    return SummaryWriter::FieldText(
        Rows().At(block * ChannelTable::FiberSize + verdict->worstRow).text(MeasurementRow::Channel));
}

// A fiber being written has fewer rows than a fiber has, so the judge
// counted it among the failing ones.
qsizetype ResultDocument::JudgedFibers() const
{
    if (!m_verdictsKnown)
        return 0;
    return m_verdicts.judge.FiberCount() - (beingWritten(FiberCount() - 1) ? 1 : 0);
}

qsizetype ResultDocument::PassedFibers() const
{
    return m_verdictsKnown ? m_verdicts.judge.FiberCount() - m_verdicts.judge.FailedCount() : 0;
}

QString ResultDocument::YieldText() const
{
    if (!m_hasFile || !m_verdictsKnown)
        return QString();
    const qsizetype fibers = JudgedFibers();
    const qsizetype passed = PassedFibers();
    if (fibers == 0)
        return tr("No fibers to judge");
    return Wording::YieldLine(fibers, fibers - passed,
                              Banded() ? std::optional<qsizetype>(m_marginal) : std::nullopt);
}

const QList<ThresholdJudge::ChannelFigures> &ResultDocument::ChannelFigures() const
{
    return m_verdicts.judge.Channels();
}

QList<ThresholdJudge::Channel> ResultDocument::Channels(qsizetype block) const
{
    QList<ThresholdJudge::Channel> channels;
    const qsizetype first = block * ChannelTable::FiberSize;
    for (qsizetype i = 0; i < FiberRows(block); ++i)
        channels.append(ThresholdJudge::JudgeChannel(Rows().At(first + i), m_limits));
    return channels;
}

QString ResultDocument::NoticeText() const
{
    switch (m_standing) {
    case Standing::Gone:
        return m_hasFile ? tr("%1 is no longer on disk; the window shows it as it was read.").arg(m_name)
                         : tr("%1 is no longer on disk.").arg(m_name);
    case Standing::Empty:
        return tr("%1 is empty now; the window shows it as it was read").arg(m_name);
    case Standing::Unreadable:
        return tr("%1 The window shows the file as it was read before.").arg(m_error);
    case Standing::Fine:
        break;
    }
    if (m_verdictsKnown && m_verdicts.misaligned.Found() && !m_growing)
        return tr("%1: %2").arg(m_name, m_verdicts.misaligned.Text());
    if (!m_growing)
        return QString();
    const qsizetype written = FiberCount() - (beingWritten(FiberCount() - 1) ? 1 : 0);
    return tr("%1 is growing: %2 fibers so far")
        .arg(m_name, QLocale(QLocale::English, QLocale::UnitedStates).toString(qlonglong(written)));
}

void ResultDocument::HoldVersions()
{
    ++m_holds;
}

void ResultDocument::ReleaseVersions()
{
    if (m_holds == 0 || --m_holds > 0 || !m_pending)
        return;
    Version version = std::move(*m_pending);
    m_pending.reset();
    apply(std::move(version));
    if (m_pendingVerdicts) {
        const LoadedFile::Verdicts verdicts = std::move(*m_pendingVerdicts);
        m_pendingVerdicts.reset();
        applyVerdicts(verdicts);
    }
}

void ResultDocument::Show(Version version)
{
    if (m_holds > 0) {
        // A version that waits for another one replaces it: it is newer.
        if (m_pending && !m_pending->sameFile)
            version.sameFile = false;
        m_pending = std::move(version);
        m_pendingVerdicts.reset();
        return;
    }
    apply(std::move(version));
}

void ResultDocument::apply(Version version)
{
    // A file that became empty is shown as it was read until rows come
    // back; the fiber chosen in it stays.
    if (version.sameFile && m_hasFile && version.file.rows.IsEmpty() && !Rows().IsEmpty()) {
        const bool wasGrowing = std::exchange(m_growing, false);
        m_verdictsAwaited = false;
        m_standing = Standing::Empty;
        emit changed(wasGrowing ? Notice | Verdicts : Changes(Notice));
        return;
    }
    const bool sameFile = version.sameFile && m_hasFile;
    // The version shown before goes first, so that the rows are never held
    // more than twice: the old ones and the new ones being handed over.
    m_file = LoadedFile();
    MeasurementStore::Instance().Clear();
    m_verdicts = LoadedFile::Verdicts();
    m_verdictsKnown = false;
    m_marginal = 0;
    m_verdictsAwaited = true;
    m_file = std::move(version.file);
    MeasurementStore::Instance().Rows() = m_file.rows;
    m_hasFile = true;
    m_path = version.path;
    m_name = version.name;
    m_growing = version.growing;
    m_standing = Standing::Fine;
    m_error.clear();
    emit changed((sameFile ? NewVersion : NewFile) | Verdicts | Notice);
}

void ResultDocument::ShowVerdicts(const LoadedFile::Verdicts &verdicts)
{
    if (m_pending) {
        m_pendingVerdicts = verdicts;
        return;
    }
    applyVerdicts(verdicts);
}

void ResultDocument::applyVerdicts(const LoadedFile::Verdicts &verdicts)
{
    if (!m_hasFile || !std::exchange(m_verdictsAwaited, false))
        return;
    const bool told = m_verdicts.misaligned.Found() || verdicts.misaligned.Found();
    m_verdicts = verdicts;
    m_verdictsKnown = true;
    countMarginal();
    emit changed(told ? Changes(Verdicts | Notice) : Changes(Verdicts));
}

void ResultDocument::Clear()
{
    m_pending.reset();
    m_pendingVerdicts.reset();
    const bool had = m_hasFile || !m_name.isEmpty();
    m_hasFile = false;
    m_path.clear();
    m_name.clear();
    m_file = LoadedFile();
    MeasurementStore::Instance().Clear();
    m_verdicts = LoadedFile::Verdicts();
    m_verdictsKnown = false;
    m_marginal = 0;
    m_verdictsAwaited = false;
    m_growing = false;
    m_standing = Standing::Fine;
    m_error.clear();
    if (had)
        emit changed(NewFile | Verdicts | Notice);
}

void ResultDocument::ShowGone(const QString &path, const QString &name)
{
    if (!m_hasFile || path != m_path) {
        Clear();
        m_path = path;
        m_name = name;
    }
    const bool wasGrowing = std::exchange(m_growing, false);
    m_standing = Standing::Gone;
    m_error.clear();
    emit changed(wasGrowing ? Notice | Verdicts : Changes(Notice));
}

void ResultDocument::ShowUnreadable(const QString &error)
{
    m_standing = Standing::Unreadable;
    m_error = error;
    emit changed(Notice);
}

void ResultDocument::StopGrowing()
{
    if (!std::exchange(m_growing, false))
        return;
    emit changed(Verdicts | Notice);
}
