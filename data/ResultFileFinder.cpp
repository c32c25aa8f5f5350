#include "data/ResultFileFinder.h"

#include "data/FileError.h"
#include "data/NativePath.h"

#include <QSet>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

namespace {

bool isResultFileName(const QByteArray &name)
{
    return name.size() > 4 && name.right(4).toLower() == ".fib";
}

ResultFileFinder::PathError pathError(const QByteArray &path, const QString &reason, bool found)
{
    const QString name = NativePath::Decode(path);
    QString message;
    FileError::ReadFailed(name, reason, &message);
    return {name, message, found};
}

// Walks the folders given, keeping each file once.
class Finder
{
public:
    Finder(QList<ResultFileFinder::PathError> *errors, const std::function<bool()> &stop)
        : m_errors(errors), m_stop(stop)
    {
    }

    void Given(const QString &path)
    {
        const QByteArray bytes = NativePath::Encode(path);
        struct stat info = {};
        if (::stat(bytes.constData(), &info) != 0) {
            if (firstTime(bytes)) {
                ++m_list.given;
                m_errors->append(pathError(bytes, qt_error_string(errno), false));
            }
            return;
        }
        if (!firstTime(info))
            return;
        ++m_list.given;
        if (!S_ISDIR(info.st_mode)) {
            m_list.files.append({path, false, stampOf(bytes, info)});
            return;
        }
        const qsizetype filesBefore = m_list.files.size();
        const qsizetype errorsBefore = m_errors->size();
        collect(bytes);
        if (m_list.files.size() == filesBefore && m_errors->size() == errorsBefore)
            m_errors->append(pathError(bytes, ResultFileFinder::tr("there is no result file (.fib) in it"), false));
    }

    ResultFileFinder::ResultFiles Take() { return std::move(m_list); }

private:
    // The result files in `folder` and below, each folder's entries in name order.
    void collect(const QByteArray &folder)
    {
        DIR *dir = ::opendir(folder.constData());
        if (!dir) {
            found(pathError(folder, qt_error_string(errno), true));
            return;
        }
        QList<QByteArray> names;
        while (const dirent *entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            // What the listing tells for sure is neither a folder nor a
            // result file needs no look of its own: a folder of a hundred
            // thousand other files is passed over at the listing's pace.
            const bool passedOver = entry->d_type != DT_DIR && entry->d_type != DT_UNKNOWN
                && !isResultFileName(name);
            if (name != "." && name != ".." && !passedOver)
                names.append(name);
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        const QByteArray prefix = folder.endsWith('/') ? folder : folder + '/';
        for (const QByteArray &name : std::as_const(names)) {
            if (m_stop())
                return;
            entry(prefix + name, isResultFileName(name));
        }
    }

    void entry(const QByteArray &path, bool resultFileName)
    {
        struct stat info = {};
        if (::lstat(path.constData(), &info) != 0)
            return; // gone since the folder was listed
        // Linked folders are not entered: a link back up would never end.
        if (S_ISDIR(info.st_mode)) {
            if (firstTime(info))
                collect(path);
            return;
        }
        if (!resultFileName)
            return;
        if (S_ISLNK(info.st_mode) && ::stat(path.constData(), &info) != 0) {
            if (firstTime(path))
                found(pathError(path, qt_error_string(errno), true));
            return;
        }
        // A link to a folder is named by its own path and never stands for
        // the folder: the folder, where the walk reaches it, is walked.
        if (S_ISDIR(info.st_mode)) {
            if (firstTime(path))
                found(pathError(path, ResultFileFinder::tr("not a regular file"), true));
            return;
        }
        if (!firstTime(info))
            return;
        if (!S_ISREG(info.st_mode)) {
            found(pathError(path, ResultFileFinder::tr("not a regular file"), true));
            return;
        }
        ++m_list.found;
        m_list.files.append({NativePath::Decode(path), true, stampOf(path, info)});
    }

    static FileStamp stampOf(const QByteArray &path, const struct stat &info)
    {
        FileStamp stamp;
        FileStamp::From(path, info, &stamp);
        return stamp;
    }

    void found(const ResultFileFinder::PathError &error)
    {
        ++m_list.found;
        m_errors->append(error);
    }

    bool firstTime(const struct stat &info)
    {
        // Led by a zero byte, which no path holds.
        const QByteArray identity = '\0' + QByteArray::number(quint64(info.st_dev)) + ':'
            + QByteArray::number(quint64(info.st_ino));
        return firstTime(identity);
    }
    bool firstTime(const QByteArray &key)
    {
        if (m_seen.contains(key))
            return false;
        m_seen.insert(key);
        return true;
    }

    QList<ResultFileFinder::PathError> *m_errors;
    const std::function<bool()> &m_stop;
    ResultFileFinder::ResultFiles m_list;
    QSet<QByteArray> m_seen; // the device and inode of what was reached, the path of what was not
};

} // namespace

ResultFileFinder::ResultFiles ResultFileFinder::Find(const QStringList &paths, QList<PathError> *errors,
                                                     const std::function<bool()> &stop)
{
    Finder finder(errors, stop);
    for (const QString &path : paths) {
        if (stop())
            break;
        finder.Given(path);
    }
    return finder.Take();
}
