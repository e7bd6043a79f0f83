// The simulated controller as the suite's referee: which refusals fail a test, and that a
// test which sends a refused command does fail.
#include "Referee.h"

#include <QProcess>
#include <QTest>

using sim::Refusal;

class TestReferee : public QObject {
    Q_OBJECT

private slots:
    void verdict_data() {
        QTest::addColumn<QString>("expected"); // what the test says it sends on purpose
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("cause");
        QTest::addColumn<bool>("fails");
        QTest::newRow("unknown command") << ""
                                         << "0"
                                         << "XY?"
                                         << "unknown command" << true;
        QTest::newRow("slot with a bad digit") << ""
                                               << "3"
                                               << "EW5GA1"
                                               << "bad value" << true;
        QTest::newRow("expected by the test") << "EW5"
                                              << "3"
                                              << "EW5GA1"
                                              << "bad value" << false;
        QTest::newRow("expected on this axis") << "3 EW"
                                               << "3"
                                               << "EW5GA1"
                                               << "bad value" << false;
        QTest::newRow("expected on another axis") << "0 EW"
                                                  << "3"
                                                  << "EW5GA1"
                                                  << "bad value" << true;
        QTest::newRow("another command expected") << "EW6"
                                                  << "3"
                                                  << "EW5GA1"
                                                  << "bad value" << true;
        QTest::newRow("long slot query on an eight-slot axis") << ""
                                                               << "0"
                                                               << "ERFF"
                                                               << "not now" << false;
        QTest::newRow("long slot query with another cause") << ""
                                                            << "0"
                                                            << "ER08"
                                                            << "bad value" << true;
        QTest::newRow("long slot write on an eight-slot axis") << ""
                                                               << "0"
                                                               << "EW08GA1"
                                                               << "not now" << true;
        QTest::newRow("damaged frame") << ""
                                       << "0"
                                       << "IF?"
                                       << "bad checksum" << true;
    }
    void verdict() {
        QFETCH(QString, expected);
        QFETCH(QString, address);
        QFETCH(QString, command);
        QFETCH(QString, cause);
        QFETCH(bool, fails);
        Referee referee;
        if (!expected.isEmpty())
            referee.expect(expected);
        const Refusal r{address.at(0), command, cause};
        QCOMPARE(referee.faults({r}), fails ? QStringList{r.text()} : QStringList());
        referee.expectAny();
        QCOMPARE(referee.faults({r}), QStringList());
    }

    // What kormak-sim writes to its log is what the rigs of its child processes read back.
    void logLineRoundTrip_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("refusal"); // empty: not a refusal line
        QTest::newRow("refusal") << "refused 3 EW5GA1: bad value"
                                 << "3 EW5GA1: bad value";
        QTest::newRow("command with blanks and a colon") << "refused 0 EW00PO400 GA1: x: not now"
                                                         << "0 EW00PO400 GA1: x: not now";
        QTest::newRow("two causes") << "refused A ZZ: unknown command, bad value"
                                    << "A ZZ: unknown command, bad value";
        QTest::newRow("a received command") << "3 EW5GA1"
                                            << "";
        QTest::newRow("a command named refused") << "3 refused"
                                                 << "";
        QTest::newRow("without cause") << "refused 3 EW5GA1"
                                       << "";
    }
    void logLineRoundTrip() {
        QFETCH(QString, line);
        QFETCH(QString, refusal);
        Refusal r;
        QCOMPARE(parseRefusalLine(line, &r), !refusal.isEmpty());
        if (!refusal.isEmpty())
            QCOMPARE(r.text(), refusal);
    }

    // The rigs' referee at work: run as tests of their own, the ones that send a refused
    // command without saying so fail, with the command in the message; the others pass.
    void refereeFailsTheTest_data() {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("complaint"); // empty: the test passes
        QTest::newRow("refused command") << "sendsARefusedCommand"
                                         << "0 EW5GA1: bad value";
        QTest::newRow("refusal the test expects") << "saysItSendsTheRefusedCommand"
                                                  << "";
        QTest::newRow("good commands") << "sendsGoodCommandsOnly"
                                       << "";
        QTest::newRow("allowed refusal") << "readsAnEightSlotAxisWithTheLongQuery"
                                         << "";
        QTest::newRow("refusal in the log of a child simulator") << "childSimulatorRefuses"
                                                                 << "0 XY?: unknown command";
    }
    void refereeFailsTheTest() {
        QFETCH(QString, function);
        QFETCH(QString, complaint);
        QProcess p;
        p.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        p.start(QStringLiteral(REFEREED_EXE), {function});
        QVERIFY(p.waitForFinished(30000));
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
        if (complaint.isEmpty()) {
            QVERIFY2(p.exitCode() == 0, qPrintable(out));
            QVERIFY2(out.contains(QStringLiteral("PASS   : TestRefereed::%1()").arg(function)),
                     qPrintable(out));
            return;
        }
        QVERIFY2(p.exitCode() == 1, qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("FAIL!  : TestRefereed::%1()").arg(function)),
                 qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("refused what the program sent: ") + complaint),
                 qPrintable(out));
    }
};

QTEST_GUILESS_MAIN(TestReferee)
#include "tst_referee.moc"
