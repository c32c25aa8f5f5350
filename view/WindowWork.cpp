#include "view/WindowWork.h"

#include <QThread>

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
