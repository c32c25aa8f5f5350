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
    }
    painter->restore();
}

QPixmap VerdictIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(), size), mode, state);
    return pixmap;
}
