#include "start_program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace platform {
namespace {

QStringList candidates(const QString& name) {
    if (name.contains(QLatin1Char('/'))) return {name};
    QStringList out{QDir::currentPath() + QLatin1Char('/') + name};
    const QString path = QString::fromLocal8Bit(qgetenv("PATH"));
    for (const QString& dir : path.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        out.append(dir + QLatin1Char('/') + name);
    return out;
}

bool readAll(int fd, void* buf, size_t n) {
    auto* p = static_cast<char*>(buf);
    while (n > 0) {
        const ssize_t r = ::read(fd, p, n);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        p += r;
        n -= static_cast<size_t>(r);
    }
    return true;
}

}  // namespace

QString errnoName(int error) {
    switch (error) {
        case ENOENT: return QStringLiteral("ENOENT");
        case EMFILE: return QStringLiteral("EMFILE");
        case EACCES: return QStringLiteral("EACCES");
        case ENOMEM: return QStringLiteral("ENOMEM");
        case ENOEXEC: return QStringLiteral("ENOEXEC");
        default: return {};
    }
}

StartResult startProgram(const QString& name, const QStringList& args) {
    StartResult result;
    // The first candidate that exists decides; a file that exists but cannot run is reported
    // as such rather than skipped.
    QString chosen;
    for (const QString& c : candidates(name)) {
        if (QFileInfo(c).isFile()) {
            chosen = c;
            break;
        }
    }
    if (chosen.isEmpty()) {
        result.error = ENOENT;
        result.errorName = errnoName(ENOENT);
        return result;
    }
    std::vector<std::string> argStore;
    argStore.push_back(QFile::encodeName(QFileInfo(name).fileName()).toStdString());
    for (const QString& a : args) argStore.push_back(a.toLocal8Bit().toStdString());
    std::vector<char*> argv;
    for (auto& s : argStore) argv.push_back(s.data());
    argv.push_back(nullptr);
    const QByteArray path = QFile::encodeName(chosen);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        result.error = errno;
        result.errorName = errnoName(errno);
        return result;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        result.error = errno;
        result.errorName = errnoName(errno);
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return result;
    }
    if (child == 0) {
        // Detach through a second fork so the program is nobody's zombie, and report the
        // exec failure, if any, through the pipe.
        ::close(pipeFds[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild < 0) {
            int e = errno;
            (void)!::write(pipeFds[1], &e, sizeof e);
            ::_exit(1);
        }
        if (grandchild > 0) ::_exit(0);
        ::signal(SIGPIPE, SIG_DFL);
        ::execv(path.constData(), argv.data());
        int e = errno;
        (void)!::write(pipeFds[1], &e, sizeof e);
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    int childError = 0;
    const bool failed = readAll(pipeFds[0], &childError, sizeof childError);
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (failed) {
        result.error = childError;
        result.errorName = errnoName(childError);
        return result;
    }
    result.started = true;
    return result;
}

}  // namespace platform
