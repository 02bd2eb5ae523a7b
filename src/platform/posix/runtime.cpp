#include "platform/runtime.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Empty when the path is a real folder (not a link to one) of this user's,
// that only this user may enter; otherwise what is wrong with it.
QString privacyProblem(const QString &path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return qt_error_string(errno);
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("é um link");
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("não é uma pasta");
    if (st.st_uid != ::geteuid())
        return QStringLiteral("é de outro usuário");
    if ((st.st_mode & 0777) != 0700)
        return QStringLiteral("não tem o modo 0700");
    return {};
}

QString absoluteOrEmpty(const char *variable) {
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? value : QString();
}

} // namespace

QString userId() {
    return QString::number(::geteuid());
}

RuntimeFolder privateRuntimeFolder() {
    QStringList problems;
    const auto usable = [&problems](const QString &folder) {
        const QString problem = privacyProblem(folder);
        if (!problem.isEmpty())
            problems << folder + QStringLiteral(": ") + problem;
        return problem.isEmpty();
    };
    if (const QString runtime = absoluteOrEmpty("XDG_RUNTIME_DIR");
        !runtime.isEmpty() && usable(runtime))
        return {runtime, {}};
    // The temporary folder is everyone's: the name may have been taken by
    // someone else first, with a folder, a file or a link, and then the
    // user's cache folder serves instead.
    const QString temporary = QDir::tempPath() + QStringLiteral("/corvale-scrivulets-") + userId();
    ::mkdir(QFile::encodeName(temporary).constData(), 0700);
    if (usable(temporary))
        return {temporary, {}};
    QString cache = absoluteOrEmpty("XDG_CACHE_HOME");
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    QDir().mkpath(cache);
    cache += QStringLiteral("/corvale-scrivulets");
    ::mkdir(QFile::encodeName(cache).constData(), 0700);
    if (usable(cache))
        return {cache, {}};
    return {{}, problems.join(QStringLiteral("; "))};
}

QString localServerName(const QString &folder, const QString &name) {
    return folder + u'/' + name;
}

FileLock::Outcome FileLock::take(const QString &path, std::unique_ptr<FileLock> &lock,
                                 QString &problem) {
    // Not inherited by the programs this one starts (a browser for a link):
    // one of them outliving the program would keep the lock.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        problem = qt_error_string(errno);
        return Outcome::Failed;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        problem = QStringLiteral("não é um arquivo");
        return Outcome::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return Outcome::Held;
        problem = qt_error_string(error);
        return Outcome::Failed;
    }
    lock.reset(new FileLock(fd));
    return Outcome::Taken;
}

FileLock::~FileLock() {
    ::close(int(m_handle));
}

void letRunningCopyComeForward() {}

} // namespace platform
