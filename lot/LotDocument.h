#pragma once

#include "data/JudgePipeline.h"
#include "lot/FactoryDatabase.h"
#include "lot/LotControl.h"
#include "lot/LotModel.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>

class QFileSystemWatcher;

// A folder open as a lot in a window: its result files in a LotModel, read
// off the window's thread and kept up to date while it is open.
//
// The first scan reads every file of the folder (and of its subfolders,
// where asked) on every core, taking from the summary cache what it holds
// (scanStarted, scanProgress, scanEnded). Then the lot watches the folder:
// it looks again whenever the folder's entries change and at least every
// poll interval, so that a file written in place is seen too (a folder
// whose look takes longer than a tenth of that is looked at less often), and
// never sooner than MinLookMs after the look before. A new or
// changed file is read at once and shown as growing while its stamp still
// changes from one look to the next; once it stands still it is read again,
// within a second of its last write. A file deleted is marked gone and
// kept, its results still counted, until the lot is closed. Only one look
// runs at a time; the cache makes a look at an unchanged folder cheap. The
// files a look brings come to the model in one batch. The lot's own folder
// is never one of its files: without result files it is an empty lot, and
// one that cannot be listed is a notice. After every look the lot's
// control charts are made again (LotControl, by the plan it was given);
// the alarms that a look brings, new since the one before, are told.
class LotDocument : public QObject
{
    Q_OBJECT
public:
    // How often the lot looks at its folders without being told of a change.
    static constexpr int PollMs = 400;
    // The least time from the start of one look to the start of the next,
    // however often the folder changes: the table and the trend change at
    // most four times a second.
    static constexpr int MinLookMs = 250;

    explicit LotDocument(const QString &folder, QObject *parent = nullptr);
    // A lot of the factory's database at `url`: the files of `query`,
    // looked at again whenever a push adds or replaces a file (and every
    // DatabasePollMs besides, where the notice was missed).
    LotDocument(const QString &url, const FactoryDatabase::Query &query, QObject *parent = nullptr);
    static constexpr int DatabasePollMs = 10000;
    ~LotDocument() override; // gives any look up and waits for it

    // The folder, or the database's URL.
    const QString &Folder() const { return m_folder; }
    bool FromDatabase() const { return m_database.has_value(); }
    LotModel &Model() { return m_model; }
    const LotModel &Model() const { return m_model; }

    // Whether the files of subfolders belong to the lot; changing it reads
    // the lot anew.
    bool Subfolders() const { return m_subfolders; }
    void SetSubfolders(bool subfolders);

    // What the lot's files are judged with (by default the files' own
    // thresholds); changing it takes effect from the next look.
    void SetInputs(const JudgeInputs &inputs) { m_inputs = inputs; }
    const JudgeInputs &Inputs() const { return m_inputs; }

    // The control charts' baseline and changes, which the lot's window
    // keeps with the lot.
    const ControlPlan &Plan() const { return m_plan; }
    void SetPlan(const ControlPlan &plan);
    // The control charts and alarms of the lot as it stands.
    const LotControl::Result &Control() const { return m_control; }

    // Reads the lot anew and starts watching its folders.
    void Start();
    bool Scanning() const { return m_scanning; }
    // The notices told so far, each once, in their order.
    const QStringList &Notices() const { return m_notices; }

signals:
    void scanStarted();
    // Files read of the files to read (those the cache held count at once).
    void scanProgress(qsizetype done, qsizetype count);
    void scanEnded();
    // What the user should hear of: a cache set aside, a folder that cannot
    // be read.
    void notice(const QString &text);
    void planChanged();
    // The control charts were made again (the lot or the plan changed).
    void controlChanged();
    // Alarms that a look brought, new since the last: what the files
    // written since the lot was read have raised.
    void alarmsRaised(const QList<LotControl::Alarm> &alarms);

private:
    struct Look;
    void startLook(bool full);
    void lookEnded(std::shared_ptr<Look> look);
    void join();
    void updateControl(bool tell);
    static void lookAtDatabase(Look &look);

    QString m_folder;
    std::optional<FactoryDatabase::Query> m_database;
    std::unique_ptr<FactoryDatabase> m_listener; // on this thread, for the pushes' notices
    bool m_subfolders = false;
    JudgeInputs m_inputs;
    ControlPlan m_plan;
    LotControl::Result m_control;
    QSet<QString> m_alarmKeys; // of the alarms known
    LotModel m_model;
    QFileSystemWatcher *m_watcher;
    QTimer m_poll;
    QTimer m_soon;              // the look put off by MinLookMs
    QElapsedTimer m_lastLook;   // since the last look started
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    bool m_scanning = false;
    bool m_looking = false;
    bool m_lookAgain = false; // told of a change during a look
    quint64 m_generation = 0; // of the full scan whose files the model holds
    QHash<QString, FileStamp> m_seen; // each file's stamp at the last look
    QSet<QString> m_told; // notices
    QStringList m_notices;
};
