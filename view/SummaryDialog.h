#pragma once

#include <QDialog>
#include <QStringList>

class ChannelFiguresModel;
class FailingFibersModel;
class FileDialogs;
class QLabel;
class QTableView;
class ResultDocument;

// The summary of the document shown: its figures per channel (count,
// failed rows, the least, the greatest and the mean power and their
// standard deviation) and its failing fibers with why, which channels
// failed, where it is worst and by how much, in the very numbers --summary
// writes. It follows the document: another file, a new version, the
// verdicts as they come and the names as they are typed. A double click on
// a failing fiber shows it in the window; Copy puts the selected rows on
// the clipboard as tab-separated text under a heading line; Export...
// writes what `--summary` writes of the file shown, as CSV, or as JSON
// (JSON Lines) for a name ending in ".json" (".jsonl"), through the same
// writer.
class SummaryDialog : public QDialog
{
    Q_OBJECT
public:
    // `dialogs` ask for the name Export writes to.
    SummaryDialog(const ResultDocument &document, FileDialogs &dialogs, QWidget *parent = nullptr);

signals:
    void fiberChosen(qsizetype block);

private slots:
    void copyRows();
    void exportSummary();

private:
    void refresh();

    const ResultDocument &m_document;
    FileDialogs &m_dialogs;
    QTableView *m_channels;
    QTableView *m_failing;
    QLabel *m_failingTitle;
    ChannelFiguresModel *m_channelModel;
    FailingFibersModel *m_failingModel;
    QTableView *m_lastFocused;
};
