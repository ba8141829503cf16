#include "files.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::fs {
namespace {

QString errnoText(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

void setError(QString* error, const QString& text) {
    if (error) *error = text;
}

bool writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// A replaced file keeps its permissions; a new one gets what the umask allows.
mode_t modeFor(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool replaceFile(const QString& path, const QByteArray& data, QString* error) {
    const QFileInfo info(path);
    const QByteArray dir = QFile::encodeName(info.absolutePath());
    const QByteArray tmpl = QFile::encodeName(info.absolutePath() + QLatin1Char('/') +
                                              QLatin1Char('.') + info.fileName() +
                                              QStringLiteral(".XXXXXX"));
    QByteArray tmpName = tmpl;
    const int fd = ::mkstemp(tmpName.data());
    if (fd < 0) {
        setError(error, errnoText(errno));
        return false;
    }
    ::fchmod(fd, modeFor(info.absoluteFilePath()));
    bool ok = writeAll(fd, data.constData(), data.size()) && ::fsync(fd) == 0;
    int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok && ::rename(tmpName.constData(), QFile::encodeName(info.absoluteFilePath())) != 0) {
        ok = false;
        savedErrno = errno;
    }
    if (!ok) {
        ::unlink(tmpName.constData());
        setError(error, errnoText(savedErrno));
        return false;
    }
    const int dfd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

bool makePath(const QString& dir) {
    if (dir.isEmpty()) return false;
    return QDir().mkpath(dir) && QFileInfo(dir).isDir();
}

bool fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isDir();
}

bool dirExists(const QString& path) { return QFileInfo(path).isDir(); }

bool readFile(const QString& path, QByteArray& out, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        setError(error, f.errorString());
        return false;
    }
    out = f.readAll();
    if (f.error() != QFile::NoError) {
        setError(error, f.errorString());
        return false;
    }
    return true;
}

bool appendFile(const QString& path, const QByteArray& data, QString* error) {
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        setError(error, errnoText(errno));
        return false;
    }
    const bool ok = writeAll(fd, data.constData(), data.size());
    const int savedErrno = errno;
    ::close(fd);
    if (!ok) setError(error, errnoText(savedErrno));
    return ok;
}

bool setHidden(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    __u32 attrs = 0;
    bool ok = true;
    if (::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attrs) == 0) {
        attrs |= ATTR_HIDDEN;
        ok = ::ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &attrs) == 0;
    }
    ::close(fd);
    return ok;
}

bool isHidden(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    __u32 attrs = 0;
    const bool hidden = ::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attrs) == 0 && (attrs & ATTR_HIDDEN);
    ::close(fd);
    return hidden;
}

}  // namespace platform::fs
