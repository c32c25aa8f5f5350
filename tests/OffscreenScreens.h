#pragma once

// Screens of the sizes users have, side by side on the offscreen platform:
// 1440 x 900 (the primary), 1024 x 768, 1280 x 720, 1366 x 768, 1920 x 1080,
// 2560 x 1440 and 3840 x 2160 at scale 1, and 1920 x 1080 at 150 % and
// 3840 x 2160 at 200 % (1280 x 720 and 1920 x 1080 logical pixels).
// A test program that needs them starts with QUENVALE_MAIN_ON_SCREENS.

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

namespace OffscreenScreens {

// The screen of this logical size and pixel ratio; null where the platform
// has none (a test run on a real display).
inline QScreen *find(const QSize &size, qreal ratio = 1.0)
{
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->geometry().size() == size && qFuzzyCompare(screen->devicePixelRatio(), ratio))
            return screen;
    return nullptr;
}

// Puts the window on the screen, at its top left corner, before it is shown.
inline void place(QWidget *window, QScreen *screen)
{
    window->setScreen(screen);
    window->move(screen->availableGeometry().topLeft());
}

} // namespace OffscreenScreens

// In a test whose data has the columns "screen" (QSize, logical pixels) and
// "ratio" (qreal): fetches both and names the screen `where`, or skips the
// row where the platform has no such screen.
#define QUENVALE_FETCH_SCREEN(where)                                                         \
    QFETCH(QSize, screen);                                                                   \
    QFETCH(qreal, ratio);                                                                    \
    QScreen *where = OffscreenScreens::find(screen, ratio);                                  \
    if (!where)                                                                              \
    QSKIP("no such screen on this platform")

#define QUENVALE_MAIN_ON_SCREENS(TestObject)                                                 \
    int main(int argc, char *argv[])                                                         \
    {                                                                                        \
        if (qgetenv("QT_QPA_PLATFORM") == "offscreen")                                       \
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QUENVALE_SOURCE_DIR           \
                                       "/tests/offscreen-screens.json");                     \
        QApplication app(argc, argv);                                                        \
        TestObject test;                                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                                           \
        return QTest::qExec(&test, argc, argv);                                              \
    }
