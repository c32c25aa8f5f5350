#pragma once

// How the quenvale command ends, whatever it was asked to do. A job
// stopped by a fatal signal (SIGHUP, SIGINT, SIGTERM, ...) ends by that
// signal instead (128 + N to a shell), see StopSignals.
enum class ExitStatus {
    Success = 0,           // every file was written; --summary: every file passed
    Failure = 1,           // a file or path could not be read or written (comes before 3)
    UnusableArguments = 2, // nothing was done
    SomeFailed = 3,        // --summary, --trend: a fiber or a file failed
};

// The status as main returns it.
constexpr int ExitCode(ExitStatus status)
{
    return int(status);
}
