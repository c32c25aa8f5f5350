#pragma once

#include "data/LoadedFile.h"

#include <QDialog>
#include <QStringList>

class ChannelFiguresModel;
class FailingFibersModel;
class QLabel;
class QTableView;

// The summary of the file shown: its figures per channel (count, failed
// rows, the least, the greatest and the mean power and their standard
// deviation) and its failing fibers with why, where and by how much, in
// the very numbers --summary writes. A double click on a failing fiber
// shows it in the window; Copy puts the selected rows on the clipboard as
// tab-separated text under a heading line.
class SummaryDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SummaryDialog(QWidget *parent = nullptr);

    // The file's rows, the verdicts on its fibers and the names the fiber
    // box gives them (by block).
    void SetFile(const LoadedFile::Verdicts &verdicts, const MeasurementRows &rows,
                 const QStringList &names);

signals:
    void fiberChosen(qsizetype block);

private slots:
    void copyRows();

private:
    QTableView *m_channels;
    QTableView *m_failing;
    QLabel *m_failingTitle;
    ChannelFiguresModel *m_channelModel;
    FailingFibersModel *m_failingModel;
    QTableView *m_lastFocused;
};
