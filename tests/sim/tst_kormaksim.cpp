// kormak-sim as a separate process, the way scripts and other tools run it.

#include "SimProcess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSerialPort>
#include <QTest>

namespace {

const QByteArray kAsk3 = QByteArray("\x02"
                                    "3IF?:39"
                                    "\x03");

QByteArray transact(QSerialPort& port, const QByteArray& frame) {
    port.write(frame);
    port.waitForBytesWritten(200);
    QByteArray got;
    for (int i = 0; i < 20 && !got.endsWith('\x03'); ++i) {
        if (port.waitForReadyRead(50))
            got += port.readAll();
        else
            port.clearError();
    }
    return got;
}

// A request or reply frame: STX, body, ":", the checksum over both, ETX.
QByteArray framed(const QByteArray& body) {
    const QByteArray summed = body + ':';
    unsigned char sum = 0;
    for (char c : summed)
        sum ^= static_cast<unsigned char>(c);
    return '\x02' + summed + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + '\x03';
}

} // namespace

class TestKormakSim : public QObject {
    Q_OBJECT

private slots:
    void servesUntilInputEnds();
    void faultAndFamilyOptions();
    void wireTimeAndAnswerDelay();
    void badOptionsAreRejected_data();
    void badOptionsAreRejected();
    void helpExplainsTheFramingRule();
    void slotTextsAreHeldAsCodePage1252();
    void everyAimedFaultIsKept();
    void lateReplyAfterARateChangeIsNoise();
    void overlongInputLineIsSkipped();
};

void TestKormakSim::servesUntilInputEnds() {
    SimProcess sim;
    const QString failure =
        sim.start(QStringLiteral(KORMAK_SIM_EXE),
                  {"--axes", "0,3", "--log", "--slot", "3:0A=GA100", "--rate", "0=9600"});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));

    QSerialPort port(sim.port());
    port.setBaudRate(28800);
    QVERIFY(port.open(QIODevice::ReadWrite));
    QCOMPARE(transact(port, kAsk3), QByteArray("\x02"
                                               "300 10000:18"
                                               "\x03"));
    // The preloaded slot, on the axis given.
    QCOMPARE(transact(port, QByteArray("\x02"
                                       "3ER0A:6F"
                                       "\x03")),
             QByteArray("\x02"
                        "300 GA100:1E"
                        "\x03"));
    // Axis 0 listens at 9600 only.
    QCOMPARE(transact(port, QByteArray("\x02"
                                       "0IF?:3A"
                                       "\x03")),
             QByteArray());
    port.close();

    QVERIFY(sim.stop());
    QCOMPARE(sim.process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.process().exitCode(), 0);
    QCOMPARE(QString::fromLocal8Bit(sim.freshLog()).split(u'\n', Qt::SkipEmptyParts),
             (QStringList{"3 IF?", "3 ER0A", "0 IF?"}));
}

void TestKormakSim::faultAndFamilyOptions() {
    SimProcess sim;
    const QString failure = sim.start(QStringLiteral(KORMAK_SIM_EXE),
                                      {"--axes", "3", "--family", "3=RZH 2.0", "--fault",
                                       "garbage=3", "--fault-count", "1", "--ignore-stdin"});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QSerialPort port(sim.port());
    port.setBaudRate(28800);
    QVERIFY(port.open(QIODevice::ReadWrite));
    QCOMPARE(transact(port, kAsk3).size(), 3 + 14);
    QCOMPARE(transact(port, QByteArray("\x02"
                                       "3DO?:3D"
                                       "\x03")),
             QByteArray("\x02"
                        "300 RZH 2.0:65"
                        "\x03"));
    port.close();
    // Standard input is not watched: only a signal ends it.
    sim.process().closeWriteChannel();
    QVERIFY(!sim.process().waitForFinished(300));
    sim.process().terminate();
    QVERIFY(sim.process().waitForFinished(3000));
    QCOMPARE(sim.process().exitCode(), 0);
}

