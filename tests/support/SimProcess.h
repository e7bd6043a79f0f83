#pragma once

// kormak-sim as a process of its own, the way scripts and kormakctl's users
// run it: the one way the tests start it and wait for its pty. Its standard
// error (the --log lines) goes to a file of its own, since a pipe nobody reads
// while another program runs would fill up and stop the simulator; the
// referee reads its refusals from there. It ends with the object, as a
// person ends it: by closing its input.
#include "Referee.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class SimProcess {
public:
    SimProcess() = default;
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;
    ~SimProcess() { stop(); }

    // Starts exe with switches and waits until it names its pty; an empty
    // text on success, else what went wrong. A running simulator is stopped
    // first; each start logs to a new file.
    QString start(const QString& exe, const QStringList& switches, int timeoutMs = 5000) {
        stop();
        logPath_ = dir_.filePath(QStringLiteral("sim%1.log").arg(++starts_));
        logRead_ = 0;
        judged_ = 0;
        port_.clear();
        process_.setStandardErrorFile(logPath_);
        process_.start(exe, switches);
        if (!process_.waitForStarted(timeoutMs))
            return QStringLiteral("kormak-sim did not start: ") + process_.errorString();
        if (!process_.canReadLine() && !process_.waitForReadyRead(timeoutMs))
            return QStringLiteral("kormak-sim named no pty: ") + QString::fromLocal8Bit(readLog());
        const QString first = QString::fromLocal8Bit(process_.readLine()).trimmed();
        if (!first.startsWith(u"/dev/"))
            return QStringLiteral("kormak-sim printed no pty: ") + first;
        port_ = first;
        return {};
    }
    // The pty the program opens ("/dev/pts/7").
    QString port() const { return port_; }
    QProcess& process() { return process_; }
    QString logPath() const { return logPath_; }

    // A line on its standard input; it takes effect within its 100 ms polling
    // period, which this waits out.
    void tell(const QByteArray& line) {
        process_.write(line + '\n');
        process_.waitForBytesWritten(1000);
        QTest::qWait(300);
    }
    // The whole lines it has logged since the last look.
    QByteArray freshLog() {
        QFile f(logPath_);
        if (logPath_.isEmpty() || !f.open(QIODevice::ReadOnly) || !f.seek(logRead_))
            return {};
        const QByteArray bytes = f.readAll();
        const qsizetype end = bytes.lastIndexOf('\n') + 1;
        logRead_ += end;
        return bytes.left(end);
    }
    // Fails the running test when it refused a command since the last
    // judgement that referee does not expect.
    void judge(const Referee& referee, const char* file, int line) {
        referee.judge(refusalsInLog(logPath_, &judged_), file, line);
    }

    // Closes its input and waits for it to end; kills it when it does not.
    // True when it ended by itself.
    bool stop(int timeoutMs = 3000) {
        if (process_.state() == QProcess::NotRunning)
            return true;
        process_.closeWriteChannel();
        if (process_.waitForFinished(timeoutMs))
            return true;
        process_.kill();
        process_.waitForFinished(1000);
        return false;
    }

private:
    QByteArray readLog() const {
        QFile f(logPath_);
        return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
    }

    QTemporaryDir dir_;
    QProcess process_;
    QString port_;
    QString logPath_;
    qint64 logRead_ = 0;
    qint64 judged_ = 0;
    int starts_ = 0;
};
