#include "output/SummaryWriters.h"

#include "output/SummaryCsvWriter.h"
#include "output/SummaryJsonLinesWriter.h"
#include "output/SummaryJsonWriter.h"
#include "output/SummaryTextWriter.h"

namespace SummaryWriters {

std::unique_ptr<SummaryWriter> Create(SummaryWriter::Format format, bool colour)
{
    switch (format) {
    case SummaryWriter::Json:
        return std::make_unique<SummaryJsonWriter>();
    case SummaryWriter::JsonLines:
        return std::make_unique<SummaryJsonLinesWriter>();
    case SummaryWriter::Csv:
        return std::make_unique<SummaryCsvWriter>();
    case SummaryWriter::Text:
        break;
    }
    return std::make_unique<SummaryTextWriter>(colour);
}

} // namespace SummaryWriters
