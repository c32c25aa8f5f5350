#pragma once

#include "data/Limits.h"
#include "data/YieldSweep.h"

#include <QDialog>

#include <optional>

class ChannelHistogram;
class DistributionView;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTimer;
class SweepView;
class FileDialogs;
class ResultDocument;

// The distributions of the document shown, in a window of their own that
// the chart fills: each channel's histogram against its threshold, its Cpk
// and failed fibers, and the Pareto of the failures (see DistributionView).
// It follows the document: another file, a new version, the verdicts as
// they come and the warning margin they were judged with. Enter on a
// histogram shows that channel's worst fiber in the window; Save Image
// writes the chart as PNG (at the screen's pixel ratio), SVG or PDF.
//
// What if: the marked channel's lower limit dragged on its histogram or
// typed is tried at once (the fibers passing at it, counted from each
// fiber's least power there), and the fibers are judged by it soon after
// (limitsTried), so that the window, the status bar and the fiber box all
// say what they would, under the name "what if", until Apply makes it the
// limits (limitsApplied) or Reset goes back to the limits before. "Yield
// curve" shows the marked channel's yield against its lower limit, the
// limit that gives 99 % and, from fibers measured again, the guardband.
class DistributionDialog : public QDialog
{
    Q_OBJECT
public:
    DistributionDialog(const ResultDocument &document, FileDialogs &dialogs, QWidget *parent = nullptr);

    DistributionView *View() const { return m_view; }
    // The fiber chosen in the window, its powers marked; -1 for none.
    void MarkFiber(qsizetype block);
    // Save Image: the chart as it is shown, at the size it is shown.
    void SaveImage();

    // The lower limit tried for the marked channel; none: no what-if.
    void TryLower(double lower);
    bool TryingWhatIf() const { return m_whatIfIndex >= 0; }
    QString WhatIfText() const;

signals:
    // The worst fiber of the channel shown as `channel` (Enter on a histogram).
    void fiberChosen(qsizetype block, const QByteArray &channel);
    // The fibers of a bar clicked, and what they are ("bin -32 to -30
    // dBm, 7 fibers").
    void fibersListed(const QString &what, const QList<qsizetype> &blocks);
    // The limits to judge the fibers by: a what-if's, or the ones before.
    void limitsTried(const Limits &limits);
    void limitsApplied(const Limits &limits);

private:
    void refresh(bool newFile);
    void showWorstFiber(int channel);
    void listBar(int channel, const ChannelHistogram &histogram, int bin);
    void currentChanged();
    void tryAt(int index, double lower, bool now);
    Limits whatIfLimits() const;
    void endWhatIf();
    void showWhatIf();
    void ensureSweep();
    void showCurve();

    const ResultDocument &m_document;
    FileDialogs &m_dialogs;
    DistributionView *m_view;
    QDoubleSpinBox *m_lower;
    QLabel *m_whatIfText;
    QPushButton *m_apply;
    QPushButton *m_reset;
    QTimer *m_judgeSoon;
    SweepView *m_curve;
    std::optional<YieldSweep> m_sweep; // of the file shown, made when first tried
    Limits m_before;                   // the limits before the what-if
    int m_whatIfIndex = -1;
    double m_whatIf = 0;
};
