#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

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
    void Stop();
    bool Running() const { return m_thread != nullptr; }

private:
    void join();

    QThread *m_thread = nullptr;
    std::shared_ptr<std::atomic<bool>> m_stop;
};
