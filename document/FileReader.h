#pragma once

#include "data/LoadedFile.h"
#include "document/HeldFile.h"
#include "document/LiveFile.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <memory>
#include <optional>

// Reads result files for the window, each on a thread of its own: never on
// a pool that Qt itself waits on, so that a read blocked in the system (a
// FIFO no one writes, a device, a hung network mount) freezes neither the
// window nor its exit. A FIFO or a character device is opened without
// waiting and read only as it gives something, and `waiting` says when it
// gives nothing for a while. A read given up is never waited for: one
// waiting for a FIFO's or a device's data ends at once; one blocked in a
// system call is abandoned and ends unheard when the call returns.
class FileReader : public QObject
{
    Q_OBJECT
public:
    // What a read hands over: the file, or why it could not be read.
    struct Read
    {
        bool read = false;
        LoadedFile file;
        QString error;
        LiveFile::Identity identity; // of the file just before it was read
        std::shared_ptr<HeldFile> held; // the version read, kept open
    };

    // How long a FIFO or a device may give nothing before `waiting` says so.
    static constexpr int WaitingAfterMilliseconds = 250;

    explicit FileReader(QObject *parent = nullptr);
    ~FileReader() override; // gives every read up and waits for none

    // Starts reading the file at `path`, whose fibers are then judged with
    // the inputs given; returns the read's number, which its signals
    // carry. `keep` is held until the read is over (what `path` names may
    // depend on it).
    quint64 Start(const QString &path, std::shared_ptr<const void> keep = {}, const JudgeInputs &inputs = {});
    // Judges `rows` anew with the inputs given, as a read's are judged,
    // and tells `judged` under the number it returns.
    quint64 Judge(const MeasurementRows &rows, const JudgeInputs &inputs);
    // Gives read `id` up: nothing more is heard of it.
    void Stop(quint64 id);

signals:
    // Percent of a regular file's bytes read.
    void progress(quint64 id, int percent);
    // A FIFO or a device has given nothing for a while (true), or gives
    // again (false).
    void waiting(quint64 id, bool waiting);
    void finished(quint64 id, const FileReader::Read &read);
    // After a file was read, the verdicts on its fibers and the figures of
    // its channels, by the judge --summary uses.
    void judged(quint64 id, const LoadedFile::Verdicts &verdicts);

private:
    struct Job;

    quint64 launch(const std::shared_ptr<Job> &job);
    static void run(const std::shared_ptr<Job> &job);
    static void judge(const std::shared_ptr<Job> &job, const MeasurementRows &rows);

    QHash<quint64, std::shared_ptr<Job>> m_jobs;
    quint64 m_lastId = 0;
};
