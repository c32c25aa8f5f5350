#pragma once

#include <atomic>

// SIGINT and SIGTERM during a command-line job. The signals are blocked in
// every thread and taken by a watcher thread of their own, which raises a
// flag that the jobs look at between blocks and pages, so that every file
// being written is abandoned cleanly (no temporary left, no target
// changed). A job that cannot look, because a system call blocks it (the
// open of a FIFO that no one writes, a reader that has stalled), is not
// waited for: after a short grace the watcher removes the temporary files
// itself and ends the process by the signal.
namespace StopSignals {

// How long a job may take to stop on its own.
constexpr int GraceMilliseconds = 300;

// Blocks SIGINT and SIGTERM and starts the watcher. Call it first thing in
// main, before any thread exists, so that every thread inherits the mask.
void Install();

// Set once the watcher has taken either signal.
const std::atomic<bool> &Flag();

// True once either signal has come, whether the watcher has taken it yet
// or not: what a job looks at before it tells a failure or finishes.
bool Requested();

// The signal that arrived first, or 0.
int Caught();

// When a signal was caught: ends the process by that signal, as it would
// have ended without the watcher, so callers see why it stopped.
void EndByCaughtSignal();

} // namespace StopSignals
