#pragma once

// A real serial-port server for network-port tests: kormak-sim on a pty (a
// SimProcess), and ser2net (the Debian package) putting that pty on free ports
// of 127.0.0.1 — one Telnet port with the COM-port option (RFC 2217), one raw
// TCP port at 28800 Baud and one at 9600 Baud. Both processes end with the rig.
#include "SimProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

class Ser2netRig {
public:
    static constexpr const char* Ser2net = "/usr/sbin/ser2net";

    ~Ser2netRig() { stopServer(); } // the simulator ends after it

    // Starts the simulator with simArgs and the server in front of it; an
    // empty text on success, else what went wrong.
    QString start(const QString& simExe, const QStringList& simArgs) {
        if (!QFile::exists(QLatin1String(Ser2net)))
            return QStringLiteral("%1 is missing: scripts/setup installs ser2net").arg(Ser2net);
        const QString failure = sim_.start(simExe, simArgs);
        if (!failure.isEmpty())
            return failure;
        device_ = sim_.port();
        return startServer();
    }

    QString startServer() {
        {
            // Held together so that the three differ.
            QTcpServer a, b, c;
            a.listen(QHostAddress::LocalHost, 0);
            b.listen(QHostAddress::LocalHost, 0);
            c.listen(QHostAddress::LocalHost, 0);
            rfc2217Port_ = a.serverPort();
            rawPort_ = b.serverPort();
            raw9600Port_ = c.serverPort();
        }
        // Without chardelay ser2net passes a reply on as it comes instead of
        // waiting for more characters.
        const QString connector = QStringLiteral("  connector: serialdev,%1,%2n81,local\n"
                                                 "  options:\n    chardelay: false\n");
        const QString config =
            QStringLiteral("connection: &rfc\n"
                           "  accepter: telnet(rfc2217),tcp,127.0.0.1,%1\n")
                .arg(rfc2217Port_) +
            connector.arg(device_).arg(28800) +
            QStringLiteral("connection: &raw\n  accepter: tcp,127.0.0.1,%1\n").arg(rawPort_) +
            connector.arg(device_).arg(28800) +
            QStringLiteral("connection: &raw9600\n  accepter: tcp,127.0.0.1,%1\n")
                .arg(raw9600Port_) +
            connector.arg(device_).arg(9600);
        QFile file(dir_.filePath(QStringLiteral("ser2net.yaml")));
        if (!file.open(QIODevice::WriteOnly) || file.write(config.toUtf8()) < 0)
            return QStringLiteral("cannot write the ser2net configuration");
        file.close();
        // In the foreground, without lock files, its pid file in the rig's folder.
        server_.start(QLatin1String(Ser2net),
                      {"-n", "-u", "-c", file.fileName(), "-P", dir_.filePath("ser2net.pid")});
        if (!server_.waitForStarted())
            return QStringLiteral("ser2net did not start");
        // Listening shows as a port that accepts; the raw 9600 one is tried so
        // that no pty is opened at a rate another test expects.
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 5000) {
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), raw9600Port_);
            if (probe.waitForConnected(200)) {
                probe.abort();
                QTest::qWait(100); // lets ser2net close the device again
                return {};
            }
            if (server_.state() == QProcess::NotRunning)
                return QStringLiteral("ser2net ended: ") +
                       QString::fromLocal8Bit(server_.readAllStandardError());
            QTest::qWait(50);
        }
        return QStringLiteral("ser2net does not listen");
    }

    // Stops the server as a person would (its connections end with it).
    void stopServer() {
        if (server_.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(server_.processId()), SIGTERM);
        if (!server_.waitForFinished(3000)) {
            server_.kill();
            server_.waitForFinished(1000);
        }
    }

    QString device() const { return device_; }
    QString rfc2217() const { return QStringLiteral("rfc2217://127.0.0.1:%1").arg(rfc2217Port_); }
    QString raw() const { return QStringLiteral("socket://127.0.0.1:%1").arg(rawPort_); }
    QString raw9600() const { return QStringLiteral("socket://127.0.0.1:%1").arg(raw9600Port_); }
    SimProcess& sim() { return sim_; }

    // A port of 127.0.0.1 that nothing listens on right now.
    static quint16 freePort() {
        QTcpServer s;
        s.listen(QHostAddress::LocalHost, 0);
        return s.serverPort();
    }

private:
    QTemporaryDir dir_;
    SimProcess sim_;
    QProcess server_;
    QString device_;
    quint16 rfc2217Port_ = 0;
    quint16 rawPort_ = 0;
    quint16 raw9600Port_ = 0;
};
