#include "view/PixelArtIconEngine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

PixelArtIconEngine::PixelArtIconEngine(const QImage &art, const QColor &ink)
    : m_art(art.convertToFormat(QImage::Format_ARGB32))
{
    if (ink == Qt::black)
        return;
    const QRgb black = qRgba(0, 0, 0, 255);
    for (int y = 0; y < m_art.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(m_art.scanLine(y));
        for (int x = 0; x < m_art.width(); ++x) {
            if (line[x] == black)
                line[x] = ink.rgba();
        }
    }
}

QSize PixelArtIconEngine::actualSize(const QSize &size, QIcon::Mode, QIcon::State)
{
    return m_art.size().scaled(size, Qt::KeepAspectRatio);
}

QPixmap PixelArtIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    const QSize target = actualSize(size, mode, state);
    if (m_art.isNull() || target.isEmpty())
        return QPixmap();
    QPixmap pixmap = QPixmap::fromImage(
        m_art.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    // Dimmed or highlighted as the style draws such icons.
    if (mode != QIcon::Normal && mode != QIcon::Active) {
        QStyleOption option;
        option.palette = QApplication::palette();
        pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
    }
    return pixmap;
}

void PixelArtIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
                               QIcon::State state)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap image = pixmap(rect.size() * ratio, mode, state);
    image.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect.topLeft(), image);
}

QIconEngine *PixelArtIconEngine::clone() const
{
    return new PixelArtIconEngine(m_art);
}
