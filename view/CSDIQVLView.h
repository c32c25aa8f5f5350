#pragma once

#include "output/PrintReport.h"
#include "view/TabRecord.h"

#include <QByteArray>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QWidget>

class FiberComboBox;
class FileDialogs;
class QTabBar;
class QTableWidget;

// The form: the strip with one tab per opened file, the fiber box and the
// channel list, laid out at 1.5 pixels per unit of the form's design. It
// shows one file at a time, the one read last, always read again from disk.
class CSDIQVLView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MaxTabs = 1024;
    static constexpr int ColumnCount = 6;
    static const int BaseColumnWidths[ColumnCount];

    explicit CSDIQVLView(QWidget *parent = nullptr);
    ~CSDIQVLView() override;

    // The one-time set-up: fits the frame to the form, takes the screen's
    // scale factors and sets up the list's columns. Safe to run again.
    void OnInitialUpdate();

    // Opens each file into a new tab at the right end and shows the last one
    // that could be read; returns the paths opened. A file that cannot be
    // read, or one beyond the 1024 tabs, gets a message and no tab.
    QStringList OpenFiles(const QStringList &paths);

    void OnFileOpen();
    void OnClickTabFiles(int index);
    void OnRclickTabFiles(const QPoint &pos);
    void OnCloseTab();
    void ParseTable();
    void FillFiberCombo();

    // The view's painting, on any painter.
    void OnDraw(QPainter &painter);

    // The screen factors: width / 1440 and height / 900, in single precision.
    static void ScaleFactors(const QSize &screen, float &scaleX, float &scaleY);
    // Takes the factors from this size instead of the primary screen's.
    void SetScreenSize(const QSize &size) { m_screenSize = size; }
    // The dialogs to ask (not owned); null for the real ones.
    void SetFileDialogs(FileDialogs *dialogs) { m_pDialogs = dialogs; }

    QTabBar *TabFiles() const { return m_tabFiles; }
    FiberComboBox *ComboFiber() const { return m_comboFiber; }
    QTableWidget *ListChannels() const { return m_listChannels; }
    const QList<TabRecord> &TabRecords() const { return m_tabRecords; }
    int TabCount() const { return m_nTabCount; }
    const QByteArray &Header() const { return m_strHeader; }
    const QByteArray &Table() const { return m_strTable; }
    const PrintReport &Report() const { return m_report; }
    float ScaleX() const { return m_fScaleX; }
    float ScaleY() const { return m_fScaleY; }

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FileDialogs &dialogs() const;
    bool readFile(const QString &path);
    bool addTab(const QString &path);
    void showFileRead();
    void setUpColumns();

    QTabBar *m_tabFiles;
    FiberComboBox *m_comboFiber;
    QTableWidget *m_listChannels;
    QByteArray m_strHeader;
    QByteArray m_strTable;
    PrintReport m_report;
    QByteArray m_strSelChannel;
    QByteArray m_strSelPower;
    QByteArray m_strSelWaveLength;
    QList<TabRecord> m_tabRecords;
    QByteArray m_strComboText;
    int m_nTabCount = 0;
    int m_nFiberIndex = -1; // no fiber chosen yet
    float m_fScaleY = 1.0f;
    float m_fScaleX = 1.0f;
    QString m_strSavePath;

    QPixmap m_bitmap131;
    QSize m_screenSize;
    FileDialogs *m_pDialogs = nullptr;
    Qt::MouseButton m_tabButton = Qt::NoButton; // of the press on the strip
};
