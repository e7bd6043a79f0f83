#include "app/OpenRequestServer.h"

#include <QEventLoop>
#include <QProcess>
#include <QTest>
#include <QTimer>

// How Kormak starts: a second start hands its files to the first, and the
// command line is answered without a display where it needs none.
class TestStartup : public QObject {
    Q_OBJECT

    static QString uniqueName() {
        return QStringLiteral("kormak-test-%1-%2")
            .arg(QCoreApplication::applicationPid())
            .arg(++counter_);
    }
    static inline int counter_ = 0;

private slots:
    // The receiver of an open request may show a message box (a missing
    // file); its event loop runs while the sending start has already gone.
    // The request must arrive whole, and nothing of the finished connection
    // may be used after that loop.
    void requestsSurviveAReceiverThatRunsItsOwnLoop() {
        OpenRequestServer server;
        const QString name = uniqueName();
        QVERIFY(server.listen(name));
        QList<QStringList> received;
        connect(&server, &OpenRequestServer::filesRequested, this,
                [&received](const QStringList& files) {
                    received << files;
                    QEventLoop modal;
                    QTimer::singleShot(200, &modal, &QEventLoop::quit);
                    modal.exec();
                });
        const QStringList first{QStringLiteral("/tmp/missing.OPM")};
        const QStringList second{QStringLiteral("/tmp/a.OPM"), QStringLiteral("/tmp/b.OPM")};
        QVERIFY(OpenRequestServer::handOver(name, first));
        QVERIFY(OpenRequestServer::handOver(name, second));
        QTRY_COMPARE(received.size(), 2);
        QCOMPARE(received.at(0), first);
        QCOMPARE(received.at(1), second);
        // Let every deferred deletion of the connections run.
        QTest::qWait(300);
        QVERIFY(OpenRequestServer::handOver(name, first));
        QTRY_COMPARE(received.size(), 3);
    }

    void nobodyListening() {
        QVERIFY(!OpenRequestServer::handOver(uniqueName(), {QStringLiteral("/tmp/x.OPM")}, 200));
    }

    void commandLineWithoutDisplay_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output"); // expected in stdout + stderr
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--open <FILE>";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Kormak 0.1.0";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 1 << "bogus";
    }
    void commandLineWithoutDisplay() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QProcess kormak;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        // The X11 platform fails at once without a display: any window-system
        // start would end the program with an error instead of the answer.
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        kormak.setProcessEnvironment(env);
        kormak.start(QStringLiteral(KORMAK_EXE), arguments);
        QVERIFY(kormak.waitForFinished(30000));
        QCOMPARE(kormak.exitStatus(), QProcess::NormalExit);
        QCOMPARE(kormak.exitCode(), exitCode);
        const QString text =
            QString::fromLocal8Bit(kormak.readAllStandardOutput() + kormak.readAllStandardError());
        QVERIFY2(text.contains(output), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
