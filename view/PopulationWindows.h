#pragma once

#include "data/Limits.h"

#include <QObject>

class CompareDialog;
class DistributionDialog;
class DocumentManager;
class LotDistributionsDialog;
class LotDocument;
class FileDialogs;
class QWidget;
class ResultDocument;
class SummaryDialog;

// The windows that show the population of the document's file beside the
// form: the summary and the distributions, each made when first asked for
// and kept from then on, following the document. A fiber chosen in either
// is told through fiberChosen.
class PopulationWindows : public QObject
{
    Q_OBJECT
public:
    PopulationWindows(const ResultDocument &document, QWidget *parent);

    // Export... and Save Image there ask `dialogs`.
    void ShowSummary(FileDialogs &dialogs);
    void ShowDistributions(FileDialogs &dialogs);
    // The distributions of a lot's fibers, each counted once.
    void ShowLotDistributions(FileDialogs &dialogs, const LotDocument &lot);
    LotDistributionsDialog *LotDistributions() const { return m_lotDistributions; }
    // The fiber the window shows (-1 for none), marked on the histograms.
    void SetShownFiber(qsizetype block);
    DistributionDialog *Distributions() const { return m_distributions; }
    // Compare...: the tab shown as B and the one before it as A, compared
    // at once where both are named; the paths typed last where there are
    // not two tabs.
    void ShowCompare(FileDialogs &dialogs, const DocumentManager &manager);
    CompareDialog *Compare() const { return m_compare; }

signals:
    // With the channel to mark in it, where one was chosen.
    void fiberChosen(qsizetype block, const QByteArray &channel = QByteArray());
    // The fibers of a histogram's bar, for the fiber box to list.
    void fibersListed(const QString &what, const QList<qsizetype> &blocks);
    // From the distributions' what-if (see DistributionDialog).
    void limitsTried(const Limits &limits);
    void limitsApplied(const Limits &limits);

private:
    const ResultDocument &m_document;
    QWidget *m_parent;
    SummaryDialog *m_summary = nullptr;
    DistributionDialog *m_distributions = nullptr;
    CompareDialog *m_compare = nullptr;
    LotDistributionsDialog *m_lotDistributions = nullptr;
    qsizetype m_shownFiber = -1;
};
