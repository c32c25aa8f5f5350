#pragma once

#include <QString>

// The file behind one tab of the view's strip.
struct TabRecord
{
    static constexpr int MaxNameLength = 49; // longer labels are cut

    QString path; // the whole absolute path, never cut
    QString name; // the tab's label: the file name, at most 49 characters
};
