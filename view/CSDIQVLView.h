#pragma once

#include "data/LoadedFile.h"
#include "data/MeasurementRow.h"
#include "output/ChannelChart.h"
#include "output/CsvExport.h"
#include "output/PrintReport.h"
#include "view/ChannelList.h"
#include "view/FormGeometry.h"
#include "view/TabFiles.h"

#include <QByteArray>
#include <QRect>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <climits>
#include <optional>

class FiberComboBox;
class SummaryDialog;
class FileDialogs;
class PrintDialogs;

// The form: the strip with one tab per opened file, the fiber box and the
// channel list, laid out at 1.5 pixels per unit of the form's design. It
// shows one file at a time, the one read last, always read again from disk.
class CSDIQVLView : public QWidget
{
    Q_OBJECT
public:
    explicit CSDIQVLView(QWidget *parent = nullptr);
    ~CSDIQVLView() override;

    // The one-time set-up: takes the screen's scale factors, sizes the form
    // to hold the chart, sets up the list's columns and fits the frame to
    // the form. Safe to run again.
    void OnInitialUpdate();
    // The form may be at most `height` high: the list gives up rows, down
    // to its design height, and scrolls instead. The form stays at least as
    // high as its design height.
    void LimitHeight(int height);

    // Opening files into tabs and File Open: see TabFiles.
    QStringList OpenFiles(const QStringList &paths) { return m_tabFiles->OpenFiles(paths); }
    void OnFileOpen() { m_tabFiles->OnFileOpen(); }
    // The tabs from the keyboard: the next and the previous one round the
    // ends, and Close, each as the strip's own click or menu does.
    void OnNextTab() { m_tabFiles->OnNextTab(); }
    void OnPrevTab() { m_tabFiles->OnPrevTab(); }
    void OnCloseTab() { m_tabFiles->OnCloseTab(); }
    // A recent file that is no longer there: says so, and asks whether to
    // take it off the list.
    bool ForgetMissingFile(const QString &path);

    // Copy: in the channel list, its rows chosen (or all) under their
    // headings, split by tabs; in the fiber box, the name chosen.
    void OnEditCopy();
    // Find: the fiber box's find field.
    void OnEditFind();

    void OnFileSave();
    void OnFileSaveAs();
    void OnFilePrint();
    void OnFilePrintPreview();

    // The verdicts: off, the window is the design's; on, every fiber and
    // channel shows whether it passes its thresholds and by how much.
    void SetVerdictsShown(bool shown);
    // The next and the previous failing fiber, round the end of the box.
    void OnNextFailure();
    void OnPrevFailure();
    // The file's figures per channel and its failing fibers, in a window of
    // their own.
    void OnViewSummary();

    // The view's painting, on any painter: the bitmap window, then the
    // chart and the marker when shown.
    void OnDraw(QPainter &painter);

    // Takes the factors from this size instead of the primary screen's.
    void SetScreenSize(const QSize &size) { m_screenSize = size; }
    // The dialogs to ask (not owned); null for the real ones.
    void SetFileDialogs(FileDialogs *dialogs) { m_tabFiles->SetFileDialogs(dialogs); }
    void SetPrintDialogs(PrintDialogs *dialogs) { m_pPrintDialogs = dialogs; }

    // Pages side by side in the print preview: 2 shows facing pages, any
    // other value one page. Read when the preview opens, written when it
    // closes (and told through previewPagesChanged).
    void SetPreviewPages(int pages) { m_nPreviewPages = pages; }

signals:
    void previewPagesChanged(int pages);
    // A file is being read: what there is to tell of it in the status bar,
    // and how far it is in percent; -1 once it is shown.
    void readProgress(const QString &text, int percent);
    // The file read last is shown (or nothing, where none could be).
    void fileShown();
    // The file's yield, for the status bar; empty while there is none to show.
    void yieldChanged(const QString &text);
    // What the status bar must keep saying of the file shown (it is gone
    // from disk, or could not be read again); empty once there is nothing.
    void noticeChanged(const QString &text);
    // Files opened into new tabs, in the order opened.
    void filesOpened(const QStringList &paths);
    // The form has taken its size for the screen: the window around it
    // fits itself to it.
    void formSized(const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private slots:
    void OnReadStarted(const QString &name);
    void OnReadProgress(const QString &name, int percent);
    void OnReadWaiting(const QString &name, bool waiting);
    void OnFileRead(const LoadedFile &file);
    void OnRereadStarted(const QString &name);
    void OnFileReread(const LoadedFile &file);
    void OnRereadFailed(const QString &error);
    void OnFileGone(const QString &name);
    void OnVerdictsRead(const LoadedFile::Verdicts &verdicts);
    void showBlock(qsizetype block);
    // Choosing an entry of the fiber box shows the channels of its block;
    // typing in the box's edit field renames the entry chosen last.
    void OnSelendokComboFiber();
    void OnEditchangeComboFiber();
    // A mouse click in the channel list: the selected row with the highest
    // index becomes the current channel, shown under the chart and marked.
    void OnClickListChannels();
    void OnKeydownListChannels();
    void placeControls();

private:
    FileDialogs &dialogs() const { return m_tabFiles->Dialogs(); }
    void ParseTable(const LoadedFile &file);
    void FillFiberCombo(const LoadedFile &file);
    void clearFile();
    // Shows the chart of the chosen fiber's powers and the selection texts
    // and repaints the view at once. The chart stays until the next file load.
    void DrawChart();
    void OnEndPrinting();
    void holdNewFiles();
    void releaseNewFiles();
    void setUpColumns();
    void layOut();
    void showChannel(int row);
    void clearChart();
    void appendChannelRow(const MeasurementRows::Row &row);
    void showMargin(int row, const ThresholdJudge::Channel &channel);
    void showYield();
    void showFailure(int step);
    void showEntry(int pos);
    QStringList fiberEntryNames() const;
    QList<CsvExport::BlockName> entryNames() const;
    PrintDialogs &printDialogs() const;

    ::TabFiles *m_tabFiles;
    FiberComboBox *m_comboFiber;
    ChannelList *m_listChannels;
    QByteArray m_strHeader;
    PrintReport m_report;
    // The clicked row's texts as the list shows them.
    QString m_strSelChannel;
    QString m_strSelPower;
    QString m_strSelWaveLength;
    QString m_strSelThreshold;
    QString m_strSelMargin;
    int m_nFiberIndex = -1; // no fiber chosen yet
    FormGeometry m_geometry;
    QRect m_listRect = FormGeometry::ListRect(0, 0);
    int m_chartShift = 0;
    int m_heightLimit = INT_MAX;
    QString m_strSavePath;

    QPixmap m_bitmap131;
    QSize m_screenSize;
    PrintDialogs *m_pPrintDialogs = nullptr;
    int m_nPreviewPages = 0;

    // The chart as last drawn: kept so that every repaint shows it again.
    bool m_bChartShown = false;
    QList<ChannelChart::Power> m_chartPowers;
    QList<ChannelChart::Verdict> m_chartVerdicts;

    bool m_bVerdicts = false;
    bool m_bFileShown = false;
    bool m_bVerdictsKnown = false;
    LoadedFile::Verdicts m_verdicts;
    qsizetype m_nShownBlock = -1;
    SummaryDialog *m_summary = nullptr;
    int m_nMarkerRow = -1;
    // A file, or a new version of the one shown, read while printing, and
    // its verdicts.
    int m_nNewFilesHeld = 0;
    std::optional<LoadedFile> m_pendingFile;
    bool m_bPendingIsReread = false;
    std::optional<LoadedFile::Verdicts> m_pendingVerdicts;
};