// The answer delay is the subject: the reply comes no sooner than the delay
// and the bytes' own time on the line at 9600 Baud.
void TestKormakSim::wireTimeAndAnswerDelay() {
    SimProcess sim;
    const QString failure =
        sim.start(QStringLiteral(KORMAK_SIM_EXE), {"--axes", "3", "--rate", "3=9600", "--wire-time",
                                                   "--answer-delay", "150", "--ignore-stdin"});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QSerialPort port(sim.port());
    port.setBaudRate(9600);
    QVERIFY(port.open(QIODevice::ReadWrite));
    QElapsedTimer clock;
    clock.start();
    const QByteArray reply = transact(port, kAsk3);
    const qint64 elapsedMs = clock.elapsed();
    QCOMPARE(reply, QByteArray("\x02"
                               "300 10000:18"
                               "\x03"));
    const qint64 lineMs = (kAsk3.size() + reply.size()) * 10 * 1000 / 9600;
    QVERIFY2(elapsedMs >= 150 + lineMs, qPrintable(QString::number(elapsedMs)));
    port.close();
    sim.process().terminate();
    QVERIFY(sim.process().waitForFinished(3000));
}

void TestKormakSim::badOptionsAreRejected_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("address outside the bus") << QStringList{"--axes", "0,G"};
    QTest::newRow("family for an absent axis") << QStringList{"--axes", "0", "--family", "5=TKV"};
    QTest::newRow("rate not in the list") << QStringList{"--rate", "0=1200"};
    QTest::newRow("unknown fault") << QStringList{"--fault", "smoke"};
    QTest::newRow("slot beyond the area") << QStringList{"--family", "0=RZH", "--slot", "0:08=x"};
    QTest::newRow("slot text outside code page 1252") << QStringList{"--slot", "0:01=GA5 \u03A9"};
    QTest::newRow("unknown option") << QStringList{"--frobnicate"};
    QTest::newRow("negative answer delay") << QStringList{"--answer-delay", "-5"};
    QTest::newRow("answer delay not a number") << QStringList{"--answer-delay", "soon"};
    QTest::newRow("refused release of an absent axis")
        << QStringList{"--axes", "0", "--refuse-release", "5:1"};
    QTest::newRow("refused release number 0") << QStringList{"--refuse-release", "0:0"};
    QTest::newRow("refused release without a number") << QStringList{"--refuse-release", "0"};
    QTest::newRow("lost slot beyond the area")
        << QStringList{"--family", "0=RZH", "--lose-slot", "0:08"};
    QTest::newRow("lost slot not hexadecimal") << QStringList{"--lose-slot", "0:XY"};
    QTest::newRow("refused slot beyond the area")
        << QStringList{"--family", "0=RZH", "--refuse-slot", "0:08"};
    QTest::newRow("refused slot of an absent axis")
        << QStringList{"--axes", "0", "--refuse-slot", "5:01"};
    QTest::newRow("no reply to nothing") << QStringList{"--no-reply-to", ""};
    QTest::newRow("no reply on an absent axis")
        << QStringList{"--axes", "0", "--no-reply-to", "5 PF"};
}

void TestKormakSim::badOptionsAreRejected() {
    QFETCH(QStringList, args);
    QProcess sim;
    sim.start(QStringLiteral(KORMAK_SIM_EXE), args);
    QVERIFY(sim.waitForFinished(3000));
    QCOMPARE(sim.exitCode(), 2);
    QCOMPARE(sim.readAllStandardOutput(), QByteArray()); // no path: nothing to open
}

void TestKormakSim::helpExplainsTheFramingRule() {
    QProcess sim;
    sim.start(QStringLiteral(KORMAK_SIM_EXE), {"--help"});
    QVERIFY(sim.waitForFinished(3000));
    const QString help = QString::fromLocal8Bit(sim.readAllStandardOutput());
    QVERIFY(help.contains(u"Framing rule"));
    QVERIFY(help.contains(u"lowest axis"));
    QVERIFY(help.contains(u"--fault"));
    for (const char* option : {"--no-reply-to", "--refuse-release", "--lose-slot", "--refuse-slot"})
        QVERIFY2(help.contains(QLatin1String(option)), option);
}

