#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velto {

QString userConfigFolder() {
#ifdef Q_OS_MACOS
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#else
    // Qt 6.4 takes a relative XDG_CONFIG_HOME as it is, under whatever folder the clock was
    // started in.
    const QString set = qEnvironmentVariable("XDG_CONFIG_HOME");
    return QDir::isAbsolutePath(set) ? QDir::cleanPath(set)
                                     : QDir::homePath() + QStringLiteral("/.config");
#endif
}

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

SmallFile readSmallFile(const QString& path, qint64 largest, bool evenIfLarger) {
    SmallFile file;
    // O_NONBLOCK: opening a FIFO for reading would wait for a writer, for good.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        file.result = error == ENOENT || error == ENOTDIR ? FileRead::Missing
                      : error == ELOOP                    ? FileRead::LinkLoop
                      : error == ENXIO                    ? FileRead::NotAFile // a socket
                                                          : FileRead::Unreadable;
        file.error = systemError(error);
        return file;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        file.result = FileRead::NotAFile;
        return file;
    }
    if (info.st_size > largest && !evenIfLarger) {
        ::close(fd);
        file.result = FileRead::TooLarge;
        return file;
    }
    // One byte more than allowed tells a file that grew since fstat.
    file.bytes.resize(static_cast<qsizetype>(std::min<qint64>(info.st_size, largest) + 1));
    qsizetype got = 0;
    while (got < file.bytes.size()) {
        const ssize_t n =
            ::read(fd, file.bytes.data() + got, static_cast<size_t>(file.bytes.size() - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            file.result = FileRead::Unreadable;
            file.error = systemError(errno);
            ::close(fd);
            file.bytes.clear();
            return file;
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    ::close(fd);
    file.bytes.truncate(got);
    file.result = info.st_size > largest || got > largest ? FileRead::TooLarge : FileRead::Read;
    if (file.result == FileRead::TooLarge) {
        file.bytes.truncate(evenIfLarger ? static_cast<qsizetype>(largest) : 0);
    }
    return file;
}

bool renameEntry(const QString& from, const QString& to) {
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

FileLock::~FileLock() {
    release();
}

FileLock::Result FileLock::acquire(const QString& path, std::chrono::milliseconds patience) {
    release();
    path_ = path;
    const QByteArray name = QFile::encodeName(path);
    constexpr auto kPause = std::chrono::milliseconds{20};
    auto waited = std::chrono::milliseconds{0};
    int replaced = 0;
    for (;;) {
        // Never a link followed, never a FIFO waited on, never a terminal taken.
        int fd = ::open(name.constData(),
                        O_RDWR | O_CREAT | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
                        S_IRUSR | S_IWUSR);
        bool folder = false;
        if (fd < 0 && errno == EISDIR) {
            fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            folder = true;
        }
        if (fd < 0) {
            const int error = errno;
            found_ = error == ELOOP ? QStringLiteral("a symbolic link") : systemError(error);
            return error == ELOOP ? Result::InTheWay : Result::Failed;
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !(S_ISREG(info.st_mode) || S_ISDIR(info.st_mode))) {
            found_ = S_ISFIFO(info.st_mode)   ? QStringLiteral("a FIFO")
                     : S_ISSOCK(info.st_mode) ? QStringLiteral("a socket")
                                              : QStringLiteral("a device");
            ::close(fd);
            return Result::InTheWay;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // A holder that let go removed the file first; the one we locked may be that one,
            // no longer the lock at `path`.
            struct stat now {};
            if (::stat(name.constData(), &now) == 0 && now.st_dev == info.st_dev &&
                now.st_ino == info.st_ino) {
                held_ = fd;
                isFolder_ = folder;
                return Result::Held;
            }
            ::close(fd);
            // Taken again at once, a few times: only a file replaced on and on gets no lock.
            constexpr int kReplacedTries = 10;
            if (++replaced < kReplacedTries) {
                continue;
            }
            found_ = QStringLiteral("a file that is replaced all the time");
            return Result::InTheWay;
        }
        const int error = errno;
        ::close(fd);
        if (error != EWOULDBLOCK && error != EINTR) {
            found_ = systemError(error);
            return Result::Failed;
        }
        if (waited >= patience) {
            return Result::Busy;
        }
        QThread::msleep(static_cast<unsigned long>(kPause.count()));
        waited += kPause;
    }
}

void FileLock::describe(const QByteArray& text) {
    if (held_ < 0 || isFolder_) {
        return;
    }
    if (::ftruncate(static_cast<int>(held_), 0) == 0) {
        [[maybe_unused]] const auto n =
            ::pwrite(static_cast<int>(held_), text.constData(), text.size(), 0);
    }
}

void FileLock::release() {
    if (held_ < 0) {
        return;
    }
    if (!isFolder_) {
        ::unlink(QFile::encodeName(path_).constData());
    }
    ::close(static_cast<int>(held_));
    held_ = -1;
    isFolder_ = false;
}

} // namespace velto
