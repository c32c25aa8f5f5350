#pragma once

#include <QColor>
#include <QIconEngine>
#include <QImage>

// An icon drawn from one small picture of pixel art at any size by
// repeating its pixels, never by blending them, so that it stays as sharp
// at 150 % and 200 % as at 100 %. Its black outlines may be drawn in
// another ink, for a dark background, where black would vanish.
class PixelArtIconEngine : public QIconEngine
{
public:
    explicit PixelArtIconEngine(const QImage &art, const QColor &ink = Qt::black);

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;

private:
    QImage m_art;
};
