// The one way Kormak writes and reads a file: whole or not at all, never
// through a planted link, never replacing what is not a regular file, and
// never reading without end.
#include "base/FileIo.h"

#include "FifoReader.h"
#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

bool put(const QString& path, const QByteArray& bytes, int mode = 0644) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return false;
    f.close();
    return ::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0;
}

mode_t modeOf(const QString& path) {
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode;
}

mode_t umaskNow() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

class TestFileIo : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }
    QStringList entries() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        std::signal(SIGPIPE, SIG_IGN);
    }
    void cleanup() {
        for (const QString& e : entries())
            QFile::remove(path(e));
    }

    // What the target is before, and whether the disk has room.
    void wholeOrNotAtAll_data() {
        QTest::addColumn<QString>("before"); // none, file0600, link
        QTest::addColumn<bool>("full");
        QTest::newRow("a new file") << "none" << false;
        QTest::newRow("a private file stays private") << "file0600" << false;
        QTest::newRow("a link is written through") << "link" << false;
        QTest::newRow("full disk, new file") << "none" << true;
        QTest::newRow("full disk keeps the old file") << "file0600" << true;
        QTest::newRow("full disk keeps the linked file") << "link" << true;
    }
    void wholeOrNotAtAll() {
        QFETCH(QString, before);
        QFETCH(bool, full);
        const QByteArray old("the good backup\r\n");
        const QString target = path(QStringLiteral("axis.OPM"));
        const QString real = path(QStringLiteral("real.OPM"));
        if (before == u"file0600")
            QVERIFY(put(target, old, 0600));
        if (before == u"link") {
            QVERIFY(put(real, old, 0640));
            QVERIFY(QFile::link(QStringLiteral("real.OPM"), target));
        }
        const QStringList entriesBefore = entries();

        const QByteArray fresh(200 * 1024, 'x');
        QString error;
        bool written = false;
        {
            std::unique_ptr<FileSizeLimit> limit;
            if (full)
                limit = std::make_unique<FileSizeLimit>(64 * 1024);
            written = FileIo::writeFile(target, fresh, &error);
        }
        QCOMPARE(written, !full);
        QCOMPARE(error.isEmpty(), !full);
        // Nothing half-written is left beside the target.
        QStringList expectedEntries = entriesBefore;
        if (written && before == u"none")
            expectedEntries << QStringLiteral("axis.OPM");
        expectedEntries.sort();
        QCOMPARE(entries(), expectedEntries);

        const QString holder = before == u"link" ? real : target;
        if (before == u"link")
            QVERIFY(QFileInfo(target).isSymLink());
        if (!written) {
            QVERIFY(error.contains(QStringLiteral("large")) ||
                    error.contains(QStringLiteral("space")));
            if (before != u"none")
                QCOMPARE(contents(holder), old);
            return;
        }
        QCOMPARE(contents(holder), fresh);
        const mode_t expectedMode = before == u"none"       ? (0666 & ~umaskNow())
                                    : before == u"file0600" ? 0600
                                                            : 0640;
        QCOMPARE(int(modeOf(holder) & 07777), int(expectedMode));
    }

    // A link planted where a temporary file might be made is never followed.
    void plantedLinkIsNotFollowed() {
        const QString victim = path(QStringLiteral("victim"));
        QVERIFY(put(victim, "precious"));
        QVERIFY(QFile::link(victim, path(QStringLiteral("out.OPM.kormakctl-new"))));
        QString error;
        QVERIFY(FileIo::writeFile(path(QStringLiteral("out.OPM")), "new", &error));
        QCOMPARE(contents(victim), QByteArray("precious"));
        QCOMPARE(contents(path(QStringLiteral("out.OPM"))), QByteArray("new"));
    }

    void directoryIsRefused() {
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("sub")));
        QString error;
        QVERIFY(!FileIo::writeFile(path(QStringLiteral("sub")), "x", &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(path(QStringLiteral("sub"))).isDir());
        QByteArray bytes;
        QVERIFY(!FileIo::readFile(path(QStringLiteral("sub")), 1024, &bytes, &error));
        QVERIFY(QDir(dir_.path()).rmdir(QStringLiteral("sub")));
    }

    // A FIFO, or a device when the test may make one, gets the bytes and
    // stays what it was.
    void nonRegularTargetIsWrittenInto_data() {
        QTest::addColumn<bool>("device");
        QTest::newRow("fifo") << false;
        QTest::newRow("device node") << true;
    }
    void nonRegularTargetIsWrittenInto() {
        QFETCH(bool, device);
        const QString target = path(QStringLiteral("target"));
        const QByteArray name = QFile::encodeName(target);
        if (device) {
            if (::geteuid() != 0)
                QSKIP("making a device node needs root");
            // The same device as /dev/null, made in the temporary folder.
            QVERIFY(::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0);
            QString error;
            QVERIFY2(FileIo::writeFile(target, "report", &error), qPrintable(error));
            QVERIFY(S_ISCHR(modeOf(target)));
        } else {
            QVERIFY(::mkfifo(name.constData(), 0600) == 0);
            FifoReader reader(name);
            QString error;
            QVERIFY2(FileIo::writeFile(target, "through the fifo", &error), qPrintable(error));
            QCOMPARE(reader.finish(), QByteArray("through the fifo"));
            QVERIFY(S_ISFIFO(modeOf(target)));
        }
        QCOMPARE(entries(), QStringList{QStringLiteral("target")});
    }

    // Whatever the name stands for, at most limit + 1 bytes are read.
    void boundedReading_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("read");
        const qint64 limit = 4096;
        QTest::newRow("exactly the limit") << "file" << limit << true;
        QTest::newRow("one byte over") << "file" << limit + 1 << false;
        QTest::newRow("2 MB") << "file" << qint64(2 * 1024 * 1024) << false;
        QTest::newRow("endless device") << "/dev/zero" << qint64(-1) << false;
        QTest::newRow("fifo nobody writes to") << "fifo" << qint64(0) << false;
        QTest::newRow("fifo without end") << "fifo" << qint64(-1) << false;
        QTest::newRow("fifo with a listing") << "fifo" << qint64(100) << true;
        QTest::newRow("pipe with a listing") << "pipe" << qint64(100) << true;
        QTest::newRow("endless pipe") << "pipe" << qint64(-1) << false;
    }
    void boundedReading() {
        QFETCH(QString, source);
        QFETCH(qint64, size);
        QFETCH(bool, read);
        const qint64 limit = 4096;
        QString name = source;
        std::atomic<bool> stop{false};
        std::thread writer;
        int pipeFds[2] = {-1, -1};
        int ownReader = -1;
        // Writes size bytes (endless for -1) into fd, then closes it.
        auto feed = [&stop, size](int fd) {
            const QByteArray chunk(512, 'a');
            qint64 left = size;
            while (!stop && (size < 0 || left > 0)) {
                const qint64 n = size < 0 ? chunk.size() : qMin<qint64>(left, chunk.size());
                if (::write(fd, chunk.constData(), size_t(n)) <= 0)
                    break;
                left -= n;
            }
            ::close(fd);
        };
        if (source == u"file") {
            name = path(QStringLiteral("listing"));
            QVERIFY(put(name, QByteArray(size, 'a')));
        } else if (source == u"fifo") {
            name = path(QStringLiteral("fifo"));
            const QByteArray fifo = QFile::encodeName(name);
            QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
            if (size != 0) {
                // A reader of our own lets the writer open without waiting,
                // and keeps the FIFO from breaking until readFile is done.
                ownReader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
                const int fd = ::open(fifo.constData(), O_WRONLY);
                QVERIFY(ownReader >= 0 && fd >= 0);
                writer = std::thread([fd, feed] { feed(fd); });
            }
        } else if (source == u"pipe") {
            QVERIFY(::pipe(pipeFds) == 0);
            name = QStringLiteral("/proc/self/fd/%1").arg(pipeFds[0]);
            writer = std::thread([fd = pipeFds[1], feed] { feed(fd); });
        }
        QByteArray bytes;
        QString error;
        const bool ok = FileIo::readFile(name, limit, &bytes, &error);
        stop = true;
        // With no reader left the writer's next write fails and it ends.
        for (int fd : {pipeFds[0], ownReader})
            if (fd >= 0)
                ::close(fd);
        if (writer.joinable())
            writer.join();
        QCOMPARE(ok, read);
        QCOMPARE(error.isEmpty(), read);
        if (read)
            QCOMPARE(bytes.size(), size);
    }

    // A name that is not valid UTF-8 is used as its bytes.
    void nameAsBytes() {
        const QByteArray name = QFile::encodeName(dir_.path()) + "/log\xE9.txt";
        QString error;
        QVERIFY(FileIo::writeFile(name, "session", &error));
        QByteArray bytes;
        QVERIFY(FileIo::readFile(name, 100, &bytes, &error));
        QCOMPARE(bytes, QByteArray("session"));
        QVERIFY(::unlink(name.constData()) == 0);
    }
};

QTEST_GUILESS_MAIN(TestFileIo)
#include "tst_fileio.moc"
