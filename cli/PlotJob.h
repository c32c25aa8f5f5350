#pragma once

#include "cli/ExitStatus.h"
#include "output/DistributionImage.h"

#include <QString>

#include <atomic>
#include <functional>

struct Options;

// --plot: the distributions of each result file's channels as an image.
namespace PlotJob {

// Draws the plot of one result file into an image file (see
// DistributionImage::WriteResultFile, which only the window program links).
using Writer = std::function<bool(const QString &fibPath, const QString &outPath,
                                  const DistributionImage::Plot &plot, QString *error,
                                  const std::atomic<bool> *stop)>;

// The format of the images: --format's, else the target's extension for a
// single file, else PNG in a folder. Empty, with a message, where a single
// file's target names none.
QString Format(const Options &options, QString *error);

ExitStatus Run(const Options &options, const Writer &writePlot);

} // namespace PlotJob
