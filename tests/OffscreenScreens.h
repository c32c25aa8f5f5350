#pragma once

// Included by a test program: on the offscreen platform, screens of the sizes
// users have side by side (offscreen-screens.json), the first of 1440 x 900.
#include <QByteArray>

static void offscreenScreens()
{
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" QUENVALE_SOURCE_DIR "/tests/offscreen-screens.json");
}
Q_CONSTRUCTOR_FUNCTION(offscreenScreens)
