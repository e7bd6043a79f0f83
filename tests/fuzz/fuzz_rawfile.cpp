// The file reader under any bytes and any limit, through a pipe (read to its
// end, bounded) and through a regular file (checked by its size first): what
// fits comes back unchanged, what does not is refused, the two ways agree.
#include "FuzzInput.h"
#include "base/FileIo.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte chooses the limit; the rest is the file. A pipe holds
    // 64 kB without a reader, so larger inputs are left to the file.
    if (size < 1)
        return 0;
    const qint64 limit = qint64(data[0]) * 8;
    const QByteArray content = fuzzBytes(data + 1, size - 1);
    const bool fits = content.size() <= limit;

    if (content.size() < 60000) {
        int fds[2];
        check(::pipe(fds) == 0);
        check(::write(fds[1], content.constData(), size_t(content.size())) == content.size());
        ::close(fds[1]);
        QByteArray bytes;
        QString error;
        const QByteArray name = "/proc/self/fd/" + QByteArray::number(fds[0]);
        const bool read = FileIo::readFile(name, limit, &bytes, &error);
        ::close(fds[0]);
        // An empty pipe whose writer is gone is a FIFO nothing writes to.
        check(read == (fits && !content.isEmpty()));
        check(!read || bytes == content);
        check(read == error.isEmpty());
    }

    char name[] = "/tmp/kormak-fuzz-rawfile-XXXXXX";
    const int fd = ::mkstemp(name);
    check(fd >= 0);
    check(::write(fd, content.constData(), size_t(content.size())) == content.size());
    ::close(fd);
    QByteArray bytes;
    QString error;
    const bool read = FileIo::readFile(QByteArray(name), limit, &bytes, &error);
    ::unlink(name);
    check(read == fits);
    check(!read || bytes == content);
    return 0;
}
