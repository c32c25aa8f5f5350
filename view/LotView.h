#pragma once

#include <QPointer>
#include <QWidget>

class AlarmList;
class FileDialogs;

class DocumentManager;
class LotDocument;
class LotTableModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QSpinBox;
class QTableView;
class TrendView;

// A lot's tab: the lot's figures, its files in a table (sortable by any
// column, with a field to find a file by name), the trend over its files
// in time order for a channel chosen, across time or the files, with the
// control charts' limits, and the alarms raised, newest first (of the
// yield and the channel chosen, or of every channel); the table,
// the trend and the alarms select the same file. A double-click or Enter
// on a file opens it in a tab of its own through the manager. The
// baseline and the changes marked go to the lot's plan, which the lot
// keeps. It shows the lot it is given and reads nothing.
class LotView : public QWidget
{
    Q_OBJECT
public:
    explicit LotView(DocumentManager &manager, QWidget *parent = nullptr);

    // The lot shown; null for none.
    void SetLot(LotDocument *lot);
    LotDocument *Lot() const { return m_lot; }
    void OpenFind();
    // The files chosen in the table (all those listed where none is) under
    // the table's headings, split by tabs, as Copy puts them.
    QString CopiedText() const;
    // The folder chosen in the dialog, as a lot in a tab of its own.
    void OpenFolder(FileDialogs &dialogs);
    // Save Image of the trend as shown, beside the lot's folder.
    void SaveTrendImage(FileDialogs &dialogs);

signals:
    // Save Image... of the trend's menu.
    void trendSaveRequested();

private:
    void scanStarted();
    void scanProgress(qsizetype done, qsizetype count);
    void scanEnded();
    void figuresChanged();
    void fillChannels();
    void showTrend();
    void openFile(const QModelIndex &index);
    void selectFile(qsizetype row);
    void tableSelected();
    void controlChanged();
    void setBaselineFiles(int files);
    void pickBaseline(qsizetype first, qsizetype last);
    void markChange(qsizetype file);
    void clearChanges();

    DocumentManager &m_manager;
    QPointer<LotDocument> m_lot;
    LotTableModel *m_table;
    QLabel *m_figures;
    QCheckBox *m_subfolders;
    QLineEdit *m_find;
    QComboBox *m_channel;
    QProgressBar *m_progress;
    QTableView *m_view;
    TrendView *m_trend;
    QComboBox *m_across;
    QComboBox *m_yield;
    QSpinBox *m_baseline;
    AlarmList *m_alarms;
};
