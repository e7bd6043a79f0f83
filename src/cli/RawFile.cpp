#include "cli/RawFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

QString lastError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

bool readRawFile(const QByteArray& name, QByteArray* bytes) {
    std::FILE* f = std::fopen(name.constData(), "rb");
    if (!f)
        return false;
    QByteArray data;
    char chunk[65536];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        data.append(chunk, qsizetype(n));
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return false;
    *bytes = data;
    return true;
}

bool writeRawFile(const QByteArray& name, const QByteArray& bytes, QString* error) {
    const QByteArray temporary = name + ".kormakctl-new";
    std::FILE* f = std::fopen(temporary.constData(), "wb");
    if (!f) {
        *error = lastError();
        return false;
    }
    bool written =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f) == size_t(bytes.size()) &&
        std::fflush(f) == 0 && ::fsync(fileno(f)) == 0;
    if (!written)
        *error = lastError();
    if (std::fclose(f) != 0 && written) {
        *error = lastError();
        written = false;
    }
    if (written && std::rename(temporary.constData(), name.constData()) != 0) {
        *error = lastError();
        written = false;
    }
    if (!written)
        std::remove(temporary.constData());
    return written;
}
