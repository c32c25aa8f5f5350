#include "cli/ClearCacheJob.h"

#include "cli/BatchJobs.h"
#include "cli/OutputStream.h"
#include "data/NativePath.h"
#include "lot/CacheFolder.h"

#include <QCoreApplication>

namespace ClearCacheJob {

ExitStatus Run()
{
    OutputStream out;
    if (!out.Open())
        return ExitStatus::Failure;
    const QString folder = CacheFolder::DefaultFolder();
    QStringList removed;
    QString error;
    const bool cleared = CacheFolder::Clear(folder, &removed, &error);
    QByteArray text;
    for (const QString &path : std::as_const(removed))
        text += QCoreApplication::translate("ClearCacheJob", "removed %1\n").arg(NativePath::Display(path)).toUtf8();
    if (removed.isEmpty() && cleared)
        text += QCoreApplication::translate("ClearCacheJob", "no summary cache in %1\n")
                    .arg(folder.isEmpty() ? QStringLiteral("(no home folder)") : NativePath::Display(folder))
                    .toUtf8();
    out.Write(text);
    if (!cleared)
        BatchJobs::PrintError(error);
    return out.Finish(cleared ? ExitStatus::Success : ExitStatus::Failure);
}

} // namespace ClearCacheJob
