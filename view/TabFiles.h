#pragma once

#include "data/LoadedFile.h"
#include "view/FileReader.h"
#include "view/LiveFile.h"
#include "view/TabRecord.h"

#include <QList>
#include <QStringList>
#include <QTabBar>

#include <memory>

class FileDialogs;

// The strip of tabs, one per opened file in the order opened, with the
// record of the file behind each tab, and the reading of those files.
// Files are never kept: a click on a tab reads its file again from disk.
//
// A file is read on a thread of its own while the window goes on (see
// FileReader): its tab shows a busy sign, readStarted and readProgress tell
// how far it is, readWaiting when a FIFO or a device gives nothing, and
// fileRead hands over what was read, or nothing where the file could not be
// read or no file is left to show. Reading another file, or closing the tab
// of the one being read, gives up the read under way at once.
//
// The file shown is watched: once it changes on disk it is read again
// without clearing what is shown (rereadStarted, then fileReread, or
// rereadFailed with what stays on screen); one that disappears keeps its
// tab (fileGone).
class TabFiles : public QTabBar
{
    Q_OBJECT
public:
    static constexpr int MaxTabs = 1024;

    explicit TabFiles(QWidget *parent = nullptr);
    ~TabFiles() override;

    // Opens each file into a new tab at the right end and shows the last one
    // opened; returns the paths opened. A file that cannot be opened, or one
    // beyond the 1024 tabs, gets a message and no tab. When no file is
    // opened, nothing changes and nothing is shown anew.
    QStringList OpenFiles(const QStringList &paths);
    // File Open: the files chosen in the dialog. Cancelling changes nothing.
    void OnFileOpen();
    // Close: removes the selected tab and shows the file of the tab to its
    // left (after the first tab, the new first tab's).
    void OnCloseTab();
    // Selects tab `index` and reads its file again, as a click on it does.
    void ShowTab(int index);
    // The tab `step` places along from the selected one, round the ends.
    void OnNextTab() { showTabAlong(+1); }
    void OnPrevTab() { showTabAlong(-1); }

    const QList<TabRecord> &Records() const { return m_tabRecords; }

    // The dialogs to ask (not owned); null for the real ones.
    void SetFileDialogs(FileDialogs *dialogs) { m_pDialogs = dialogs; }
    FileDialogs &Dialogs() const;

signals:
    // Files opened into new tabs by OpenFiles or File Open, in that order.
    void filesOpened(const QStringList &paths);
    // A tab's file is being read: the file shown so far is gone.
    void readStarted(const QString &name);
    // Percent of its bytes read.
    void readProgress(const QString &name, int percent);
    // A FIFO or a device being read has given nothing for a while (true),
    // or gives again (false).
    void readWaiting(const QString &name, bool waiting);
    // The file read, or nothing to show.
    void fileRead(const LoadedFile &file);
    // The verdicts on the fibers of the file read last, a moment later.
    void verdictsRead(const LoadedFile::Verdicts &verdicts);
    // The file shown changed on disk and is read again; what was read of it
    // before stays shown until the new version is there.
    void rereadStarted(const QString &name);
    void fileReread(const LoadedFile &file);
    void rereadFailed(const QString &error);
    // The file shown is no longer on disk.
    void fileGone(const QString &name);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private slots:
    void OnClickTabFiles(int index);
    void OnRclickTabFiles(const QPoint &pos);

private:
    struct Reading;

    bool addTab(const QString &path);
    void showTabAlong(int step);
    void startReading(int index, bool newTab, bool again = false);
    void readAgain();
    void stopReading();
    void finishReading(const std::shared_ptr<Reading> &reading, const FileReader::Read &read);
    void showBusy(int index, bool busy);
    void showNothing();

    QList<TabRecord> m_tabRecords;
    int m_nTabCount = 0;
    FileDialogs *m_pDialogs = nullptr;
    Qt::MouseButton m_button = Qt::NoButton; // of the last press on the strip
    std::shared_ptr<Reading> m_reading;      // the read under way, if any
    std::shared_ptr<Reading> m_judging;      // the file shown, while its fibers are judged
    LiveFile m_live;                         // the file shown, watched
    FileReader m_reader;
};
