#pragma once

#include "data/MeasurementRow.h"
#include "output/ChannelChart.h"
#include "output/CsvExport.h"
#include "output/PrintReport.h"
#include "view/ChannelList.h"
#include "view/TabFiles.h"

#include <QByteArray>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

class FiberComboBox;
class FileDialogs;
class PrintDialogs;
class QPrinter;
class QTableWidget;

// The form: the strip with one tab per opened file, the fiber box and the
// channel list, laid out at 1.5 pixels per unit of the form's design. It
// shows one file at a time, the one read last, always read again from disk.
class CSDIQVLView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MaxTabs = ::TabFiles::MaxTabs;
    static constexpr int ColumnCount = 6;
    static const int BaseColumnWidths[ColumnCount];

    explicit CSDIQVLView(QWidget *parent = nullptr);
    ~CSDIQVLView() override;

    // The one-time set-up: takes the screen's scale factors, sizes the form
    // to hold the chart, sets up the list's columns and fits the frame to
    // the form. Safe to run again.
    void OnInitialUpdate();

    // Opening files into tabs, File Open and Close: see TabFiles.
    QStringList OpenFiles(const QStringList &paths) { return m_tabFiles->OpenFiles(paths); }
    void OnFileOpen() { m_tabFiles->OnFileOpen(); }
    void OnCloseTab() { m_tabFiles->OnCloseTab(); }
    void ParseTable();
    void FillFiberCombo();

    // Choosing an entry of the fiber box shows the channels of its block;
    // typing in the box's edit field renames the entry chosen last.
    void OnSelendokComboFiber();
    void OnEditchangeComboFiber();
    // A mouse click in the channel list: the selected row with the highest
    // index becomes the current channel, shown under the chart and marked.
    void OnClickListChannels();

    // Shows the chart of the chosen fiber's powers and the selection texts
    // and repaints the view at once. The chart stays until the next file load.
    void DrawChart();

    void OnFileSave();
    void OnFileSaveAs();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnEndPrinting();

    // The view's painting, on any painter: the bitmap window, then the
    // chart and the marker when shown.
    void OnDraw(QPainter &painter);

    // The screen factors: width / 1440 and height / 900, in single precision.
    static void ScaleFactors(const QSize &screen, float &scaleX, float &scaleY);
    // Takes the factors from this size instead of the primary screen's.
    void SetScreenSize(const QSize &size) { m_screenSize = size; }
    // The dialogs to ask (not owned); null for the real ones.
    void SetFileDialogs(FileDialogs *dialogs) { m_tabFiles->SetFileDialogs(dialogs); }
    void SetPrintDialogs(PrintDialogs *dialogs) { m_pPrintDialogs = dialogs; }

    // Pages side by side in the print preview: 2 shows facing pages, any
    // other value one page. Read when the preview opens, written when it
    // closes (and told through previewPagesChanged).
    int PreviewPages() const { return m_nPreviewPages; }
    void SetPreviewPages(int pages) { m_nPreviewPages = pages; }

    ::TabFiles *TabFiles() const { return m_tabFiles; }
    FiberComboBox *ComboFiber() const { return m_comboFiber; }
    QTableWidget *ListChannels() const { return m_listChannels; }
    const QList<TabRecord> &TabRecords() const { return m_tabFiles->Records(); }
    int TabCount() const { return m_tabFiles->Count(); }
    const PrintReport &Report() const { return m_report; }
    float ScaleX() const { return m_fScaleX; }
    float ScaleY() const { return m_fScaleY; }
    int FiberIndex() const { return m_nFiberIndex; }
    const QString &SelChannel() const { return m_strSelChannel; }
    const QString &SelWaveLength() const { return m_strSelWaveLength; }
    const QString &SelPower() const { return m_strSelPower; }
    bool ChartShown() const { return m_bChartShown; }
    int MarkerRow() const { return m_nMarkerRow; } // -1: none

signals:
    void previewPagesChanged(int pages);
    // The form has taken its size for the screen: the window around it
    // fits itself to it.
    void formSized(const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private slots:
    void OnKeydownListChannels();
    void OnFileRead(const ResultFileText &text);

private:
    FileDialogs &dialogs() const { return m_tabFiles->Dialogs(); }
    void setUpColumns();
    QRect listRect() const;
    void placeControls();
    QSize formSize() const;
    void showChannel(int row);
    void clearChart();
    void appendChannelRow(const MeasurementRows::Row &row);
    QList<CsvExport::BlockName> entryNames() const;
    PrintDialogs &printDialogs() const;

    ::TabFiles *m_tabFiles;
    FiberComboBox *m_comboFiber;
    ChannelList *m_listChannels;
    QByteArray m_strHeader;
    QByteArray m_strTable;
    PrintReport m_report;
    // The clicked row's texts as the list shows them.
    QString m_strSelChannel;
    QString m_strSelPower;
    QString m_strSelWaveLength;
    QByteArray m_strComboText;
    int m_nFiberIndex = -1; // no fiber chosen yet
    float m_fScaleY = 1.0f;
    float m_fScaleX = 1.0f;
    QString m_strSavePath;

    QPixmap m_bitmap131;
    QSize m_screenSize;
    PrintDialogs *m_pPrintDialogs = nullptr;
    int m_nPreviewPages = 0;

    // The chart as last drawn: kept so that every repaint shows it again.
    bool m_bChartShown = false;
    QList<ChannelChart::Power> m_chartPowers;
    int m_nMarkerRow = -1;
};
