#pragma once

#include <QString>

// A notice on the desktop through the freedesktop notifications service
// on the session bus; nothing where no session bus or service is there.
class DesktopNotice
{
public:
    // Sends it and returns at once; false where there is no session bus.
    static bool Show(const QString &summary, const QString &body);
};
