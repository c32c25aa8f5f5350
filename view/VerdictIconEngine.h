#pragma once

#include <QIconEngine>

// The mark of a verdict, drawn at any size and scale: a white tick on a
// bluish green disc for a pass, a white cross on a vermilion disc for a
// fail, three white dots on a grey disc for a fiber still being written.
// They differ in shape, not in colour alone, and the colours stand apart
// for red-green colour-blind eyes and on light and dark backgrounds alike.
class VerdictIconEngine : public QIconEngine
{
public:
    enum Kind { Passes, Fails, BeingWritten };

    explicit VerdictIconEngine(Kind kind) : m_kind(kind) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override { return new VerdictIconEngine(m_kind); }

private:
    Kind m_kind;
};
