#pragma once

#include "document/DocumentManager.h"
#include "document/ResultDocument.h"
#include "output/PrintReport.h"
#include "view/ChannelList.h"
#include "view/ChartState.h"
#include "view/ExportCommands.h"
#include "view/FiberComboBox.h"
#include "view/FileDialogs.h"
#include "view/FormGeometry.h"
#include "view/FormLayout.h"
#include "view/LotView.h"
#include "view/PrintCommands.h"
#include "view/PopulationWindows.h"
#include "view/PrintDialogs.h"

#include <QByteArray>
#include <QList>
#include <QPainter>
#include <QPixmap>
#include <QSize>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <climits>
#include <memory>

class LotDocument;
class TabFiles;

// The form: the strip with one tab per opened file, the fiber box and the
// channel list, laid out at 1.5 pixels per unit of the form's design, and
// the chart under the list. It shows the document of its DocumentManager
// and hands the user's commands to it; it holds no file of its own.
class CSDIQVLView : public QWidget
{
    Q_OBJECT
public:
    // The form of the files of `manager`; without one, of a manager of its own.
    explicit CSDIQVLView(DocumentManager *manager = nullptr, QWidget *parent = nullptr);
    ~CSDIQVLView() override;

    DocumentManager &Manager() const { return *m_manager; }
    ResultDocument &Document() const { return m_manager->Document(); }

    // The one-time set-up: takes the screen's scale factors, sets up the
    // list's columns and lays the form out. Safe to run again.
    void OnInitialUpdate();
    // The form may be at most `height` high: the chart is lowered, then the
    // list gives up rows (see FormLayout).
    void LimitHeight(int height);

    // File Open: the files chosen in the dialog, each into a tab.
    // Cancelling changes nothing.
    void OnFileOpen() { m_manager->OpenFiles(Dialogs().GetOpenFileNames(this, FileDialogs::OpenFilter())); }
    QStringList OpenFiles(const QStringList &paths) { return m_manager->OpenFiles(paths); }
    // File Open Folder: the folder chosen, as a lot in a tab of its own.
    void OnFileOpenFolder() { m_lotView->OpenFolder(Dialogs()); }
    // Asks for the factory's database and the lot to read from it.
    void OnFileOpenDatabase();
    // The tabs from the keyboard: the next and the previous one round the
    // ends, and Close.
    void OnNextTab() { m_manager->ShowTabAlong(+1); }
    void OnPrevTab() { m_manager->ShowTabAlong(-1); }
    void OnCloseTab() { m_manager->CloseTab(); }

    // Copy: in the channel list, its rows chosen (or all) under their
    // headings, split by tabs; in the fiber box, the name chosen.
    void OnEditCopy();
    // Find: the fiber box's find field, or the lot's.
    void OnEditFind() { m_lotView->isVisible() ? m_lotView->OpenFind() : m_comboFiber->OpenFind(); }

    // On a lot's tab, Save Image of its trend.
    void OnFileSave();
    void OnFileSaveAs() { m_export->OnFileSaveAs(Dialogs()); }
    void OnFileExportWorkbook() { m_export->OnFileExportWorkbook(Dialogs(), shownLot()); }
    void OnFilePrint() { m_print->OnFilePrint(printDialogs(), Dialogs(), shownLot()); }
    void OnFilePrintPreview();

    // The verdicts: off, the window is the design's; on, every fiber and
    // channel shows whether it passes its thresholds and by how much.
    void SetVerdictsShown(bool shown);
    bool VerdictsShown() const { return m_bVerdicts; }
    // The next and the previous failing fiber, round the end of the box.
    // F8 and Shift+F8, while the verdicts are shown.
    void OnNextFailure() { showFailure(+1); }
    void OnPrevFailure() { showFailure(-1); }
    // The file's figures per channel and its failing fibers, in a window of
    // their own; each channel's distribution and the Pareto of the
    // failures, in another.
    void OnViewSummary() { m_windows->ShowSummary(Dialogs()); }
    // On a lot's tab, the lot's distributions.
    void OnViewDistributions();
    void OnFileCompare() { m_windows->ShowCompare(Dialogs(), *m_manager); }
    PopulationWindows &Windows() const { return *m_windows; }
    // The fiber box lists all fibers, or the failing, marginal or
    // incomplete ones only (see FiberComboBox).
    void SetFiberFilter(FiberFilterModel::Verdicts verdicts) { m_comboFiber->SetVerdictFilter(verdicts); }
    FiberFilterModel::Verdicts FiberFilter() const { return m_comboFiber->VerdictFilter(); }

    // The view's painting, on any painter: the bitmap window, then the
    // chart and the marker when shown.
    void OnDraw(QPainter &painter);

