#pragma once

#include <QSize>
#include <QString>

class QAbstractItemView;
class QLineEdit;

// What a text takes in a control, in the control's own font and the style
// in effect, whatever a style sheet makes of them (padding, frames).
namespace StyleMetrics {

// The width of a line edit that shows `text` whole.
int LineEditWidth(const QLineEdit &edit, const QString &text);
// The size of an item of `view` that shows `text` whole, beside an icon of
// the view's icon size with `decoration`.
QSize ItemSize(const QAbstractItemView &view, const QString &text, bool decoration);

} // namespace StyleMetrics
