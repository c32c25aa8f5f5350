#pragma once

#include "document/FileReader.h"
#include "document/HeldFile.h"
#include "document/LiveFile.h"
#include "document/ResultDocument.h"
#include "document/TabRecord.h"
#include "lot/LotDocument.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

// The files opened into tabs and the reading of them: the tabs in the
// order opened, the one shown, the document that holds what is shown, the
// read under way and the watch on the file shown. Tab bars and menus only
// ask and show; this is where files are opened, read, given up and watched.
//
// One file is shown at a time, read again from disk whenever its tab is
// chosen: a read runs on a thread of its own while the window goes on
// (readStarted, readProgress, readWaiting for a FIFO or a device that gives
// nothing, readEnded), and choosing another tab, opening another file or
// closing the tab gives it up at once. The file shown so far goes from the
// document as soon as another is read, so that a big file is never held
// twice.
//
// The file shown is watched: a new version on disk is read again without
// clearing what is shown (see LiveFile for when), and the document is told
// when the file grows, is written, or is gone. A tab keeps its file open on
// disk from the moment it is opened, the version it read last once it has
// read one, so that a tab whose file was deleted since shows that version
// when chosen again, saying that the file is gone. (A file deleted so keeps
// its room on the disk until its tab is closed.)
class DocumentManager : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxTabs = 1024;

    explicit DocumentManager(QObject *parent = nullptr);
    ~DocumentManager() override; // gives every read up and waits for none

    ResultDocument &Document() { return m_document; }
    const ResultDocument &Document() const { return m_document; }

    int TabCount() const { return int(m_tabs.size()); }
    // The selected tab; -1 for none.
    int CurrentTab() const { return m_current; }
    const TabRecord &Record(int index) const { return m_tabs.at(index).record; }
    QList<TabRecord> Records() const;
    // The tab whose file is being read; -1 for none.
    int ReadingTab() const;

    // Opens each file into a new tab at the right end and shows the last one
    // opened; returns the paths opened. A file that cannot be opened, or one
    // beyond the 1024 tabs, is told through `failed` and gets no tab. When
    // no file is opened, nothing changes and nothing is shown anew.
    QStringList OpenFiles(const QStringList &paths);
    // Opens `folder` as a lot into a new tab at the right end and shows it
    // (see LotDocument); false, told through `failed`, where it is no
    // folder that can be read or no tab is left.
    bool OpenFolder(const QString &folder);
    // Opens the lot of the factory's database at `url` that `query` asks
    // for into a new tab at the right end and shows it.
    bool OpenDatabase(const QString &url, const FactoryDatabase::Query &query);
    // The lot of tab `index`; null for a tab of a result file.
    LotDocument *Lot(int index) const;

    // Selects tab `index` and reads its file again.
    void ShowTab(int index);
    // The tab `step` places along from the selected one, round the ends.
    void ShowTabAlong(int step);
    // Removes the selected tab and shows the file of the tab to its left
    // (after the first tab, the new first tab's).
    void CloseTab();

    // The marginal band the fibers are judged with (see ResultDocument's):
    // the document marks its fibers by it at once, and its rows are judged
    // again with it, off the window's thread, never read again.
    void SetWarnMargin(std::optional<double> warnMargin);
    // The user's limits every file shown is judged by (none: each row's
    // threshold); the file shown is judged again.
    void SetLimits(const Limits &limits);
    // What gives the limits of a file about to be read, by its path; none
    // keeps the limits set.
    using LimitsFor = std::function<Limits(const QString &path)>;
    void SetLimitsFor(LimitsFor limitsFor) { m_limitsFor = std::move(limitsFor); }
    const Limits &LimitsInUse() const { return m_limits; }
    // What gives a folder's control plan as it opens as a lot, and what
    // keeps it whenever it changes.
    using PlanFor = std::function<ControlPlan(const QString &folder)>;
    using PlanKept = std::function<void(const QString &folder, const ControlPlan &plan)>;
    void SetPlanStore(PlanFor planFor, PlanKept planKept)
    {
        m_planFor = std::move(planFor);
        m_planKept = std::move(planKept);
    }

signals:
    // Alarms raised by files a lot's station has written since it was read,
    // each in words, for the desktop.
    void lotAlarms(const QString &folder, const QStringList &alarms);
    void tabOpened(int index);
    void tabClosed(int index);
    void currentTabChanged(int index);
    void tabBusy(int index, bool busy);
    // A tab's file is being read: opened or chosen anew, or `again` since it
    // changed on disk.
    void readStarted(const QString &name, bool again);
    // Percent of its bytes read.
    void readProgress(const QString &name, int percent);
    // A FIFO or a device being read has given nothing for a while (true),
    // or gives again (false).
    void readWaiting(const QString &name, bool waiting);
    // No read is under way any more: what was read is in the document, or
    // was told through `failed`, or the read was given up.
    void readEnded();
    // Files opened into new tabs, in the order opened.
    void filesOpened(const QStringList &paths);
    // Something the user must be told: a file that cannot be opened or read.
    void failed(const QString &message);
    // What a lot open in a tab has to say (a cache set aside, its folder no
    // longer readable): shown where it holds nothing up, never in a box to
    // answer while the lot's table keeps up with its folder.
    void lotNotice(const QString &message);

public:
    // What the files of the tabs are judged with: the warning margin and
    // the limits.
    JudgeInputs Inputs() const { return {m_warnMargin, m_limits}; }

private:
    // A tab of a result file. A tab of another kind (a folder of files) is
    // a kind of its own beside it, with a document of its own.
    struct Tab
    {
        TabRecord record;
        std::shared_ptr<HeldFile> held; // the version read last, kept open
        quint64 lastRead = 0;
        std::shared_ptr<LotDocument> lot; // the tab of a folder's
    };
    struct Reading;

    // A label for a tab that is no file or folder (a database's lot).
    bool addTab(const QString &path, std::shared_ptr<LotDocument> lot = nullptr, const QString &label = QString());
    bool openLot(const QString &name, std::shared_ptr<LotDocument> lot, const QString &label = QString());
    void showLot();
    void setCurrent(int index);
    void startReading(int index, bool newTab, bool again = false, bool growing = false);
    bool showGone(int index);
    void readAgain(bool growing);
    bool stopReading();
    void finishReading(const FileReader::Read &read);
    void judgeAgain();
    void hold(Tab &tab, std::shared_ptr<HeldFile> held);

    ResultDocument m_document;
    QList<Tab> m_tabs;
    int m_current = -1;
    int m_shownTab = -1; // the tab whose file the document holds
    quint64 m_reads = 0;
    std::unique_ptr<Reading> m_reading; // the read under way, if any
    quint64 m_judging = 0;              // the read, or judging, whose verdicts are awaited
    std::optional<double> m_warnMargin;
    Limits m_limits;
    LimitsFor m_limitsFor;
    PlanFor m_planFor;
    PlanKept m_planKept;
    LiveFile m_live;                    // the file shown, watched
    FileReader m_reader;
};
