#include "cli/OptionValues.h"

#include "cli/Options.h"

#include <QStringList>

#include <cmath>

namespace OptionValues {

// "text", "json", "jsonl" or "csv", in any case.
bool ParseFormat(const QString &name, SummaryWriter::Format *format)
{
    static const struct
    {
        const char *name;
        SummaryWriter::Format format;
    } kFormats[] = {{"text", SummaryWriter::Text},
                    {"json", SummaryWriter::Json},
                    {"jsonl", SummaryWriter::JsonLines},
                    {"csv", SummaryWriter::Csv}};
    for (const auto &known : kFormats) {
        if (name.compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0) {
            *format = known.format;
            return true;
        }
    }
    return false;
}

// "png", "svg" or "pdf", in any case; kept in lower case.
bool ParseImageFormat(const QString &name, QString *format)
{
    for (const char *known : {"png", "svg", "pdf"}) {
        if (name.compare(QLatin1String(known), Qt::CaseInsensitive) == 0) {
            *format = QLatin1String(known);
            return true;
        }
    }
    return false;
}

// A number of dB, 0 or more.
bool ParseMargin(const QString &text, std::optional<double> *margin)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < 0)
        return false;
    *margin = value;
    return true;
}

// WxH in pixels, within the sizes a plot is drawn at.
bool ParseSize(const QString &text, QSize *size)
{
    const QStringList parts = text.split(QLatin1Char('x'), Qt::KeepEmptyParts, Qt::CaseInsensitive);
    if (parts.size() != 2)
        return false;
    bool wide = false, high = false;
    const QSize parsed(parts.at(0).toInt(&wide), parts.at(1).toInt(&high));
    const QSize least = Options::SmallestImageSize(), most = Options::LargestImageSize();
    if (!wide || !high || parsed.width() < least.width() || parsed.height() < least.height()
        || parsed.width() > most.width() || parsed.height() > most.height())
        return false;
    *size = parsed;
    return true;
}

bool ParseStep(const QString &text, int *hundredths)
{
    bool ok = false;
    const double step = text.toDouble(&ok) * 100;
    const double whole = std::round(step);
    if (!ok || !std::isfinite(step) || whole < 1 || whole > 100000 || std::abs(step - whole) > 1e-6)
        return false;
    *hundredths = int(whole);
    return true;
}

bool ParseCount(const QString &text, int least, int most, int *count)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < least || value > most)
        return false;
    *count = value;
    return true;
}

bool ParseTarget(const QString &text, double *percent)
{
    bool ok = false;
    const double target = text.toDouble(&ok);
    if (!ok || !std::isfinite(target) || target <= 0 || target > 100)
        return false;
    *percent = target;
    return true;
}

} // namespace OptionValues
