#include "output/RowSpool.h"

#include "output/TemporaryFiles.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Big enough that the writes and reads are few beside the rows.
constexpr size_t kBufferSize = size_t(1) << 20;

// An unnamed file in `folder` where its file system can make one; else a
// named one, removed at once.
int makeUnnamed(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return fd;
    QByteArray name = folder + "/.quenvale-spool-XXXXXX";
    const int named = ::mkostemp(name.data(), O_CLOEXEC);
    if (named >= 0)
        ::unlink(name.constData());
    return named;
}

} // namespace

RowSpool::~RowSpool()
{
    if (m_file)
        std::fclose(m_file);
}

bool RowSpool::fail()
{
    if (!m_failed)
        m_errno = errno;
    m_failed = true;
    return false;
}

bool RowSpool::Open(QString *error)
{
    const int fd = makeUnnamed(QFile::encodeName(QDir::tempPath()));
    m_file = fd >= 0 ? ::fdopen(fd, "w+b") : nullptr;
    if (!m_file) {
        *error = TemporaryFiles::InTemporaryFolder(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    std::setvbuf(m_file, nullptr, _IOFBF, kBufferSize);
    return true;
}

bool RowSpool::Append(const MeasurementRows::Row &row)
{
    if (m_failed)
        return false;
    // Each text after its length: a field is at most 48 bytes.
    char record[MeasurementRow::FieldCount * (1 + MeasurementRow::MaxFieldLength)];
    char *out = record;
    for (int f = 0; f < MeasurementRow::FieldCount; ++f) {
        const QByteArrayView text = row.text(MeasurementRow::Field(f));
        const qsizetype length = qMin<qsizetype>(text.size(), MeasurementRow::MaxFieldLength);
        *out++ = char(length);
        std::memcpy(out, text.data(), size_t(length));
        out += length;
    }
    const size_t size = size_t(out - record);
    if (std::fwrite(record, 1, size, m_file) != size)
        return fail();
    ++m_count;
    return true;
}

bool RowSpool::Rewind(QString *error)
{
    if (!m_failed && (std::fflush(m_file) != 0 || std::fseek(m_file, 0, SEEK_SET) != 0))
        fail();
    if (m_failed)
        *error = TemporaryFiles::InTemporaryFolder(m_errno);
    return !m_failed;
}

bool RowSpool::Read(MeasurementRow &row)
{
    char text[MeasurementRow::MaxFieldLength];
    for (int f = 0; f < MeasurementRow::FieldCount; ++f) {
        const int length = std::getc(m_file);
        if (length == EOF) {
            if (f > 0 || std::ferror(m_file))
                fail();
            return false;
        }
        if (std::fread(text, 1, size_t(length), m_file) != size_t(length))
            return fail();
        row.setText(MeasurementRow::Field(f), QByteArrayView(text, length));
    }
    return true;
}
