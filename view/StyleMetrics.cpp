#include "view/StyleMetrics.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QStyleOptionViewItem>

namespace StyleMetrics {

int LineEditWidth(const QLineEdit &edit, const QString &text)
{
    edit.ensurePolished();
    QStyleOptionFrame frame;
    frame.initFrom(&edit);
    frame.lineWidth = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, &edit);
    const QMargins margins = edit.textMargins();
    // The line edit's own margin around its text: two pixels a side.
    const QSize contents(edit.fontMetrics().horizontalAdvance(text) + margins.left() + margins.right() + 4,
                         edit.fontMetrics().height());
    return edit.style()->sizeFromContents(QStyle::CT_LineEdit, &frame, contents, &edit).width();
}

QSize ItemSize(const QAbstractItemView &view, const QString &text, bool decoration)
{
    view.ensurePolished();
    QStyleOptionViewItem item;
    item.initFrom(view.viewport());
    item.font = view.font();
    item.fontMetrics = view.fontMetrics();
    item.text = text;
    item.features = QStyleOptionViewItem::HasDisplay;
    if (decoration) {
        item.features |= QStyleOptionViewItem::HasDecoration;
        item.decorationSize = view.iconSize();
    }
    return view.style()->sizeFromContents(QStyle::CT_ItemViewItem, &item, QSize(), &view);
}

} // namespace StyleMetrics
