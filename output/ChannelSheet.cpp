#include "output/ChannelSheet.h"

#include "data/ChannelColumns.h"
#include "data/ThresholdJudge.h"
#include "output/WorkbookFormats.h"
#include "output/WorkbookSheet.h"
#include "output/Wording.h"

namespace ChannelSheet {

namespace {

// How a figure's cell shows it: a margin signed to two places, a ratio to
// two places, anything else as it is.
lxw_format *formatOf(const ChannelColumns::Column &column, const WorkbookFormats &formats)
{
    if (column.kind != ChannelColumns::Kind::Decimal || column.decimals != 2)
        return nullptr;
    if (qstrcmp(column.unit, "dB") == 0)
        return formats.margin;
    return *column.unit ? nullptr : formats.places;
}

// The column of Cpk, which is marked where it is low.
int cpkColumn(bool banded)
{
    return int(Headings(banded).indexOf(
        ChannelColumns::HeadingWithUnit(ChannelColumns::All().at(ChannelColumns::IndexOf("cpk")))));
}

} // namespace

QStringList Headings(bool banded)
{
    // The sheets' headings stay in English: scripts read the workbook by them.
    QStringList headings{QStringLiteral("Channel"), QStringLiteral("Wavelength")};
    for (const ChannelColumns::Column &column : ChannelColumns::All()) {
        if (!column.banded || banded)
            headings.append(ChannelColumns::HeadingWithUnit(column));
    }
    return headings;
}

void Write(WorkbookSheet &sheet, const ThresholdJudge &judge, const WorkbookFormats &formats)
{
    const bool banded = judge.WarnMargin().has_value();
    for (const ThresholdJudge::ChannelFigures &figures : judge.Channels()) {
        if (!sheet.NextRow())
            break;
        int column = 0;
        sheet.Text(column++, QString::fromUtf8(figures.channel));
        sheet.NumberOrField(column++, figures.waveLength);
        for (const ChannelColumns::Column &each : ChannelColumns::All()) {
            if (each.banded && !banded)
                continue;
            const std::optional<double> value = each.get(figures);
            if (value && each.kind == ChannelColumns::Kind::Capability)
                sheet.Text(column, Wording::Capability(*value));
            else if (value)
                sheet.Number(column, *value, formatOf(each, formats));
            ++column;
        }
    }
    formats.MarkLowCapability(sheet, cpkColumn(banded));
}

} // namespace ChannelSheet
