#pragma once

#include <QString>

// The file behind one tab of the view's strip.
struct TabRecord
{
    static constexpr int MaxNameLength = 49; // longer labels are cut

    QString path; // the whole absolute path, never cut
    QString name; // the tab's label: the file name, at most 49 characters

    // The label for a file name: its first 49 characters as a reader counts
    // them, so that the cut never leaves half a character (a surrogate pair,
    // or a letter without its accents) at the end.
    static QString Label(const QString &fileName);
};
