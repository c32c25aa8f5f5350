#pragma once

#include <QLocale>
#include <QStringList>

class QCoreApplication;

// The program's texts in the user's language: its own translation and Qt's
// (the buttons of Qt's dialogs), when the locale names a language that has
// one installed. Under any other locale nothing is installed and every text
// stays as the code writes it.
namespace Translations {

// Installs the translations for `locale` into `app`; true when the
// program's own was found.
bool Install(QCoreApplication &app, const QLocale &locale = QLocale::system());

// Where the program's own translations are looked for, in turn: beside the
// program in the build tree, then the installation's share folder as seen
// from the command's folder and from the window program's.
QStringList Folders();

} // namespace Translations
