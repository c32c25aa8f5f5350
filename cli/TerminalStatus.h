#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>

// The one line at the bottom of a terminal that tells how far a job is,
// on standard error, and everything else written while it shows: results
// on standard output and messages on standard error never share a line
// with it. Before either is written the line is erased (a carriage return
// and erase to the end of the line), and it is drawn again after, once
// standard output stands at the start of a line; a message that comes
// while standard output is in the middle of a line of its own waits until
// that line ends. Safe on any thread. Where standard error is no terminal
// nothing is drawn and everything passes straight through.
namespace TerminalStatus {

// Shows `line` as the status, in place of the one before.
void Show(const QString &line);

// Ends the status: the last one shown stays, on a line of its own.
void End();

// Once the results are all written: messages still waiting for standard
// output's line to end are printed now, on a line of their own.
void Close();

// Writes `bytes` to standard output through `write`, around the status.
void Output(QByteArrayView bytes, const std::function<void(QByteArrayView)> &write);

// Prints "quenvale: message" on standard error, on a line of its own.
void Message(const QString &message);

// From now on Qt's messages (its warnings, and those of the libraries it
// passes on) are printed through Message, except those that come while
// the thread holds a LibraryMessages: the code there tells the failure in
// its own words.
void CatchQtMessages();

} // namespace TerminalStatus
