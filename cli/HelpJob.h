#pragma once

#include "cli/ExitStatus.h"

// --help and --version, written to standard output.
namespace HelpJob {

// The help: the command's forms, what they do, and every option.
ExitStatus PrintHelp();

// "Quenvale 2.13": the application's name and version.
ExitStatus PrintVersion();

} // namespace HelpJob
