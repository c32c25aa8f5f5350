#pragma once

#include "cli/ExitStatus.h"

#include <QStringList>

#include <functional>

// The process around a job that runs without a window.
namespace HeadlessProcess {

// Standard streams taken, the fatal signals left to their watcher thread
// (before any other thread exists), which makes SIGPIPE a write error, the
// program's name and version set; then `job` makes the application object
// and runs. A job stopped by a signal ends the process by that signal.
// Returns the job's exit status for main.
int Run(const std::function<ExitStatus()> &job);

// Tells on standard error why `arguments` cannot be used, in the user's
// language (which takes an application object), and returns the exit code
// of unusable arguments.
int RefuseArguments(char *argv[], const QStringList &arguments);

} // namespace HeadlessProcess
