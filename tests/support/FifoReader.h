#pragma once

#include <QByteArray>

#include <fcntl.h>
#include <thread>
#include <unistd.h>

// Everything a FIFO gets, read on another thread until its writer closes it:
// the reader a FIFO needs before a writer's open() returns.
class FifoReader {
public:
    explicit FifoReader(const QByteArray& name)
        : thread_([this, name] {
              const int fd = ::open(name.constData(), O_RDONLY);
              char buffer[4096];
              ssize_t n = 0;
              while (fd >= 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0)
                  received_.append(buffer, qsizetype(n));
              if (fd >= 0)
                  ::close(fd);
          }) {}
    ~FifoReader() {
        if (thread_.joinable())
            thread_.join();
    }
    FifoReader(const FifoReader&) = delete;
    FifoReader& operator=(const FifoReader&) = delete;

    // What came through, once the writer has closed the FIFO.
    QByteArray finish() {
        thread_.join();
        return received_;
    }

private:
    QByteArray received_;
    std::thread thread_;
};
