#pragma once

#include "data/LoadedFile.h"
#include "data/MeasurementRows.h"
#include "data/ThresholdJudge.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

// The result file the window shows: its header, rows and fiber names (with
// the names the user typed), the verdicts on its fibers and what stands to
// be said of it (gone from disk, empty now, growing). One document for the
// window; DocumentManager feeds it what it reads, and every part of the
// window that shows the file (the form, the status bar, the summary, Save
// As, printing) observes it: reads it when `changed` says what changed,
// never a widget. It is the only writer of the process-wide
// MeasurementStore.
//
// While versions are held (a print job under way), a new version, or
// another file, waits with its verdicts until the last hold is released:
// the rows do not change under a report being drawn.
class ResultDocument : public QObject
{
    Q_OBJECT
public:
    enum Change {
        NewFile = 0x1,    // another file, or none: nothing of the one before is shown
        NewVersion = 0x2, // a new version of the file shown: the fiber chosen stays
        Verdicts = 0x4,   // the verdicts, or what they count, changed
        Notice = 0x8,     // what the status bar keeps saying of the file
    };
    Q_DECLARE_FLAGS(Changes, Change)

    // A fiber's verdict as the window shows it. While the file grows, its
    // last fiber with fewer rows than a fiber has is being written: counted
    // neither as passing nor failing. A marginal fiber passes, by less than
    // the warning margin (see ThresholdJudge::IsMarginal).
    enum class Mark { Unknown, Passes, Fails, BeingWritten, Marginal };

    // What the manager hands over of a read.
    struct Version
    {
        QString path;
        QString name; // the tab's label
        LoadedFile file;
        bool sameFile = false; // read again, not opened or chosen anew
        bool growing = false;
    };

    explicit ResultDocument(QObject *parent = nullptr);
    ~ResultDocument() override;

    bool HasFile() const { return m_hasFile; }
    const QString &Path() const { return m_path; }
    const QString &Name() const { return m_name; }
    const QByteArray &Header() const { return m_file.header; }
    const MeasurementRows &Rows() const { return m_file.rows; }
    // The rows the verdicts awaited are of: those shown, or those of a
    // version that waits behind a hold.
    const MeasurementRows &RowsToJudge() const { return m_pending ? m_pending->file.rows : m_file.rows; }
    qsizetype FiberCount() const { return m_file.names.size(); }
    // The rows of fiber `block`: 18, or fewer in a short last block.
    qsizetype FiberRows(qsizetype block) const;

    // A fiber's name: its exact bytes, as read or as the user renamed it,
    // and the same decoded to show; empty outside the file.
    QByteArray FiberName(qsizetype block) const;
    QString ShownName(qsizetype block) const;
    // Every fiber's name by fiber, as FiberName and ShownName give them.
    const QList<QByteArray> &FiberNames() const { return m_file.names; }
    const QStringList &ShownNames() const { return m_file.shownNames; }
    // The fibers in the fiber box's order (see LoadedFile::BoxOrder).
    const QList<qsizetype> &BoxOrder() const { return m_file.boxOrder; }
    // The first fiber named `name` in the box's order; -1 for none.
    qsizetype FiberNamed(const QByteArray &name) const;
    void RenameFiber(qsizetype block, const QByteArray &name);

