#include "lot/LotFile.h"

#include "data/NativePath.h"

namespace {

// 0 for a file with a time, 1 without one, 2 for one not read.
int group(const LotFile &file)
{
    return !file.IsRead() ? 2 : file.FirstTime() == RowTime::None ? 1 : 0;
}

} // namespace

bool LotFile::Before(const LotFile &a, const LotFile &b)
{
    const int groupA = group(a), groupB = group(b);
    if (groupA != groupB)
        return groupA < groupB;
    if (groupA == 0 && a.FirstTime() != b.FirstTime())
        return a.FirstTime() < b.FirstTime();
    const QByteArray &pathA = a.stamp.path.isNull() ? NativePath::Encode(a.path) : a.stamp.path;
    const QByteArray &pathB = b.stamp.path.isNull() ? NativePath::Encode(b.path) : b.stamp.path;
    return pathA < pathB;
}
