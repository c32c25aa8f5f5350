#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class DocumentManager;
class QLabel;
class QProgressBar;
class QStatusBar;

// The status bar's panes: the message pane, which says "Ok" when idle, a
// command's prompt while it is under the pointer and how far a read is;
// the notice of the file shown (gone from disk, empty now, growing, not
// read again), and in the message pane what a lot has to say; the yield while the verdicts are shown; a read's progress;
// and the CAPS, NUM and SCRL panes, which show their names while their
// lock is on.
class StatusPanes : public QObject
{
    Q_OBJECT
public:
    explicit StatusPanes(QStatusBar *bar);

    // Follows the reads of `manager` and what its document says.
    void Observe(DocumentManager &manager);
    void SetYieldShown(bool shown);

    // A command's prompt; empty for the idle message.
    void ShowPrompt(const QString &prompt);
    // `text` and a bar at `percent`; a percent below 0 ends it.
    void ShowProgress(const QString &text, int percent);
    void ShowNotice(const QString &text);
    void ShowYield(const QString &text);
    // The lock keys as the window system shows them.
    void UpdateLockKeys();

private:
    void documentChanged();

    QStatusBar *m_bar;
    DocumentManager *m_manager = nullptr;
    QHash<int, QLabel *> m_indicators;
    QProgressBar *m_progress;
    QLabel *m_yield;
    QLabel *m_limits;
    QLabel *m_notice;
    bool m_yieldShown = false;
};
