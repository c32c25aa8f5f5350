#pragma once

#include "data/ResultFile.h"
#include "view/TabRecord.h"

#include <QList>
#include <QStringList>
#include <QTabBar>

class FileDialogs;

// The strip of tabs, one per opened file in the order opened, with the
// record of the file behind each tab, and the reading of those files.
// Files are never kept: a click on a tab reads its file again from disk.
// Every read hands the text of the file to show to fileRead; the text is
// empty where the file could not be read or no file is left to show.
class TabFiles : public QTabBar
{
    Q_OBJECT
public:
    static constexpr int MaxTabs = 1024;

    explicit TabFiles(QWidget *parent = nullptr);

    // Opens each file into a new tab at the right end and shows the last one
    // that could be read; returns the paths opened. A file that cannot be
    // read, or one beyond the 1024 tabs, gets a message and no tab. When no
    // file is opened, nothing changes and nothing is shown anew.
    QStringList OpenFiles(const QStringList &paths);
    // File Open: the files chosen in the dialog. Cancelling changes nothing.
    void OnFileOpen();
    // Close: removes the selected tab and shows the file of the tab to its
    // left (after the first tab, the new first tab's).
    void OnCloseTab();

    const QList<TabRecord> &Records() const { return m_tabRecords; }

    // The dialogs to ask (not owned); null for the real ones.
    void SetFileDialogs(FileDialogs *dialogs) { m_pDialogs = dialogs; }
    FileDialogs &Dialogs() const;

signals:
    void fileRead(const ResultFileText &text);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private slots:
    void OnClickTabFiles(int index);
    void OnRclickTabFiles(const QPoint &pos);

private:
    bool readFile(const QString &path, ResultFileText &text) const;
    bool addTab(const QString &path);

    QList<TabRecord> m_tabRecords;
    int m_nTabCount = 0;
    FileDialogs *m_pDialogs = nullptr;
    Qt::MouseButton m_button = Qt::NoButton; // of the last press on the strip
};
