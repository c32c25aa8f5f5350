#pragma once

#include <csignal>

// The signals that end a process by default and that a job turns into a
// clean end, its temporary files removed: HUP (a closed terminal or ssh
// session), INT, QUIT, PIPE, TERM, ALRM, USR1, USR2, XFSZ and XCPU.
//
// PIPE and XFSZ also come from the process's own writes (to a reader that
// went away, past the file size limit); blocked, such a write fails with
// EPIPE or EFBIG instead, and the signal stays pending on the thread that
// wrote, where it means nothing. Only the others, which come from outside
// alone, tell by being pending that the process is asked to stop.
namespace FatalSignals {

// Every one of them.
sigset_t All();

// Those that only come from outside.
sigset_t FromOutside();

// True when one of FromOutside() is pending for the calling thread or the
// process: it has come and no one has taken it yet.
bool Pending();

} // namespace FatalSignals
