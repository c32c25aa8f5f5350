#include "view/Resources.h"

#include "view/PixelArtIconEngine.h"
#include "view/VerdictIconEngine.h"

#include <QStringList>
#include <QWidget>
#include <QtGlobal>

#include <cmath>

static void initQuenvaleResources()
{
    Q_INIT_RESOURCE(quenvale);
}

namespace {

// The coordinate nearest to `c`, going `inward` (+1 or -1), that lies on a
// whole device pixel. Scales in quarters and thirds find one within three
// steps; any other keeps `c`.
int snapped(int c, int origin, qreal ratio, int inward)
{
    for (int step = 0; step < 4; ++step) {
        const qreal device = (origin + c + inward * step) * ratio;
        if (std::abs(device - std::round(device)) < 0.01)
            return c + inward * step;
    }
    return c;
}

} // namespace

namespace Resources {

void Init()
{
    static const bool done = (initQuenvaleResources(), true);
    Q_UNUSED(done);
}

QFont FormFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("AR PL UMing CN"), QStringLiteral("SimSun"),
                      QString::fromUtf8("\xe5\xae\x8b\xe4\xbd\x93")}); // 宋体
    font.setPixelSize(12);
    return font;
}

QIcon PixelArtIcon(const QString &path, const QColor &ink)
{
    Init();
    return QIcon(new PixelArtIconEngine(QImage(path), ink));
}

QIcon VerdictIcon(bool passed)
{
    static const QIcon pass(new VerdictIconEngine(VerdictIconEngine::Passes));
    static const QIcon fail(new VerdictIconEngine(VerdictIconEngine::Fails));
    return passed ? pass : fail;
}

QIcon BeingWrittenIcon()
{
    static const QIcon written(new VerdictIconEngine(VerdictIconEngine::BeingWritten));
    return written;
}

QRect OnDevicePixels(const QRect &rect, const QPoint &origin, qreal ratio)
{
    return QRect(QPoint(snapped(rect.left(), origin.x(), ratio, 1),
                        snapped(rect.top(), origin.y(), ratio, 1)),
                 QPoint(snapped(rect.right(), origin.x(), ratio, -1),
                        snapped(rect.bottom(), origin.y(), ratio, -1)));
}

void PlaceOnDevicePixels(QWidget *control, const QRect &rect)
{
    const QWidget *parent = control->parentWidget();
    const QPoint origin = parent ? parent->mapTo(control->window(), QPoint()) : QPoint();
    control->setGeometry(OnDevicePixels(rect, origin, control->devicePixelRatioF()));
}

} // namespace Resources
