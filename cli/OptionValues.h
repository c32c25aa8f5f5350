#pragma once

#include "output/SummaryWriter.h"

#include <QSize>
#include <QString>

#include <optional>

// The values the options take, each read from its text: true with the
// value set where the text is one, false (the value left as it was)
// otherwise.
namespace OptionValues {

// "text", "json", "jsonl" or "csv", in any case.
bool ParseFormat(const QString &name, SummaryWriter::Format *format);
// "png", "svg" or "pdf", in any case; kept in lower case.
bool ParseImageFormat(const QString &name, QString *format);
// A number of dB, 0 or more.
bool ParseMargin(const QString &text, std::optional<double> *margin);
// WxH in pixels, within the sizes a plot is drawn at.
bool ParseSize(const QString &text, QSize *size);
// A step of dB, a whole number of hundredths from 0.01 to 1000.
bool ParseStep(const QString &text, int *hundredths);
// A whole number from `least` to `most`.
bool ParseCount(const QString &text, int least, int most, int *count);
// A yield in percent, above 0 and up to 100.
bool ParseTarget(const QString &text, double *percent);

} // namespace OptionValues
