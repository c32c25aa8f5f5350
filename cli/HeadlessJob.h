#pragma once

#include "cli/ExitStatus.h"
#include "cli/PlotJob.h"
#include "cli/PrintPdfJob.h"

struct Options;

// The jobs that run without a window and exit.
namespace HeadlessJob {

// What draws, which only the window program has: the quenvale command
// hands the jobs that draw to it instead.
struct Drawing
{
    PrintPdfJob::Writer writePdf;
    PrintPdfJob::LotWriter writeLotPdf;
    PlotJob::Writer writePlot;
};

// Runs the job that `options` name, which is not the window. --print-pdf
// and --plot draw through `drawing`.
ExitStatus Run(const Options &options, const Drawing &drawing = {});

} // namespace HeadlessJob
