#pragma once

#include <QStringList>

// Qt's own options for every GUI application (-style, -platform, -display,
// -geometry and the others, with one dash or two). Qt takes them out of the
// arguments itself, so the program's parser passes over them; after "--"
// every argument is a file, for Qt as for the program.
namespace GuiOptions {

// The arguments (program name first) without Qt's GUI options and their
// values; "--" and everything after it are kept.
QStringList Without(const QStringList &arguments);

// How many of the first arguments the application object may see: all of
// them up to "--", so that Qt never takes a file for one of its options.
int ApplicationArgumentCount(int argc, char **argv);

} // namespace GuiOptions
