#include "output/StagedFile.h"

#include "data/NativePath.h"
#include "data/Texts.h"
#include "output/DescriptorDevice.h"
#include "output/OutputTarget.h"

#include <cerrno>
#include <unistd.h>
#include <utility>

StagedFile::StagedFile(const QString &target) : m_target(target)
{
}

StagedFile::~StagedFile()
{
    Discard();
}

bool StagedFile::fail(const QString &reason)
{
    m_error = reason;
    return false;
}

bool StagedFile::WritesInPlace(const QString &target)
{
    return OutputTarget::Resolve(target).kind() == OutputTarget::InPlace;
}

bool StagedFile::Open()
{
    Discard();
    m_error.clear();
    m_notice.clear();
    const OutputTarget target = OutputTarget::Resolve(m_target);
    switch (target.kind()) {
    case OutputTarget::Folder:
        return fail(Texts::tr("it is a folder"));
    case OutputTarget::Unreachable:
        return fail(qt_error_string(target.error()));
    case OutputTarget::InPlace:
        m_inPlace = target.OpenInPlace();
        return m_inPlace >= 0 || fail(qt_error_string(errno));
    case OutputTarget::New:
    case OutputTarget::Regular:
        break;
    }
    m_links = target.kind() == OutputTarget::Regular ? target.links() : 0;
    m_save.emplace(target);
    return m_save->Open(&m_error);
}

QString StagedFile::TemporaryPath() const
{
    if (InPlace())
        return QStringLiteral("/proc/self/fd/%1").arg(m_inPlace);
    return m_save ? NativePath::Decode(m_save->TemporaryPath()) : QString();
}

bool StagedFile::Commit()
{
    if (InPlace()) {
        const int fd = std::exchange(m_inPlace, -1);
        return ::close(fd) == 0 || errno == EINTR || fail(qt_error_string(errno));
    }
    if (!m_save)
        return fail(Texts::tr("nothing was written"));
    const bool committed = m_save->Commit(&m_error);
    m_save.reset();
    if (committed && m_links > 1)
        m_notice = Texts::tr("\"%1\" had %2 links; the others keep the old content")
                       .arg(NativePath::Display(m_target))
                       .arg(m_links);
    return committed;
}

void StagedFile::Discard()
{
    m_save.reset();
    if (m_inPlace >= 0)
        ::close(std::exchange(m_inPlace, -1));
}

bool StagedFile::Write(const QString &target, const std::function<bool(QIODevice &out)> &fill,
                       QString *fileError, QString *notice)
{
    auto failed = [fileError](const QString &reason) {
        if (fileError)
            *fileError = reason;
        return false;
    };
    StagedFile staged(target);
    if (!staged.Open())
        return failed(staged.ErrorString());
    DescriptorDevice out(staged.Handle());
    const bool filled = fill(out);
    if (out.Failure() != 0)
        return failed(qt_error_string(out.Failure()));
    if (!filled)
        return false;
    if (!staged.Commit())
        return failed(staged.ErrorString());
    if (notice)
        *notice = staged.Notice();
    return true;
}