    bool VerdictsKnown() const { return m_verdictsKnown; }
    Mark MarkOf(qsizetype block) const;
    // The verdict on a fiber that passes or fails; null for any other.
    const LoadedFile::Verdict *VerdictOf(qsizetype block) const;
    // The channel fields of a failing fiber's failed rows, as shown, and
    // of its worst channel.
    QStringList FailedChannels(qsizetype block) const;
    QString WorstChannel(qsizetype block) const;
    // The fibers judged and those that pass, a fiber being written left out;
    // of those that pass, the marginal ones.
    qsizetype JudgedFibers() const;
    qsizetype PassedFibers() const;
    qsizetype MarginalFibers() const { return m_marginal; }
    // The share of the fibers judged that pass, as the status bar says it:
    // "39 of 48 fibers pass (81.2 %)", rounded down, so that only a file
    // where every fiber passes shows 100 %, and with a warning margin
    // ", 5 marginal"; empty while no verdicts are known.
    QString YieldText() const;
    // The figures of each channel, by the judge the verdicts come from.
    const QList<ThresholdJudge::ChannelFigures> &ChannelFigures() const;
    // That judge: its counts, figures and Pareto, and the warning margin it
    // judged with, which a moment after a change of it may not yet be
    // WarnMargin().
    const ThresholdJudge &Judge() const { return m_verdicts.judge; }
    // Every verdict with that judge, as the window shows them: what Print
    // and Export take, so that nothing is judged again for them.
    const LoadedFile::Verdicts &AllVerdicts() const { return m_verdicts; }

    // The marginal band: off (none), or the margin in dB below which a
    // fiber that passes is marginal. A change marks the fibers anew at
    // once, by the verdicts already known; the figures of the channels come
    // with verdicts judged anew with it (AwaitVerdicts).
    std::optional<double> WarnMargin() const { return m_warnMargin; }
    void SetWarnMargin(std::optional<double> warnMargin);
    // The user's limits the fibers are judged by; none for the rows' own
    // thresholds.
    const Limits &LimitsInUse() const { return m_limits; }
    void SetLimits(const Limits &limits);
    // The user's limit of the channel of row `row` (nothing set where none).
    ChannelLimit LimitAt(qsizetype row) const;
    JudgeInputs Inputs() const { return {m_warnMargin, m_limits}; }
    bool Banded() const { return m_warnMargin || m_limits.AnyWarn(); }
    // Each row of fiber `block`, judged against its threshold.
    QList<ThresholdJudge::Channel> Channels(qsizetype block) const;

    bool Growing() const { return m_growing; }
    // What the status bar keeps saying of the file; empty for nothing.
    QString NoticeText() const;

    void HoldVersions();
    void ReleaseVersions();

    // What the manager tells the document.
    void Show(Version version);
    // The verdicts on the version shown last; those of a version that is
    // not shown (one that came empty) are let go.
    void ShowVerdicts(const LoadedFile::Verdicts &verdicts);
    // The rows to judge (RowsToJudge) are being judged anew: their
    // verdicts, when they come, replace those shown.
    void AwaitVerdicts();
    void Clear();
    // The file at `path` is no longer on disk. The file shown stays shown
    // if it is that one; otherwise nothing is shown but its name.
    void ShowGone(const QString &path, const QString &name);
    // The file shown could not be read again.
    void ShowUnreadable(const QString &error);
    // The file shown has been left alone long enough to count as written.
    void StopGrowing();

signals:
    void changed(ResultDocument::Changes what);
    void fiberRenamed(qsizetype block);

private:
    enum class Standing { Fine, Gone, Empty, Unreadable };

    void apply(Version version);
    void applyVerdicts(const LoadedFile::Verdicts &verdicts);
    bool beingWritten(qsizetype block) const;
    bool marginal(qsizetype block) const;
    void countMarginal();

    bool m_hasFile = false;
    QString m_path;
    QString m_name;
    LoadedFile m_file;
    bool m_verdictsKnown = false;
    bool m_verdictsAwaited = false; // for the version shown, not yet come
    LoadedFile::Verdicts m_verdicts;
    std::optional<double> m_warnMargin;
    Limits m_limits;
    qsizetype m_marginal = 0; // fibers marked marginal
    bool m_growing = false;
    Standing m_standing = Standing::Fine;
    QString m_error;

    int m_holds = 0;
    std::optional<Version> m_pending;
    std::optional<LoadedFile::Verdicts> m_pendingVerdicts;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ResultDocument::Changes)
