// kormakctl report: the PDF of a simulated axis and of a parameter file, in
// the language asked for; a report that cannot be read leaves no file.

#include "SimLine.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using sim::Fault;

namespace {

struct Result {
    int code = -1;
    QString out;
    QString err;
};

Result kormakctl(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QTemporaryDir home;
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the command needs no display of its own
    env.remove(QStringLiteral("DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KORMAKCTL), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    QString s = QString::fromUtf8(p.readAllStandardOutput());
    s.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
    return s;
}

} // namespace

class TestReportCli : public QObject {
    Q_OBJECT

private slots:
    void init() {
        line = std::make_unique<SimLine>(QStringLiteral("0"));
        line->axis(u'0', [](sim::SimAxis& a) {
            a.plcSlots[0x0A] = QStringLiteral("PO400 PF2000 GA16000 PN3");
            a.plcSlots[0x40] = QStringLiteral("$&CR");
        });
        QVERIFY(line->start());
        QVERIFY(dir.isValid());
    }
    void cleanup() { line.reset(); }

    void reportOf_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("shows");
        QTest::newRow("axis, German")
            << QStringList{"--lang", "de", "report", "--address", "0"}
            << QStringList{"KORMAK: Konfiguration von Achse 0", "SPS-Zyklus: 10",
                           "Fahre auf Position 16000", "Reset gesamte Anlage"};
        QTest::newRow("axis, English") << QStringList{"--lang", "en", "report", "--address", "0"}
                                       << QStringList{"KORMAK: Configuration of axis 0",
                                                      "PLC cycle: 64", "Reset Whole equipment"};
        QTest::newRow("file, French")
            << QStringList{"--lang", "fr", "report", "--file",
                           KORMAK_GOLDEN_DIR "/online_tkv_de.OPM"}
            << QStringList{"online_tkv_de.OPM", "[TKV]", "PG_3.07", "BIOS_V2.14"};
    }
    void reportOf() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, shows);
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        const Result r = kormakctl(QStringList{"--port", line->port(), "--baud", "28800"} + args +
                                   QStringList{"--pdf", out});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QString text = pdfText(out);
        for (const QString& s : shows)
            QVERIFY2(text.contains(s), qPrintable(s + "\n" + text));
    }

    // A slot read that times out: 10103, exit 1, and the file the operator
    // named is not written (an older one stays as it was).
    void lostSlotLeavesNoFile_data() {
        QTest::addColumn<bool>("olderFile");
        QTest::newRow("no file before") << false;
        QTest::newRow("an older file") << true;
    }
    void lostSlotLeavesNoFile() {
        QFETCH(bool, olderFile);
        const QString out = dir.filePath(QStringLiteral("lost.pdf"));
        QFile::remove(out);
        if (olderFile) {
            QFile f(out);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("older");
        }
        line->host.setFaultFor(QStringLiteral("ER21"), Fault::NoReply);
        const Result r = kormakctl({"--port", line->port(), "--baud", "28800", "--lang", "en",
                                    "report", "--address", "0", "--pdf", out});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains("Interface timeout") || r.err.contains("imeout"),
                 qPrintable(r.err));
        QCOMPARE(QFile::exists(out), olderFile);
        if (olderFile) {
            QFile f(out);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("older"));
        }
        QVERIFY(!QDir(dir.path()).entryList(QDir::Files).filter(".pdf.").size());
    }

    void usage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no source") << QStringList{"report", "--pdf", "x.pdf"};
        QTest::newRow("both sources")
            << QStringList{"report", "--address", "0", "--file", "a.OPM", "--pdf", "x.pdf"};
        QTest::newRow("no output") << QStringList{"report", "--address", "0"};
        QTest::newRow("bad address") << QStringList{"report", "--address", "G", "--pdf", "x.pdf"};
    }
    void usage() {
        QFETCH(QStringList, args);
        QCOMPARE(kormakctl(args).code, 2);
    }

private:
    std::unique_ptr<SimLine> line;
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(TestReportCli)
#include "tst_reportcli.moc"