// Each --no-reply-to strikes once, on the first command it names; the others are answered.
void TestKormakSim::everyAimedFaultIsKept() {
    SimProcess sim;
    const QString failure =
        sim.start(QStringLiteral(KORMAK_SIM_EXE), {"--axes", "3", "--no-reply-to", "PF",
                                                   "--no-reply-to", "3 PO", "--ignore-stdin"});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QSerialPort port(sim.port());
    port.setBaudRate(28800);
    QVERIFY(port.open(QIODevice::ReadWrite));
    const QByteArray asks[] = {QByteArray("\x02"
                                          "3PO?:29"
                                          "\x03"),
                               QByteArray("\x02"
                                          "3PF?:20"
                                          "\x03")};
    for (const QByteArray& ask : asks)
        QCOMPARE(transact(port, ask), QByteArray());
    // Struck once each: asked again, both answer.
    QCOMPARE(transact(port, asks[0]).mid(1, 7), QByteArray("300 400"));
    QCOMPARE(transact(port, asks[1]).mid(1, 8), QByteArray("300 2000"));
    port.close();
    sim.process().terminate();
    QVERIFY(sim.process().waitForFinished(3000));
}

// A reply that leaves after the program has changed the port's rate meets a receiver that
// samples its bits at another rate: what arrives is noise, never a frame.
void TestKormakSim::lateReplyAfterARateChangeIsNoise() {
    SimProcess sim;
    const QString failure =
        sim.start(QStringLiteral(KORMAK_SIM_EXE),
                  {"--axes", "3", "--fault", "late=300", "--fault-count", "1", "--ignore-stdin"});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QSerialPort port(sim.port());
    port.setBaudRate(28800);
    QVERIFY(port.open(QIODevice::ReadWrite));
    port.write(kAsk3);
    QVERIFY(port.waitForBytesWritten(200));
    QTest::qWait(50); // the axis has heard it at 28800
    QVERIFY(port.setBaudRate(38400));
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000) {
        if (port.waitForReadyRead(50))
            got += port.readAll();
        else
            port.clearError();
    }
    QVERIFY2(!got.isEmpty(), "the reply went out all the same");
    QVERIFY2(!got.contains('\x02') && !got.contains('\x03'), got.toHex().constData());
    // Back at the axis's rate, the next reply is clean again.
    QVERIFY(port.setBaudRate(28800));
    QCOMPARE(transact(port, kAsk3), QByteArray("\x02"
                                               "300 10000:18"
                                               "\x03"));
    port.close();
    sim.process().terminate();
    QVERIFY(sim.process().waitForFinished(3000));
}

// A line on standard input that never ends is dropped, not kept growing; the lines after
// its end are read as usual.
void TestKormakSim::overlongInputLineIsSkipped() {
    SimProcess sim;
    const QString failure = sim.start(QStringLiteral(KORMAK_SIM_EXE), {"--axes", "3"});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    sim.process().write(QByteArray(100000, 'x'));
    sim.process().write("\n3 inputs 5\n");
    QVERIFY(sim.process().waitForReadyRead(3000));
    QVERIFY2(sim.process().readLine().startsWith("3 inputs 0x5 "),
             "the line after it was not read");
    QVERIFY(sim.stop());
    const QString err = QString::fromLocal8Bit(sim.freshLog());
    QCOMPARE(err.count(QStringLiteral("ignored")), 1);
}

// Texts typed in the terminal's UTF-8, as an option and as a line on
// standard input, are held as the bytes a controller stores: "€" is 0x80.
void TestKormakSim::slotTextsAreHeldAsCodePage1252() {
    SimProcess sim;
    const QString failure =
        sim.start(QStringLiteral(KORMAK_SIM_EXE),
                  {"--axes", "3", "--slot", QStringLiteral("3:10=\u2026\u20AC \u00FC")});
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QSerialPort port(sim.port());
    port.setBaudRate(28800);
    QVERIFY(port.open(QIODevice::ReadWrite));
    QCOMPARE(transact(port, framed("3ER10")), framed("300 \x85\x80 \xFC"));

    sim.process().write(QStringLiteral("3 slot 11 Gr\u00FC\u00DF \u20AC\n").toUtf8());
    QVERIFY(sim.process().waitForReadyRead(3000));
    sim.process().readAllStandardOutput();
    QCOMPARE(transact(port, framed("3ER11")), framed("300 Gr\xFC\xDF \x80"));
    // A character without a byte changes nothing.
    sim.process().write(QStringLiteral("3 slot 11 \u03A9\n").toUtf8());
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += sim.freshLog()).contains("code page 1252"), 3000);
    QCOMPARE(transact(port, framed("3ER11")), framed("300 Gr\xFC\xDF \x80"));
    port.close();
    QVERIFY(sim.stop());
}

QTEST_GUILESS_MAIN(TestKormakSim)
#include "tst_kormaksim.moc"
