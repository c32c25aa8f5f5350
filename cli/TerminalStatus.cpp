#include "cli/TerminalStatus.h"

#include "output/LibraryMessages.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QMutexLocker>

#include <cerrno>
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

// A message's text for the terminal: whatever control character is left in
// it (one of a library's messages, a name not passed through
// NativePath::Display) is written \xNN, byte by byte as Display writes
// them, so that no message can move the cursor, retitle the window or
// erase the screen. Its own line breaks and tabs stay.
QByteArray shown(const QString &text)
{
    QString safe;
    safe.reserve(text.size());
    const auto byte = [](unsigned value) { return QStringLiteral("\\x%1").arg(value, 2, 16, QLatin1Char('0')); };
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\n' || u == '\t' || (u >= 0x20 && u < 0x7f) || u >= 0xa0)
            safe += c;
        else if (u < 0x80)
            safe += byte(u);
        else
            safe += byte(0xc2) + byte(u);
    }
    return safe.toLocal8Bit();
}

// Straight to the descriptor: stdio's standard error holds back what a
// library prints on a thread that calls it (see LibraryMessages), and the
// program's own messages must pass whichever thread tells them.
void put(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(STDERR_FILENO, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno != EINTR)
            return;
        done += qMax<ssize_t>(written, 0);
    }
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
    s.line = shown(line);
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
    const QByteArray text = "quenvale: " + shown(message) + '\n';
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

void CatchQtMessages()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (!LibraryMessages::Held())
            Message(qFormatLogMessage(type, context, message));
    });
}

} // namespace TerminalStatus
