#pragma once

#include "cli/ExitStatus.h"
#include "cli/PrintPdfJob.h"

struct Options;

// The jobs that run without a window and exit.
namespace HeadlessJob {

// Runs the job that `options` name, which is not the window. --print-pdf
// draws through `writePdf`, which only the window program has: the quenvale
// command hands that job to it instead.
ExitStatus Run(const Options &options, const PrintPdfJob::Writer &writePdf = {});

} // namespace HeadlessJob
