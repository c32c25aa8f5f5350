#pragma once

#include <QSize>

class QWidget;

// A window of the program's own (Summary, the distributions, Compare) at
// the size it wants, or smaller where its screen has less room, so that
// its buttons stay on the screen however large the fonts or the scale.
namespace DialogSize {

void Fit(QWidget &dialog, const QSize &wanted);

} // namespace DialogSize
