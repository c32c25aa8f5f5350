#pragma once

#include "output/SummaryWriter.h"

#include <memory>

namespace SummaryWriters {

// The writer of a format; `colour` marks verdicts in the text format for a
// terminal.
std::unique_ptr<SummaryWriter> Create(SummaryWriter::Format format, bool colour = false);

} // namespace SummaryWriters
