#include "cli/TerminalStatus.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QMutexLocker>

#include <cstdio>
#include <unistd.h>

namespace TerminalStatus {

namespace {

const char kErase[] = "\r\033[K";

struct State
{
    QMutex mutex;
    const bool terminal = ::isatty(STDERR_FILENO) == 1;
    // Results go to the same screen, so the status must step aside for them.
    const bool sharedScreen = terminal && ::isatty(STDOUT_FILENO) == 1;
    QByteArray line;          // the status to show, empty when there is none
    bool drawn = false;       // it is on the screen now
    bool midLine = false;     // standard output's last line is not ended yet
    QList<QByteArray> waiting; // messages held until that line ends
};

State &state()
{
    static State instance;
    return instance;
}

void put(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

void erase(State &s)
{
    if (s.drawn)
        put(kErase);
    s.drawn = false;
}

// Messages that waited, then the status, while the screen's line is free.
void redraw(State &s)
{
    if (s.midLine)
        return;
    for (const QByteArray &message : std::as_const(s.waiting))
        put(message);
    s.waiting.clear();
    if (s.terminal && !s.line.isEmpty()) {
        put('\r' + s.line);
        s.drawn = true;
    }
}

} // namespace

void Show(const QString &line)
{
    State &s = state();
    if (!s.terminal)
        return;
    const QMutexLocker lock(&s.mutex);
    erase(s);
    s.line = line.toLocal8Bit();
    redraw(s);
}

void End()
{
    State &s = state();
    const QMutexLocker lock(&s.mutex);
    if (s.drawn)
        put("\n");
    s.drawn = false;
    s.line.clear();
}

void Close()
{
    State &s = state();
    const QMutexLocker lock(&s.mutex);
    if (s.waiting.isEmpty())
        return;
    if (s.midLine)
        put("\n");
    s.midLine = false;
    redraw(s);
}

void Output(QByteArrayView bytes, const std::function<void(QByteArrayView)> &write)
{
    State &s = state();
    if (!s.sharedScreen || bytes.isEmpty()) {
        write(bytes);
        return;
    }
    const QMutexLocker lock(&s.mutex);
    erase(s);
    write(bytes);
    s.midLine = !bytes.endsWith('\n');
    redraw(s);
}

void Message(const QString &message)
{
    const QByteArray text = "quenvale: " + message.toLocal8Bit() + '\n';
    State &s = state();
    const QMutexLocker lock(&s.mutex);
    if (s.midLine) {
        s.waiting.append(text);
        return;
    }
    erase(s);
    put(text);
    redraw(s);
}

} // namespace TerminalStatus
