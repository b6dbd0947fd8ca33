// SPDX-License-Identifier: MIT
#include "model/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int SuffixLength = 6;

QString systemError(int error)
{
    return qt_error_string(error);
}

WriteResult failure(int error)
{
    return {false, systemError(error)};
}

// Same pattern as Qt's own temporary files: the name, a dot and six letters
// or digits, so that one clean-up rule covers what older versions left too.
QString temporaryName(const QString &path)
{
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString name = path + QLatin1Char('.');
    for (int i = 0; i < SuffixLength; ++i)
        name += QLatin1Char(Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))]);
    return name;
}

// A new file that nobody else can have opened: created exclusively.
int createTemporary(const QString &path, QString &name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(path);
        const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// The rename is durable only once the directory itself reaches the disk.
void syncDirectory(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Where the data really goes: the target of a symbolic link, so that a
// link the user made into a synchronised folder stays a link.
QString resolvedTarget(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.symLinkTarget();
    return target.isEmpty() ? path : target;
}

} // namespace

WriteResult WriteFileAtomically(const QString &path, const QByteArray &data, const std::function<void()> &beforeRename)
{
    const QString target = resolvedTarget(path);
    QString temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0)
        return failure(errno);
    const QByteArray temporaryPath = QFile::encodeName(temporary);
    const auto discard = [&](int error) {
        ::close(fd);
        ::unlink(temporaryPath.constData());
        return failure(error);
    };

    // A replaced file keeps the permissions the user gave it.
    struct stat old
    { };
    if (::stat(QFile::encodeName(target).constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    if (!writeAll(fd, data) || ::fsync(fd) != 0)
        return discard(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporaryPath.constData());
        return failure(error);
    }
    if (beforeRename)
        beforeRename();
    if (::rename(temporaryPath.constData(), QFile::encodeName(target).constData()) != 0) {
        const int error = errno;
        ::unlink(temporaryPath.constData());
        return failure(error);
    }
    syncDirectory(QFileInfo(target).absolutePath());
    return {};
}

int RemoveStaleTemporaryFiles(const QString &folder, const QStringList &dataFileNames)
{
    int removed = 0;
    const QDir dir(folder);
    for (const QString &name : dataFileNames) {
        // Six random letters or digits; a suffix of lower-case letters only
        // could be a name the user chose ("alarms.lst.backup"), so such a
        // file is left alone.
        const QRegularExpression stale(QStringLiteral("^%1\\.(?=[a-z]*[A-Z0-9])[A-Za-z0-9]{%2}$")
                                           .arg(QRegularExpression::escape(name))
                                           .arg(SuffixLength));
        const QStringList entries = dir.entryList({name + QStringLiteral(".*")}, QDir::Files | QDir::Hidden);
        for (const QString &entry : entries) {
            if (stale.match(entry).hasMatch() && QFile::remove(dir.filePath(entry)))
                ++removed;
        }
    }
    return removed;
}
