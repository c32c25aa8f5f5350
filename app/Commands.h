#pragma once

#include <QKeySequence>
#include <QList>

class CSDIQVLApp;

// Every command of the window, declared once: its number (StringTable's,
// whose text gives its status-bar prompt and its tool tip), the menu it
// stands in and where, its text, keys and tool bar image, and what carries
// it out. The menus, the tool bar and the keys are built from this table
// alone, in its order.
namespace Commands {

enum class Menu { None, File, Edit, Verdicts, Help };

// Rows that are no command: a separator in their menu, and the place of the
// recent files in the File menu.
constexpr int Separator = 0;
constexpr int RecentFiles = -1;

// What the window shows, as far as a command cares: the form without a
// tab, a result file's tab, or a lot's (a folder's or the database's).
enum Where : unsigned { WithoutTab = 1, InFileTab = 2, InLotTab = 4 };
// Where a command works, and so is enabled.
constexpr unsigned Anywhere = WithoutTab | InFileTab | InLotTab;
constexpr unsigned InAnyTab = InFileTab | InLotTab;
// The form's own commands: on a file's tab, and on the form shown without one.
constexpr unsigned OnTheForm = WithoutTab | InFileTab;

struct Command
{
    int id;
    Menu menu;
    const char *text;
    QList<QKeySequence> keys;
    // Its image on the tool bar and its place there, 0 for none; a place
    // left out between two is a separator.
    const char *image;
    int toolBarPlace;
    bool checkable;
    // Where it works (Where's values together); elsewhere it is disabled.
    unsigned where;
    // What the command does; null for a key that is taken and does nothing.
    void (*run)(CSDIQVLApp &app, bool checked);
    // Checkable commands of one group above 0: one of them is checked at a
    // time, as radio buttons are.
    int group = 0;
};

const QList<Command> &Table();
// The row of command `id`; null for none.
const Command *Find(int id);
// The menus' titles, in the menu bar's order.
QList<QPair<Menu, const char *>> Menus();

} // namespace Commands
