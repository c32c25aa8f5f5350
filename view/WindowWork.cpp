#include "view/WindowWork.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>

#include <thread>

WindowWork::WindowWork(QObject *parent) : QObject(parent)
{
}

WindowWork::~WindowWork()
{
    Stop();
}

void WindowWork::Start(Work work)
{
    Stop();
    m_stop = std::make_shared<std::atomic<bool>>(false);
    const std::shared_ptr<std::atomic<bool>> stop = m_stop;
    m_thread = QThread::create([this, stop, work = std::move(work)] {
        Done done = work(*stop);
        if (!stop->load())
            QMetaObject::invokeMethod(
                this,
                [this, stop, done] {
                    if (stop->load())
                        return;
                    join();
                    done();
                },
                Qt::QueuedConnection);
    });
    m_thread->start();
}

void WindowWork::Stop()
{
    if (!m_thread)
        return;
    m_stop->store(true);
    join();
}

void WindowWork::join()
{
    if (!m_thread)
        return;
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

bool WindowWork::Wait(QWidget *parent, const QString &label, const std::function<bool(const std::atomic<bool> &)> &job,
                      bool *stopped)
{
    std::atomic<bool> stop{false};
    bool result = false;
    QEventLoop loop;
    QProgressDialog progress(label, tr("Stop"), 0, 0, parent);
    progress.setObjectName(QStringLiteral("exportProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setValue(0); // starts the wait before it shows
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&stop] { stop = true; });
    std::thread worker([&] {
        result = job(stop);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    *stopped = stop;
    return result;
}
