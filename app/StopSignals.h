#pragma once

#include <atomic>

// SIGINT and SIGTERM during a command-line job: the handler only raises a
// flag, which the jobs look at between blocks and pages, so that every file
// being written is abandoned cleanly (no temporary left, no target changed).
namespace StopSignals {

// Catches SIGINT and SIGTERM from now on. System calls they interrupt are
// not restarted, so a job blocked on a pipe sees the stop too.
void Install();

// Set once either signal has arrived.
const std::atomic<bool> &Flag();

// The signal that arrived first, or 0.
int Caught();

// When a signal was caught: ends the process by that signal, as it would
// have ended without the handler, so callers see why it stopped.
void EndByCaughtSignal();

} // namespace StopSignals
