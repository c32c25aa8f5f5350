#include "app/LockKeyState.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#if defined(QUENVALE_HAVE_XKB) && QT_CONFIG(xcb)
// After the Qt headers: Xlib's macros would clash with Qt's names.
#include <X11/XKBlib.h>

namespace {

// The lights' indexes by their standard names; -1 where the keymap has none.
struct Indicators
{
    int caps = -1;
    int num = -1;
    int scroll = -1;
};

int indicatorIndex(Display *display, const char *name)
{
    const Atom atom = XInternAtom(display, name, True);
    int index = -1;
    if (atom == 0 || !XkbGetNamedIndicator(display, atom, &index, nullptr, nullptr, nullptr))
        return -1;
    return index;
}

bool isLit(unsigned int lights, int index)
{
    return index >= 0 && index < 32 && (lights & (1u << index)) != 0;
}

} // namespace

bool LockKeyState::Read(LockKeyState &state)
{
    state = LockKeyState();
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                              : nullptr;
    Display *display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    // One round trip per update; the names are looked up once.
    static const Indicators indicators{indicatorIndex(display, "Caps Lock"),
                                       indicatorIndex(display, "Num Lock"),
                                       indicatorIndex(display, "Scroll Lock")};
    unsigned int lights = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &lights) != Success)
        return false;
    state.caps = isLit(lights, indicators.caps);
    state.num = isLit(lights, indicators.num);
    state.scroll = isLit(lights, indicators.scroll);
    return true;
}

#else

bool LockKeyState::Read(LockKeyState &state)
{
    state = LockKeyState();
    return false;
}

#endif
