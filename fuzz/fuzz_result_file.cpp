// libFuzzer target: arbitrary bytes as a result file, through the reader's
// text-mode translation and split, the table cutting, the fiber names and
// the CSV text. Checks the invariants that every caller relies on.

#include "data/ChannelTable.h"
#include "data/ClassicAtof.h"
#include "data/ResultFile.h"
#include "output/CsvExport.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ResultFileText text = SplitResultText(bytes);
    check(text.header.size() + text.table.size() <= bytes.size());
    check(text.header.isEmpty() || text.header.endsWith('\n'));
    check(!text.header.contains('\0') && !text.table.contains('\0'));
    check(!text.table.contains('\x1a'));

    MeasurementRows rows = ChannelTable::CutTable(text.table);
    check(rows.Count() == text.table.size() / ChannelTable::LineLength);

    const QList<QByteArray> names = ChannelTable::FiberNames(rows);
    check(names.size() == ChannelTable::FiberCount(rows.Count()));
    CsvExport::StampFiberNames(rows, names);
    const QByteArray csv = CsvExport::Text(rows);
    check(csv.count("\r\n") >= rows.Count());
    check(rows.IsEmpty() == csv.isEmpty());

    const double value = ClassicAtof(bytes.constData(), bytes.constData() + bytes.size());
    check(!std::isnan(value));
    return 0;
}
