#include "document/FileReader.h"

#include "data/FileError.h"
#include "data/ReadCancel.h"

#include <functional>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <utility>

// One read: its file, its stop, and the way back to the reader, which may
// be gone by the time the thread has something to tell.
struct FileReader::Job
{
    quint64 id = 0;
    QString path;
    std::shared_ptr<const void> keep;
    JudgeInputs inputs;
    std::optional<MeasurementRows> rows; // to judge, and nothing to read
    ReadCancel cancel;
    std::mutex mutex;
    FileReader *owner = nullptr; // under the mutex; null once the reader is gone
    bool waitingTold = false;    // the reading thread's own
    bool finishTold = false;     // likewise

    // Has `deliver` run on the reader's thread, unless the read is given up
    // by then.
    void post(const std::shared_ptr<Job> &self, std::function<void(FileReader &)> deliver)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (!owner || cancel.Cancelled())
            return;
        FileReader *reader = owner;
        QMetaObject::invokeMethod(
            reader,
            [self, reader, deliver = std::move(deliver)] {
                if (!self->cancel.Cancelled())
                    deliver(*reader);
            },
            Qt::QueuedConnection);
    }
};

FileReader::FileReader(QObject *parent) : QObject(parent)
{
}

FileReader::~FileReader()
{
    for (const std::shared_ptr<Job> &job : std::as_const(m_jobs)) {
        const std::lock_guard<std::mutex> lock(job->mutex);
        job->owner = nullptr;
        job->cancel.Cancel();
    }
}

quint64 FileReader::Start(const QString &path, std::shared_ptr<const void> keep, const JudgeInputs &inputs)
{
    auto job = std::make_shared<Job>();
    job->path = path;
    job->keep = std::move(keep);
    job->inputs = inputs;
    return launch(job);
}

quint64 FileReader::Judge(const MeasurementRows &rows, const JudgeInputs &inputs)
{
    auto job = std::make_shared<Job>();
    job->rows = rows; // shared, not copied
    job->inputs = inputs;
    return launch(job);
}

quint64 FileReader::launch(const std::shared_ptr<Job> &job)
{
    job->id = ++m_lastId;
    job->owner = this;
    m_jobs.insert(job->id, job);
    try {
        std::thread(run, job).detach();
    } catch (const std::system_error &) {
        Read failed;
        FileError::ReadFailed(job->path, tr("no thread could be started to read it"), &failed.error);
        job->post(job, [id = job->id, failed](FileReader &reader) {
            reader.m_jobs.remove(id);
            emit reader.finished(id, failed);
        });
    }
    return job->id;
}

void FileReader::Stop(quint64 id)
{
    if (const std::shared_ptr<Job> job = m_jobs.take(id))
        job->cancel.Cancel();
}

void FileReader::run(const std::shared_ptr<Job> &job)
{
    const quint64 id = job->id;
    // Whatever happens on this thread stays on it: nothing may end the
    // process from here.
    try {
        if (job->rows) {
            judge(job, *job->rows);
            return;
        }
        Read read;
        read.identity = LiveFile::IdentityOf(job->path);
        int shown = -1;
        const auto progress = [&](qint64 done, qint64 size) {
            const int percent = size > 0 ? int(qMin<qint64>(100, done * 100 / size)) : 0;
            if (size <= 0 || percent == shown)
                return;
            shown = percent;
            job->post(job, [id, percent](FileReader &reader) { emit reader.progress(id, percent); });
        };
        const StreamWait wait = [&job, id](int fd) {
            for (;;) {
                switch (job->cancel.WaitReadable(fd, WaitingAfterMilliseconds)) {
                case ReadCancel::Wait::Cancelled:
                    return false;
                case ReadCancel::Wait::Ready:
                    if (std::exchange(job->waitingTold, false))
                        job->post(job, [id](FileReader &reader) { emit reader.waiting(id, false); });
                    return true;
                case ReadCancel::Wait::TimedOut:
                    if (!std::exchange(job->waitingTold, true))
                        job->post(job, [id](FileReader &reader) { emit reader.waiting(id, true); });
                    break;
                }
            }
        };
        read.read = LoadedFile::Load(job->path, &read.file, &read.error, job->cancel.Flag(),
                                     progress, wait);
        if (job->cancel.Cancelled())
            return;
        // Opened here, where a file system that hangs holds nothing up.
        if (read.read)
            read.held = HeldFile::Open(job->path, read.identity);
        const MeasurementRows rows = read.file.rows; // shared, not copied
        const bool judged = read.read;
        job->finishTold = true;
        job->post(job, [id, read = std::move(read)](FileReader &reader) {
            if (!read.read)
                reader.m_jobs.remove(id);
            emit reader.finished(id, read);
        });
        // The fibers are judged while the window shows the file.
        if (judged)
            judge(job, rows);
    } catch (const std::bad_alloc &) {
        if (job->finishTold || job->rows)
            return;
        Read failed;
        FileError::ReadFailed(job->path, tr("it is too big for the memory of this computer"),
                              &failed.error);
        try {
            job->post(job, [id, failed](FileReader &reader) {
                reader.m_jobs.remove(id);
                emit reader.finished(id, failed);
            });
        } catch (const std::bad_alloc &) {
        }
    }
}

void FileReader::judge(const std::shared_ptr<Job> &job, const MeasurementRows &rows)
{
    LoadedFile::Verdicts verdicts;
    if (!LoadedFile::Judge(rows, &verdicts, job->cancel.Flag(), job->inputs))
        return;
    job->post(job, [id = job->id, verdicts = std::move(verdicts)](FileReader &reader) {
        reader.m_jobs.remove(id);
        emit reader.judged(id, verdicts);
    });
}
