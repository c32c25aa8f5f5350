#include "view/PopulationWindows.h"

#include "view/DistributionDialog.h"
#include "view/SummaryDialog.h"

namespace {

void raise(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

PopulationWindows::PopulationWindows(const ResultDocument &document, QWidget *parent)
    : QObject(parent), m_document(document), m_parent(parent)
{
}

void PopulationWindows::ShowSummary(FileDialogs &dialogs)
{
    if (!m_summary) {
        m_summary = new SummaryDialog(m_document, dialogs, m_parent);
        connect(m_summary, &SummaryDialog::fiberChosen, this, &PopulationWindows::fiberChosen);
    }
    raise(m_summary);
}

void PopulationWindows::ShowDistributions(FileDialogs &dialogs)
{
    if (!m_distributions) {
        m_distributions = new DistributionDialog(m_document, dialogs, m_parent);
        connect(m_distributions, &DistributionDialog::fiberChosen, this, &PopulationWindows::fiberChosen);
        connect(m_distributions, &DistributionDialog::limitsTried, this, &PopulationWindows::limitsTried);
        connect(m_distributions, &DistributionDialog::limitsApplied, this, &PopulationWindows::limitsApplied);
    }
    raise(m_distributions);
}
