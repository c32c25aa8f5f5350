#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class QString;
class QThread;
class QWidget;

// A window's work on a thread of its own, such as reading a folder: begun
// anew (what ran before stopped first), stopped when the window closes,
// and what it found handed back to the window's thread, where `work`'s
// answer runs; never once it has been stopped.
class WindowWork : public QObject
{
    Q_OBJECT
public:
    using Done = std::function<void()>;
    using Work = std::function<Done(const std::atomic<bool> &stop)>;

    explicit WindowWork(QObject *parent = nullptr);
    ~WindowWork() override;

    void Start(Work work);
    // Runs `job` on a thread of its own while the window waits behind a
    // progress dialog labelled `label` (shown once the job takes a moment)
    // whose Stop sets the flag the job looks at; `stopped` says whether it
    // did. True for what the job returns.
    static bool Wait(QWidget *parent, const QString &label, const std::function<bool(const std::atomic<bool> &)> &job,
                     bool *stopped);
    void Stop();
    bool Running() const { return m_thread != nullptr; }

private:
    void join();

    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stop;
};
