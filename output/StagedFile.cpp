#include "output/StagedFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("StagedFile", text);
}

} // namespace

StagedFile::StagedFile(const QString &target) : m_target(target)
{
    // A link is written through, not replaced by a plain file.
    const QFileInfo info(target);
    if (info.isSymLink() && info.exists())
        m_target = info.canonicalFilePath();
}

StagedFile::~StagedFile()
{
    Discard();
}

bool StagedFile::Open()
{
    Discard();
    const QFileInfo target(m_target);
    if (target.isDir()) {
        m_error = tr("it is a folder");
        return false;
    }
    // Hidden, in the target's folder: a rename within one file system
    // replaces the target in one step. Made with the mode of any new file
    // (0666 less the umask), as the target itself would have been.
    const QString stem = target.absolutePath() + QLatin1String("/.") + target.fileName();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = stem + QLatin1Char('.')
            + QString::number(QRandomGenerator::global()->generate() & 0xffffff, 36);
        const int fd = ::open(QFile::encodeName(name).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            m_temporary = name;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    m_error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool StagedFile::Commit()
{
    if (m_temporary.isEmpty()) {
        m_error = tr("nothing was written");
        return false;
    }
    const QFileInfo target(m_target);
    if (target.exists())
        QFile::setPermissions(m_temporary, target.permissions());
    if (std::rename(QFile::encodeName(m_temporary).constData(),
                    QFile::encodeName(m_target).constData())
        != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        Discard();
        return false;
    }
    m_temporary.clear();
    return true;
}

void StagedFile::Discard()
{
    if (!m_temporary.isEmpty())
        QFile::remove(m_temporary);
    m_temporary.clear();
}

namespace {

// Stands between a writer and the temporary file: a writer may close its
// device when it ends (the PDF writer does), and closing a file forgets a
// failed write. This keeps the first failure and leaves the file open.
class CheckedDevice : public QIODevice
{
public:
    explicit CheckedDevice(QFile &file) : m_file(file) { open(QIODevice::WriteOnly); }

    bool isSequential() const override { return true; }
    const QString &Failure() const { return m_failure; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 written = m_file.write(data, size);
        if (written != size && m_failure.isEmpty())
            m_failure = m_file.errorString();
        return written;
    }

private:
    QFile &m_file;
    QString m_failure;
};

} // namespace

bool StagedFile::Write(const QString &target, const std::function<bool(QIODevice &out)> &fill,
                       QString *fileError)
{
    auto failed = [fileError](const QString &reason) {
        if (fileError)
            *fileError = reason;
        return false;
    };
    StagedFile staged(target);
    if (!staged.Open())
        return failed(staged.ErrorString());
    QFile file(staged.TemporaryPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return failed(file.errorString());
    CheckedDevice out(file);
    const bool filled = fill(out);
    if (!out.Failure().isEmpty())
        return failed(out.Failure());
    if (!filled)
        return false;
    file.close();
    if (file.error() != QFileDevice::NoError)
        return failed(file.errorString());
    return staged.Commit() || failed(staged.ErrorString());
}
