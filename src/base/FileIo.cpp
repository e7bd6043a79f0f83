#include "base/FileIo.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIo {

namespace {

QString reason(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

bool fail(QString* error, int code) {
    if (error)
        *error = reason(code);
    return false;
}

QByteArray directoryOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

// The file a name finally stands for: symbolic links followed, the last of
// them possibly to a name that does not exist yet.
bool followLinks(const QByteArray& name, QByteArray* path) {
    QByteArray current = name;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            *path = current;
            return true;
        }
        QByteArray target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(current.constData(), target.data(), size_t(target.size()));
        if (n < 0 || n >= target.size())
            return false;
        target.truncate(n);
        current = target.startsWith('/') ? target : directoryOf(current) + '/' + target;
    }
    errno = ELOOP;
    return false;
}

// The mode a new file gets: what the process's umask leaves of 0666.
mode_t newFileMode() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (!line.startsWith("Umask:"))
                continue;
            bool ok = false;
            const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
            if (ok)
                return mode_t(0666 & ~mask);
        }
    }
    return 0644;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        p += n;
        left -= size_t(n);
    }
    return true;
}

// Into a device or a FIFO, as the shell's ">" writes.
bool writeInto(const QByteArray& path, const QByteArray& bytes, QString* error) {
    const int fd = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_TRUNC);
    if (fd < 0)
        return fail(error, errno);
    if (!writeAll(fd, bytes)) {
        const int code = errno;
        ::close(fd);
        return fail(error, code);
    }
    if (::close(fd) != 0)
        return fail(error, errno);
    return true;
}

} // namespace

bool writeFile(const QByteArray& name, const QByteArray& bytes, QString* error) {
    if (name.isEmpty() || name.contains('\0'))
        return fail(error, ENOENT);
    QByteArray path;
    if (!followLinks(name, &path))
        return fail(error, errno);
    struct stat old {};
    const bool exists = ::stat(path.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return fail(error, errno);
    if (exists && S_ISDIR(old.st_mode))
        return fail(error, EISDIR);
    if (exists && !S_ISREG(old.st_mode))
        return writeInto(path, bytes, error);

    const QByteArray directory = directoryOf(path);
    QByteArray base = path.mid(path.lastIndexOf('/') + 1).left(200);
    QByteArray temporary = directory + "/." + base + ".XXXXXX";
    // mkostemp creates the file exclusively: a link planted at the name
    // makes it fail rather than be followed.
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(error, errno);
    auto abandon = [&](int code) {
        ::close(fd);
        ::unlink(temporary.constData());
        return fail(error, code);
    };
    if (exists) {
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)!::fchown(fd, old.st_uid, old.st_gid);
        if (::fchmod(fd, old.st_mode & 07777) != 0)
            return abandon(errno);
    } else if (::fchmod(fd, newFileMode()) != 0) {
        return abandon(errno);
    }
    if (!writeAll(fd, bytes))
        return abandon(errno);
    if (::fsync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temporary.constData());
        return fail(error, code);
    }
    if (::rename(temporary.constData(), path.constData()) != 0) {
        const int code = errno;
        ::unlink(temporary.constData());
        return fail(error, code);
    }
    // The rename itself reaches the disk with the directory.
    const int dir = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

bool writeFile(const QString& name, const QByteArray& bytes, QString* error) {
    return writeFile(QFile::encodeName(name), bytes, error);
}

bool readFile(const QByteArray& name, qint64 limit, QByteArray* bytes, QString* error) {
    if (name.isEmpty() || name.contains('\0'))
        return fail(error, ENOENT);
    // Not blocking on open: a FIFO without a writer would wait for one.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fail(error, errno);
    auto abandon = [&](int code) {
        ::close(fd);
        return fail(error, code);
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return abandon(errno);
    if (S_ISDIR(st.st_mode))
        return abandon(EISDIR);
    if (S_ISREG(st.st_mode) && st.st_size > limit)
        return abandon(EFBIG);
    QByteArray data;
    char chunk[65536];
    if (S_ISFIFO(st.st_mode)) {
        // A FIFO that nothing writes to reads as at its end at once: refuse
        // it rather than wait for a writer that may never come.
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n == 0) {
            ::close(fd);
            if (error)
                *error = QStringLiteral("nothing writes to this FIFO");
            return false;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return abandon(errno);
        if (n > 0)
            data.append(chunk, qsizetype(n));
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return abandon(errno);

    while (data.size() <= limit) {
        const qint64 room = qMin<qint64>(qint64(sizeof chunk), limit + 1 - data.size());
        const ssize_t n = ::read(fd, chunk, size_t(room));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return abandon(errno);
        if (n == 0)
            break;
        data.append(chunk, qsizetype(n));
    }
    ::close(fd);
    if (data.size() > limit)
        return fail(error, EFBIG);
    *bytes = data;
    return true;
}

bool readFile(const QString& name, qint64 limit, QByteArray* bytes, QString* error) {
    return readFile(QFile::encodeName(name), limit, bytes, error);
}

int reopenClosedStandardDescriptors(bool failingOutputs) {
    int closed = 0;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        closed |= 1 << fd;
        const int flags = fd == 0 || failingOutputs ? O_RDONLY : O_WRONLY;
        // open() takes the lowest free descriptor: this one, since the lower
        // ones are open by now.
        const int opened = ::open("/dev/null", flags | O_NOCTTY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
    return closed;
}

} // namespace FileIo
