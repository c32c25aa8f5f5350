#include "view/VerdictIconEngine.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

void VerdictIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State)
{
    const qreal side = qMin(rect.width(), rect.height());
    const QRectF disc(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2,
                      side, side);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    if (m_kind == Marginal) {
        paintWarning(painter, disc);
        painter->restore();
        return;
    }
    painter->setPen(Qt::NoPen);
    const QColor colours[] = {QColor(0x00, 0x9e, 0x73), QColor(0xd5, 0x5e, 0x00), QColor(0x80, 0x80, 0x80)};
    painter->setBrush(colours[m_kind]);
    painter->drawEllipse(disc.adjusted(0.5, 0.5, -0.5, -0.5));
    QPen mark(Qt::white, qMax<qreal>(1.5, side / 7), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter->setPen(mark);
    painter->setBrush(Qt::NoBrush);
    const auto at = [&disc](qreal x, qreal y) {
        return QPointF(disc.left() + x * disc.width(), disc.top() + y * disc.height());
    };
    switch (m_kind) {
    case Passes: {
        QPainterPath tick(at(0.27, 0.52));
        tick.lineTo(at(0.44, 0.69));
        tick.lineTo(at(0.74, 0.33));
        painter->drawPath(tick);
        break;
    }
    case Fails:
        painter->drawLine(at(0.32, 0.32), at(0.68, 0.68));
        painter->drawLine(at(0.68, 0.32), at(0.32, 0.68));
        break;
    case BeingWritten:
        for (const qreal x : {0.28, 0.5, 0.72})
            painter->drawPoint(at(x, 0.5));
        break;
    case Marginal:
        break;
    }
    painter->restore();
}

// A triangle on its base, the warning's shape, outlined so that it stands
// out on an orange-ish background too; the "!" in black, which reads on
// orange where white would not.
void VerdictIconEngine::paintWarning(QPainter *painter, const QRectF &box)
{
    const auto at = [&box](qreal x, qreal y) {
        return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
    };
    const qreal side = box.width();
    painter->setPen(QPen(QColor(0x60, 0x40, 0x00), qMax<qreal>(1, side / 16), Qt::SolidLine, Qt::RoundCap,
                         Qt::RoundJoin));
    painter->setBrush(QColor(0xe6, 0x9f, 0x00));
    painter->drawPolygon(QPolygonF{at(0.5, 0.06), at(0.96, 0.92), at(0.04, 0.92)});
    painter->setPen(QPen(Qt::black, qMax<qreal>(1.5, side / 8), Qt::SolidLine, Qt::RoundCap));
    painter->drawLine(at(0.5, 0.36), at(0.5, 0.62));
    painter->drawPoint(at(0.5, 0.78));
}

QPixmap VerdictIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(), size), mode, state);
    return pixmap;
}
