#pragma once

#include <atomic>

// The fatal signals during a job (see FatalSignals: HUP, INT, QUIT, PIPE,
// TERM, ALRM, USR1, USR2, XFSZ, XCPU). They are blocked in every thread and
// taken by a watcher thread of their own, which raises a flag that the jobs
// look at between blocks and pages, so that every file being written is
// abandoned cleanly (no temporary left, no target changed). A job that
// cannot look, because a system call blocks it (the open of a FIFO that no
// one writes, a reader that has stalled), is not waited for: after a short
// grace the watcher removes the temporary files itself and ends the process
// by the signal.
//
// Blocked, SIGPIPE and SIGXFSZ raised by a write of the process itself make
// that write fail (EPIPE, EFBIG) instead of ending the process; sent from
// outside, they stop it as the others do. A signal other than SIGINT and
// SIGTERM that the process was started with ignored (nohup's SIGHUP, a
// background job's SIGQUIT) stays ignored.
namespace StopSignals {

// How long a job may take to stop on its own.
constexpr int GraceMilliseconds = 300;

// Blocks the signals and starts the watcher, which gives the jobs
// `graceMilliseconds` to stop by themselves. Call it first thing in main,
// before any thread exists, so that every thread inherits the mask.
void Install(int graceMilliseconds = GraceMilliseconds);

// Set once the watcher has taken a signal.
const std::atomic<bool> &Flag();

// True once a signal has come from outside, whether the watcher has taken
// it yet or not: what a job looks at before it tells a failure or finishes.
bool Requested();
// Runs the event loop (of a job that watches) until a stopping signal
// comes.
void RunUntilRequested();

// The signal that arrived first, or 0.
int Caught();

// When a signal was caught: ends the process by that signal, as it would
// have ended without the watcher, so callers see why it stopped.
void EndByCaughtSignal();

} // namespace StopSignals
