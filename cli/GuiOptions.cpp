#include "cli/GuiOptions.h"

#include <cstring>

namespace GuiOptions {

namespace {

// From QGuiApplication, QApplication and the X11 platform.
const char *const kWithValue[] = {
    "display", "geometry", "icon", "name", "platform", "platformpluginpath",
    "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "session", "style", "stylesheet", "title", "visual"};
const char *const kWithJoinedValue[] = {"qmljsdebugger", "session", "style", "stylesheet"};
const char *const kFlags[] = {"dograb", "nograb", "reverse", "testability", "widgetcount"};

const char kEndOfOptions[] = "--";

template <size_t N>
bool isOneOf(QStringView name, const char *const (&names)[N])
{
    for (const char *candidate : names) {
        if (name == QLatin1String(candidate))
            return true;
    }
    return false;
}

// 0 when `argument` is none of Qt's options; otherwise how many arguments
// it takes up, its value included.
int guiOptionLength(const QString &argument)
{
    if (!argument.startsWith(QLatin1Char('-')))
        return 0;
    const QStringView name = QStringView(argument).mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(QLatin1Char('='));
    if (equals >= 0)
        return isOneOf(name.first(equals), kWithJoinedValue) ? 1 : 0;
    if (isOneOf(name, kFlags))
        return 1;
    return isOneOf(name, kWithValue) ? 2 : 0;
}

} // namespace

QStringList Without(const QStringList &arguments)
{
    QStringList kept = arguments.mid(0, 1);
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String(kEndOfOptions)) {
            kept += arguments.mid(i);
            break;
        }
        const int length = guiOptionLength(argument);
        if (length == 0)
            kept.append(argument);
        else
            i += length - 1;
    }
    return kept;
}

int ApplicationArgumentCount(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], kEndOfOptions) == 0)
            return i;
    }
    return argc;
}

} // namespace GuiOptions
