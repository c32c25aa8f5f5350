#pragma once

#include <QDialog>

class DistributionView;
class FileDialogs;
class ResultDocument;

// The distributions of the document shown, in a window of their own that
// the chart fills: each channel's histogram against its threshold, its Cpk
// and failed fibers, and the Pareto of the failures (see DistributionView).
// It follows the document: another file, a new version, the verdicts as
// they come and the warning margin they were judged with. Enter on a
// histogram shows that channel's worst fiber in the window; Save Image
// writes the chart as PNG (at the screen's pixel ratio), SVG or PDF.
class DistributionDialog : public QDialog
{
    Q_OBJECT
public:
    DistributionDialog(const ResultDocument &document, FileDialogs &dialogs, QWidget *parent = nullptr);

    DistributionView *View() const { return m_view; }
    // Save Image: the chart as it is shown, at the size it is shown.
    void SaveImage();

signals:
    void fiberChosen(qsizetype block);

private:
    void refresh(bool newFile);
    void showWorstFiber(int channel);

    const ResultDocument &m_document;
    FileDialogs &m_dialogs;
    DistributionView *m_view;
};