    // Takes the factors from this size instead of the primary screen's.
    void SetScreenSize(const QSize &size) { m_screenSize = size; }
    // The dialogs to ask (not owned); null for the real ones.
    void SetFileDialogs(FileDialogs *dialogs) { m_pDialogs = dialogs; }
    void SetPrintDialogs(PrintDialogs *dialogs) { m_pPrintDialogs = dialogs; }
    FileDialogs &Dialogs() const { return m_pDialogs ? *m_pDialogs : FileDialogs::Default(); }

    // Pages side by side in the print preview: 2 shows facing pages, any
    // other value one page. Read when the preview opens, written when it
    // closes (and told through previewPagesChanged).
    void SetPreviewPages(int pages) { m_nPreviewPages = pages; }

signals:
    void previewPagesChanged(int pages);
    // The user chose a filter in the fiber box, or Esc set it back to all.
    void fiberFilterChosen(FiberFilterModel::Verdicts verdicts);
    // The form has taken its size: the window around it fits itself to it.
    void formSized(const QSize &size);
    // A lot's tab fills the window, however large; a file's is the form.
    void fillsWindow(bool fills);
    // The distributions' what-if applied: the limits of the file's folder.
    void limitsApplied(const Limits &limits);

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        OnDraw(painter);
    }
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // A right click on the chart offers to save it as an image.
    void contextMenuEvent(QContextMenuEvent *event) override;

private slots:
    // Choosing an entry of the fiber box shows the channels of its fiber;
    // typing in the box's edit field renames the fiber chosen last.
    void OnSelendokComboFiber();
    void OnEditchangeComboFiber();
    // A mouse click in the channel list: the selected row with the highest
    // index becomes the current channel, shown under the chart and marked.
    void OnClickListChannels();
    void OnKeydownListChannels();
    void placeControls();
    // A lot's tab shows the lot in place of the form's controls.
    void showTabKind(int index);
    void keepChoiceOf(int pos, int channel);
    void chooseAgain(int entry, int channel);

private:
    // The lot of the tab shown; none on a file's tab or the form.
    const LotDocument *shownLot() const;
    PrintDialogs &printDialogs() const { return m_pPrintDialogs ? *m_pPrintDialogs : PrintDialogs::Default(); }
    void documentChanged(ResultDocument::Changes what);
    void ParseTable();
    void FillFiberCombo();
    void fiberRenamed(qsizetype block);
    // Shows the chart of the chosen fiber's powers and the selection texts
    // and repaints the view at once. The chart stays until the next file.
    void DrawChart() { repaint(); }
    void layOut();
    void setUpColumns() { m_listChannels->SetUpColumns(m_bVerdicts, m_geometry); }
    void showChannel(int row);
    void showFailure(int step)
    {
        if (m_bVerdicts)
            m_comboFiber->ChooseNextFailing(step);
    }
    // A fiber chosen in another window, and the channel marked there.
    void showBlock(qsizetype block, const QByteArray &channel = QByteArray());
    // The chart as shown, and the pixels it covers on the form.
    void drawChart(QPainter &painter);
    QRect chartExtent() const
    {
        const ChannelChart chart = m_geometry.Chart(Qt::black, m_layout.squeeze);
        return chart.Extent(fontMetrics(), m_bVerdicts).translated(0, m_layout.chartShift);
    }

    std::unique_ptr<DocumentManager> m_ownManager;
    DocumentManager *m_manager;
    TabFiles *m_tabFiles;
    FiberComboBox *m_comboFiber;
    ChannelList *m_listChannels;
    PrintReport m_report;
    // The clicked row's texts as the list shows them.
    QString m_strSelChannel;
    QString m_strSelPower;
    QString m_strSelWaveLength;
    int m_nFiberIndex = -1; // no fiber chosen yet
    qsizetype m_nShownBlock = -1;
    QByteArray m_shownName; // of the fiber shown, to find it again in a new version
    // The fiber and channel chosen in each file shown before, by its path.
    struct Choice
    {
        QByteArray name;
        int channel = -1;
    };
    QHash<QString, Choice> m_choices;
    QString m_choicePath; // the file whose choice the box shows
    FormGeometry m_geometry;
    FormLayout m_layout;
    int m_heightLimit = INT_MAX;

    QPixmap m_bitmap131;
    QSize m_screenSize;
    FileDialogs *m_pDialogs = nullptr;
    PrintDialogs *m_pPrintDialogs = nullptr;
    int m_nPreviewPages = 0;
    std::unique_ptr<ExportCommands> m_export;
    std::unique_ptr<PrintCommands> m_print;

    ChartState m_chart;

    bool m_bVerdicts = false;
    PopulationWindows *m_windows;
    QString m_databaseUrl; // the one opened last
    LotView *m_lotView;
};
