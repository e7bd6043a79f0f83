#include "PtyPeer.h"
#include "ScriptedOperator.h"
#include "SimRig.h"
#include "axis/AxisParameters.h"
#include "axis/AxisReading.h"
#include "axis/CKormakDoc.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "base/Windows1252.h"
#include "files/ParameterFile.h"
#include "link/SerialLink.h"

#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Fixtures = QStringLiteral(KORMAK_FILES_FIXTURES);

QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// The first line of a saved file holds the day of saving; the rest is
// compared byte for byte with the golden file.
QByteArray withoutDateLine(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf("\r\n");
    return end < 0 ? QByteArray() : bytes.mid(end + 2);
}

// Compares a saved file with its golden file, naming the first line that
// differs; the date line must be the header text and a day of this run.
void compareWithGolden(const QByteArray& actual, const QString& goldenName, const QDate& before) {
    const QByteArray golden = readBytes(Fixtures + QLatin1Char('/') + goldenName);
    QVERIFY2(!golden.isEmpty(), qPrintable(goldenName + QStringLiteral(" is missing")));

    const QByteArray firstLine = actual.left(actual.indexOf("\r\n"));
    const QByteArray header = toWindows1252(Texts::text(10180));
    QVERIFY2(firstLine.startsWith(header), firstLine.constData());
    const QDate saved = QDate::fromString(QString::fromLatin1(firstLine.mid(header.size())),
                                          QStringLiteral("dd.MM.yyyy"));
    QVERIFY2(saved == before || saved == before.addDays(1), firstLine.constData());

    const QList<QByteArray> got = withoutDateLine(actual).split('\n');
    const QList<QByteArray> want = withoutDateLine(golden).split('\n');
    for (qsizetype i = 0; i < qMin(got.size(), want.size()); ++i)
        QVERIFY2(
            got.at(i) == want.at(i),
            qPrintable(QStringLiteral("line %1: got \"%2\", expected \"%3\"")
                           .arg(i + 2)
                           .arg(QString::fromLatin1(got.at(i)), QString::fromLatin1(want.at(i)))));
    QCOMPARE(got.size(), want.size());
    QCOMPARE(withoutDateLine(actual), withoutDateLine(golden));
}

Texts::Language languageOf(const QString& code) {
    Texts::Language l = Texts::Language::German;
    Texts::fromCode(code, &l);
    return l;
}

// A controller reply frame: STX, address, status, blank, data, ":", checksum, ETX.
QByteArray replyFrame(const QByteArray& data) {
    const QByteArray body = "000 " + data + ":";
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    return '\x02' + body + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() + '\x03';
}

// The command inside a request frame: STX, address, command, ":", two digits, ETX.
QByteArray commandOf(const QByteArray& frame) {
    return frame.size() < 6 ? QByteArray() : frame.mid(2, frame.size() - 6);
}

// The panel of a simulated axis: a link to it and the parameters the panel
// read from it, as a save finds them.
struct SimPanelRig : SimRig {
    CKormakDoc doc;
    AxisParameters params;

    bool readPanel() {
        const bool ok = ReadAxisConfiguration(link, op, params);
        host.clearLog();
        op.clear();
        return ok;
    }
};

// An offline panel: nothing on the wire.
struct OfflineRig {
    ScriptedOperator op;
    SerialLink link{op};
    CKormakDoc doc;
    AxisParameters params;
    explicit OfflineRig(const QString& address) { link.setCurrentAddress(address); }
};

// What an opened file gave the panel and the document, as "key=value" texts.
QMap<QString, QString> summary(const AxisParameters& p, const CKormakDoc& doc) {
    QMap<QString, QString> s;
    s[QStringLiteral("PD")] = QString::number(p.operatingMode);
    s[QStringLiteral("PL")] = QString::number(p.systemType);
    s[QStringLiteral("PF")] = p.runFreq;
    s[QStringLiteral("PG")] = p.axisLimit;
    s[QStringLiteral("PM")] = p.zeroOffsetMinus;
    s[QStringLiteral("PO")] = p.startStopFreq;
    s[QStringLiteral("PP")] = p.zeroOffsetPlus;
    s[QStringLiteral("PW")] = p.backlash;
    s[QStringLiteral("PA")] = p.boostCurrent;
    s[QStringLiteral("PR")] = p.runCurrent;
    s[QStringLiteral("PS")] = p.stopCurrent;
    s[QStringLiteral("PT")] = p.boostTime;
    s[QStringLiteral("ramps")] = p.rampList.join(QLatin1Char(','));
    s[QStringLiteral("ramp")] = p.rampIndex >= 0 && p.rampIndex < p.rampList.size()
                                    ? p.rampList.at(p.rampIndex)
                                    : QStringLiteral("none");
    s[QStringLiteral("device")] = p.deviceType;
    s[QStringLiteral("typeTag")] = doc.typeTag;
    s[QStringLiteral("lines")] = QString::number(doc.lineList.size());
    return s;
}

const QString DefaultRamps =
    QStringLiteral("5000,12500,25000,37500,50000,62500,75000,87500,100000,120000");

} // namespace

class TestParameterFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString path(const QString& name) const { return dir_.filePath(name); }

    // Opens bytes as a file the way the shell does: the lines into the
    // document, then, when there are any, into a fresh offline panel.
    void open(const QByteArray& bytes, AxisParameters& params, CKormakDoc& doc,
              const QString& name = QStringLiteral("DREH.OPM")) {
        QVERIFY(writeBytes(path(name), bytes));
        QVERIFY(ReadFileLines(path(name), doc));
        if (!doc.lineList.isEmpty())
            ApplyFileLines(doc.lineList, params, doc);
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        QVERIFY(Texts::setLanguage(Texts::Language::German));
    }
    void cleanup() { Texts::setLanguage(Texts::Language::German); }

    // ---- reading ------------------------------------------------------------

    void lineSplitting_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("PF2000\r\nPO400\r\n")
                               << QStringList{"PF2000\r\n", "PO400\r\n"};
        QTest::newRow("lone LF") << QByteArray("PF2000\nPO400\n")
                                 << QStringList{"PF2000\r\n", "PO400\r\n"};
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\r\n")
                               << QStringList{"a\r\n", "b\r\n", "c\r\n"};
        QTest::newRow("last line without end")
            << QByteArray("PF2000\r\nPO400") << QStringList{"PF2000\r\n", "PO400\r\n"};
        QTest::newRow("empty lines kept")
            << QByteArray("\r\n;\r\n\r\n\nEW00\r\n")
            << QStringList{"\r\n", ";\r\n", "\r\n", "\r\n", "EW00\r\n"};
        QTest::newRow("lone CR is no line end")
            << QByteArray("a\rb\r\n") << QStringList{"a\rb\r\n"};
        QTest::newRow("CR CR LF keeps one CR") << QByteArray("a\r\r\n") << QStringList{"a\r\r\n"};
        QTest::newRow("zero bytes") << QByteArray() << QStringList{};
        QTest::newRow("one line end") << QByteArray("\n") << QStringList{"\r\n"};
        QTest::newRow("code page 1252")
            << QByteArray("; [bitte nicht \xe4ndern   ]:\r\nEW00\x80 \x9c \x81\r\n")
            << QStringList{QStringLiteral("; [bitte nicht \u00e4ndern   ]:\r\n"),
                           QStringLiteral("EW00\u20ac \u0153 \u0081\r\n")};
    }
    void lineSplitting() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        CKormakDoc doc;
        QVERIFY(writeBytes(path(QStringLiteral("split.OPM")), bytes));
        QVERIFY(ReadFileLines(path(QStringLiteral("split.OPM")), doc));
        QCOMPARE(doc.lineList, lines);
        QCOMPARE(doc.typeTag, QStringLiteral("split.OPM"));
        // Every byte comes back as it was read: the lines are code page 1252.
        QString joined = doc.lineList.join(QString());
        QCOMPARE(toWindows1252(joined).size(), joined.size());
    }

    void unreadableFile() {
        CKormakDoc doc;
        doc.typeTag = QStringLiteral("before");
        QVERIFY(!ReadFileLines(path(QStringLiteral("no such file.OPM")), doc));
        QCOMPARE(doc.typeTag, QStringLiteral("before"));
        QVERIFY(doc.lineList.isEmpty());
    }

    // Only a regular file of at most a megabyte is read; anything else is
    // refused before its first byte, so /dev/zero cannot fill the memory.
    void whatIsNoParameterFile_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("size"); // bytes to write first; -1: leave as it is
        QTest::addColumn<bool>("read");
        QTest::newRow("endless device") << QStringLiteral("/dev/zero") << qint64(-1) << false;
        QTest::newRow("directory") << QString() << qint64(-1) << false;
        QTest::newRow("2 MB") << QStringLiteral("big.OPM") << qint64(2 * 1024 * 1024) << false;
        QTest::newRow("one byte too many")
            << QStringLiteral("over.OPM") << MaxParameterFileBytes + 1 << false;
        QTest::newRow("exactly the limit")
            << QStringLiteral("limit.OPM") << MaxParameterFileBytes << true;
    }
    void whatIsNoParameterFile() {
        QFETCH(QString, file);
        QFETCH(qint64, size);
        QFETCH(bool, read);
        if (file.isEmpty())
            file = dir_.path();
        else if (size >= 0)
            QVERIFY(writeBytes(file = path(file), QByteArray(size, ';')));
        CKormakDoc doc;
        QCOMPARE(ReadFileLines(file, doc), read);
        QCOMPARE(doc.lineList.isEmpty(), !read);
    }

    void applying_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected"); // "key=value" of summary()

        const QByteArray table =
            "; [Beschleunigungstabelle]\r\n;\r\n"
            "; [bitte nicht \xe4ndern   ]: "
            "0032007D00FA017701F4027102EE036B03E804B0FFFFFFFFFFFFFFFFFFFFFFFF\r\n";
        QTest::newRow("default table, PN3")
            << "PN3\r\n" + table << QStringList{"ramps=" + DefaultRamps, "ramp=37500"};
        QTest::newRow("16 words without FFFF")
            << QByteArray("PN1\r\n; [Beschleunigungstabelle]\r\n;\r\n; [x]: "
                          "00010002000300040005000600070008000900"
                          "0A000B000C000D000E000F0010\r\n")
            << QStringList{"ramps=100,200,300,400,500,600,700,800,900,1000,1100,1200,1300,"
                           "1400,1500,1600",
                           "ramp=200"};
        QTest::newRow("English marker")
            << QByteArray("PN0\r\n; [Acceleration table]\r\n;\r\n"
                          "; [Please don't change   ]: 0032007DFFFF\r\n")
            << QStringList{"ramps=5000,12500", "ramp=5000"};
        QTest::newRow("French marker")
            << QByteArray("PN1\r\n; [Tableau d'acc\xe9l\xe9ration]\r\n;\r\n"
                          "; [Ne pas changer, s'il vous pla\xeet   ]: 0032007DFFFF\r\n")
            << QStringList{"ramps=5000,12500", "ramp=12500"};
        QTest::newRow("table line without ]: starts at its third character")
            << QByteArray("PN0\r\n[Acceleration table]\r\n\r\n;;04B0\r\n")
            << QStringList{"ramps=120000", "ramp=120000"};
        QTest::newRow("device line TMW")
            << QByteArray("; [TMW]\r\n;\r\nPA1.2\r\nPR0.8\r\nPS0.3\r\nPT75\r\n")
            << QStringList{"device=TMW", "typeTag=TMW", "PA=1.2", "PR=0.8", "PS=0.3", "PT=75"};
        QTest::newRow("offline device line counts")
            << QByteArray("; [TKV] Offline Speicherung!\r\n")
            << QStringList{"device=TKV", "typeTag=TKV"};
        QTest::newRow("other families are not recorded")
            << QByteArray("; [RZH]\r\n;\r\n") << QStringList{"device=", "typeTag="};
        QTest::newRow("no device line empties the type tag")
            << QByteArray("PF2000\r\n") << QStringList{"typeTag=", "PF=2000"};
        QTest::newRow("PD1, PL0, PN with A")
            << "PD1\r\nPL0\r\nPNA\r\n" + QByteArray("; [Acceleration table]\r\n;\r\n; [x]: "
                                                    "00010002000300040005000600070008000900"
                                                    "0A000B000C000D000E000F0010\r\n")
            << QStringList{"PD=1", "PL=0", "ramp=1100"};
        QTest::newRow("only one character of PD and PL")
            << QByteArray("PD10\r\nPL1x\r\n") << QStringList{"PD=1", "PL=1"};
        QTest::newRow("PD without a digit selects the first entry")
            << QByteArray("PDx\r\nPL\r\n") << QStringList{"PD=0", "PL=0"};
        QTest::newRow("PD beyond the list selects nothing")
            << QByteArray("PD7\r\nPL2\r\n") << QStringList{"PD=-1", "PL=-1"};
        QTest::newRow("lower-case pf2000 ignored")
            << QByteArray("pf2000\r\nPO400\r\n") << QStringList{"PF=", "PO=400"};
        QTest::newRow("comment lines are not parameters")
            << QByteArray(";PF2000\r\n; PD1\r\n") << QStringList{"PF=", "PD=-1"};
        QTest::newRow("the later line wins")
            << QByteArray("PF2000\r\nPF3000\r\n") << QStringList{"PF=3000"};
        QTest::newRow("all text fields")
            << QByteArray("PF8000\r\nPG250000\r\nPM40\r\nPO800\r\nPP-25\r\nPW16\r\nPH5\r\n")
            << QStringList{"PF=8000", "PG=250000", "PM=40", "PO=800", "PP=-25", "PW=16"};
        QTest::newRow("values as they stand")
            << QByteArray("PF 2 000 \r\nPA\r\n") << QStringList{"PF= 2 000 ", "PA="};
        QTest::newRow("no PN before the table selects nothing")
            << table << QStringList{"ramps=" + DefaultRamps, "ramp=none"};
        QTest::newRow("PN beyond the table selects nothing")
            << QByteArray("PNF\r\n; [Acceleration table]\r\n;\r\n; [x]: 0032FFFF\r\n")
            << QStringList{"ramps=5000", "ramp=none"};
        QTest::newRow("PN without a hex digit keeps the earlier one")
            << QByteArray("PN2\r\nPNx\r\n; [Acceleration table]\r\n;\r\n; [x]: 003200640096\r\n")
            << QStringList{"ramp=15000"};
        QTest::newRow("group that is not hexadecimal ends the table")
            << QByteArray("PN0\r\n; [Acceleration table]\r\n;\r\n; [x]: 00320G640096\r\n")
            << QStringList{"ramps=5000"};
        QTest::newRow("short last group")
            << QByteArray("PN0\r\n; [Acceleration table]\r\n;\r\n; [x]: 0032064\r\n")
            << QStringList{"ramps=5000,10000"};
        QTest::newRow("two tables append")
            << QByteArray("PN2\r\n; [Acceleration table]\r\n;\r\n; [x]: 0032FFFF\r\n"
                          "; [Beschleunigungstabelle]\r\n;\r\n; [x]: 0064FFFF\r\n")
            << QStringList{"ramps=5000,10000", "ramp=none"};
        QTest::newRow("marker in the last line")
            << QByteArray("PN0\r\nPF2000\r\n; [Beschleunigungstabelle]")
            << QStringList{"ramps=", "ramp=none", "PF=2000"};
        QTest::newRow("marker in the line before the last")
            << QByteArray("PN0\r\n; [Beschleunigungstabelle]\r\n;\r\n")
            << QStringList{"ramps=", "ramp=none"};
        QTest::newRow("lines ending in LF only")
            << QByteArray("; [TKV]\n;\nPD1\nPF2500\nPA1.5\nPN3\n; [Beschleunigungstabelle]\n;\n"
                          "; [bitte nicht \xe4ndern   ]: 0032007D00FA017701F4027102EE036B03E804B0"
                          "FFFFFFFFFFFFFFFFFFFFFFFF\n")
            << QStringList{"device=TKV", "PD=1", "PF=2500", "PA=1.5", "ramps=" + DefaultRamps,
                           "ramp=37500"};
        QTest::newRow("zero lines: nothing applied, the file name stays")
            << QByteArray() << QStringList{"lines=0", "typeTag=DREH.OPM", "ramps=", "PD=-1"};
        QTest::newRow("only empty lines apply and clear the tag")
            << QByteArray("\r\n") << QStringList{"lines=1", "typeTag="};
    }
    void applying() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        AxisParameters params;
        CKormakDoc doc;
        open(file, params, doc);
        const QMap<QString, QString> got = summary(params, doc);
        for (const QString& pair : expected) {
            const QString key = pair.section(QLatin1Char('='), 0, 0);
            QVERIFY2(got.contains(key), qPrintable(key));
            QCOMPARE(got.value(key), pair.section(QLatin1Char('='), 1));
        }
    }

    void applyingLeavesTheLinesAlone() {
        AxisParameters params;
        CKormakDoc doc;
        open(readBytes(Fixtures + QStringLiteral("/opened_input.OPM")), params, doc);
        // Comments and sequences stay for saving, the PLC dialogs and the transfer.
        QCOMPARE(doc.lineList.size(), 47);
        QCOMPARE(doc.lineList.last(), QStringLiteral("EW1FZ\u00e4hler GR-800\r\n"));
        QCOMPARE(doc.lineList.at(4),
                 QStringLiteral("; Portique X, moteur c\u00f4t\u00e9 gauche\r\n"));
    }

    // The PLC area an offline panel holds is its configuration's: opening
    // takes the file's slot lines in order, and a save writes what the PLC
    // dialogs left there, not the lines the file had when it was opened.
    void slotLinesBelongToTheConfiguration() {
        AxisParameters params;
        CKormakDoc doc;
        open(readBytes(Fixtures + QStringLiteral("/opened_input.OPM")), params, doc);
        QStringList fromFile;
        for (const QString& line : doc.lineList)
            if (line.startsWith(QLatin1String("EW")) || line.startsWith(QLatin1String("WU")))
                fromFile << line;
        QVERIFY(!fromFile.isEmpty());
        QCOMPARE(params.slotLines, fromFile);

        params.slotLines = {QStringLiteral("EW00PO400 PF2000 GA500 PN0\r\n"),
                            QStringLiteral("EW01$&T250\r\n")};
        OfflineRig rig(QStringLiteral("OFFLINE"));
        QByteArray bytes;
        QCOMPARE(ComposeParameterFile(rig.link, rig.op, params, doc, &bytes),
                 ComposeStatus::Complete);
        AxisParameters back;
        CKormakDoc backDoc;
        ApplyFileLines(SplitFileLines(bytes), back, backDoc);
        QCOMPARE(back.slotLines, params.slotLines);
    }

    void dialogFieldsFillGaps() {
        // A file without some current lines gives the panel what the
        // panel's current settings dialog already held.
        AxisParameters params;
        CKormakDoc doc;
        CurrentSettings held{QStringLiteral("TKV"), QStringLiteral("0.5"), QStringLiteral("1.0"),
                             QStringLiteral("1.5"), QStringLiteral("20")};
        const ApplyResult r = ApplyFileLines({QStringLiteral("PR2.0\r\n")}, params, doc, held);
        QCOMPARE(params.runCurrent, QStringLiteral("2.0"));
        QCOMPARE(params.stopCurrent, QStringLiteral("0.5"));
        QCOMPARE(params.boostCurrent, QStringLiteral("1.5"));
        QCOMPARE(params.boostTime, QStringLiteral("20"));
        QCOMPARE(doc.typeTag, QStringLiteral("TKV"));
        QCOMPARE(r.currents.runCurrent, QStringLiteral("2.0"));
        QVERIFY(!r.tableFound);
    }

    // ---- the title --------------------------------------------------------

    void titleRule_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("pending");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("title");
        QTest::newRow("after an online save") << "de" << true << "3"
                                              << "DREH.OPM: Achse  3";
        QTest::newRow("English") << "en" << true << "A"
                                 << "DREH.OPM: Axe  A";
        QTest::newRow("after an offline save") << "de" << true << "OFFLINE"
                                               << "DREH.OPM: OFFLINE";
        QTest::newRow("new configuration") << "de" << true << "OFFLINE NEW"
                                           << "DREH.OPM: OFFLINE NEW";
        QTest::newRow("nothing pending") << "de" << false << "3"
                                         << "DREH.OPM";
    }
    void titleRule() {
        QFETCH(QString, language);
        QFETCH(bool, pending);
        QFETCH(QString, address);
        QFETCH(QString, title);
        QVERIFY(Texts::setLanguage(languageOf(language)));
        CKormakDoc doc;
        doc.retitlePending = pending;
        doc.setTitle(QStringLiteral("DREH.OPM"), address, Texts::text(10000));
        QCOMPARE(doc.title(), title);
        QVERIFY(!doc.retitlePending);
        // Decorated once only.
        doc.setTitle(QStringLiteral("DREH.OPM"), address, Texts::text(10000));
        QCOMPARE(doc.title(), QStringLiteral("DREH.OPM"));
    }

    // ---- offline saving -------------------------------------------------------

    void offlineSave_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("golden");
        QTest::newRow("new configuration, German") << "de"
                                                   << "new"
                                                   << "offline_new_de.OPM";
        QTest::newRow("new configuration, English") << "en"
                                                    << "new"
                                                    << "offline_new_en.OPM";
        QTest::newRow("thirteen ramps") << "de"
                                        << "thirteen"
                                        << "offline_13_ramps.OPM";
        QTest::newRow("opened from a file, French") << "fr"
                                                    << "opened"
                                                    << "offline_opened_fr.OPM";
    }
    void offlineSave() {
        QFETCH(QString, language);
        QFETCH(QString, setup);
        QFETCH(QString, golden);
        QVERIFY(Texts::setLanguage(languageOf(language)));

        OfflineRig rig(setup == QLatin1String("opened") ? QStringLiteral("OFFLINE")
                                                        : QStringLiteral("OFFLINE NEW"));
        if (setup == QLatin1String("opened")) {
            open(readBytes(Fixtures + QStringLiteral("/opened_input.OPM")), rig.params, rig.doc);
        } else {
            ApplyNewOfflineDefaults(rig.params);
        }
        if (setup == QLatin1String("thirteen")) {
            rig.params.rampList =
                QStringList{"1000",  "2500",  "5000",  "12500",  "25000",  "37500", "50000",
                            "62500", "75000", "87500", "100000", "110000", "120000"};
            rig.params.rampIndex = 12;
        }

        const QDate today = QDate::currentDate();
        const QString out = path(golden);
        QVERIFY(WriteParameterFile(out, rig.link, rig.op, rig.params, rig.doc));
        compareWithGolden(readBytes(out), golden, today);
        QVERIFY(rig.op.shown.isEmpty());
        QVERIFY(rig.op.progress.isEmpty());
        QVERIFY(rig.doc.retitlePending);
        QCOMPARE(rig.doc.filePath, out);
        QVERIFY(!BusyState::isBusy());
    }

    void offlineSaveLeavesOutMissingSelections() {
        // A list without a selection has no value; "PD-1" would be sent to the
        // next axis by a transfer.
        OfflineRig rig(QStringLiteral("OFFLINE"));
        rig.params.runFreq = QStringLiteral("2000");
        QVERIFY(WriteParameterFile(path(QStringLiteral("nosel.OPM")), rig.link, rig.op, rig.params,
                                   rig.doc));
        const QByteArray bytes = readBytes(path(QStringLiteral("nosel.OPM")));
        QVERIFY(bytes.contains("\r\nPA\r\nPR\r\nPS\r\nPF2000\r\nPG\r\nPH0\r\nPM\r\nPO\r\n"));
        QVERIFY(!bytes.contains("\r\nPD"));
        QVERIFY(!bytes.contains("\r\nPL"));
        QVERIFY(!bytes.contains("\r\nPN"));
        QVERIFY(!bytes.contains("-1"));
    }

    // ---- online saving --------------------------------------------------------

    void onlineSave_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("golden");
        QTest::addColumn<bool>("thirteenRamps");
        QTest::newRow("TKV, German, 13 ramps") << "de"
                                               << "TKV 3A/50V"
                                               << "online_tkv_de.OPM" << true;
        QTest::newRow("TMW, French") << "fr"
                                     << "TMW 1A/24V"
                                     << "online_tmw_fr.OPM" << false;
        QTest::newRow("RZH, English") << "en"
                                      << "RZH 2A/24V"
                                      << "online_rzh_en.OPM" << false;
    }
    void onlineSave() {
        QFETCH(QString, language);
        QFETCH(QString, family);
        QFETCH(QString, golden);
        QFETCH(bool, thirteenRamps);
        QVERIFY(Texts::setLanguage(languageOf(language)));

        SimPanelRig rig;
        bool programmed = true;
        const bool eight = family.contains(QLatin1String("RZH"));
        rig.host.withBus([&](sim::SimBus& bus) {
            sim::SimAxis& a = bus.axis(u'0');
            a.setFamily(family);
            a.params.runFreq = 3000;
            a.params.startStopFreq = 350;
            a.params.rampIndex = 3;
            a.params.operatingMode = 1;
            a.params.systemType = 1;
            a.params.axisLimit = 480000;
            a.params.backlash = -12;
            a.params.zeroOffsetPlus = 160;
            a.params.zeroOffsetMinus = 80;
            a.params.ph = 2;
            a.params.boostTime = 75;
            a.currentLevels = QByteArray::fromHex("050A0F14191E23282D32373C41464B50");
            if (thirteenRamps) {
                // The table the file records is the axis's own, not the default.
                a.ramps.erase();
                for (quint16 slope :
                     {10, 25, 50, 125, 250, 375, 500, 625, 750, 875, 1000, 1100, 1200})
                    programmed = a.ramps.appendRamp(slope, a.clockHz, 4000) && programmed;
            }
            if (eight) {
                a.plcSlots[0] = QStringLiteral("PO400 PF2000 GA16000 PN3");
                a.plcSlots[5] = QStringLiteral("$&GA0 IO1");
                a.plcSlots[7] = QStringLiteral("GR-800");
            } else {
                a.plcSlots[0x00] = QStringLiteral("PO400 PF2000 GA16000 PN3");
                a.plcSlots[0x07] = QStringLiteral("$&GA0 IO1");
                a.plcSlots[0x0A] = QStringLiteral("Z\u00e4hler GR-800");
                a.plcSlots[0xFF] = QStringLiteral("H");
            }
        });
        QVERIFY(programmed);
        QVERIFY(rig.open());
        QVERIFY(rig.readPanel());
        QCOMPARE(rig.params.rampList.size(), thirteenRamps ? 13 : 10);

        const QDate today = QDate::currentDate();
        bool busyBetween = false;
        rig.op.onPump = [&]() { busyBetween = BusyState::isBusy(); };
        const QString out = path(golden);
        QVERIFY(WriteParameterFile(out, rig.link, rig.op, rig.params, rig.doc));
        compareWithGolden(readBytes(out), golden, today);

        // The order on the wire; the file cannot show it.
        const QString q =
            family.contains(QLatin1String("RZH")) ? QStringLiteral("?") : QStringLiteral("??");
        QStringList expected{"DO?",    "IQ?",    "IF?",    "IB?", "ID?", "IV?",    "IC?",   "PD?",
                             "PA" + q, "PR" + q, "PS" + q, "PF?", "PG?", "PH?",    "PL?",   "PM?",
                             "PN?",    "PO?",    "PP?",    "PT?", "PW?", "FR0050", "FR0060"};
        const int slotCount = eight ? 8 : 256;
        for (int k = 0; k < slotCount; ++k)
            expected << (eight ? QStringLiteral("FU%1").arg(k, 1, 16)
                               : QStringLiteral("ER%1").arg(k, 2, 16, QLatin1Char('0')).toUpper());
        QCOMPARE(rig.commands(), expected);

        QVERIFY(rig.op.shown.isEmpty());
        QCOMPARE(rig.op.pumps, 1);
        QVERIFY(busyBetween);
        QVERIFY(!BusyState::isBusy());
        QCOMPARE(rig.op.progress.first(), QStringLiteral("show:%1:255:1").arg(Texts::text(10172)));
        QCOMPARE(rig.op.progress.count(QStringLiteral("step")), slotCount);
        QCOMPARE(rig.op.progress.last(), QStringLiteral("hide"));
        QVERIFY(rig.doc.retitlePending);
        QVERIFY(!rig.doc.modified);
    }

    void stoppedSaveKeepsTheFile_data() {
        QTest::addColumn<QByteArray>("silent"); // the command left unanswered
        QTest::addColumn<bool>("closeBetween"); // the port closes at the PLC read
        QTest::addColumn<bool>("existing");     // an earlier file is in place
        QTest::addColumn<int>("message");
        QTest::newRow("time-out at DO?") << QByteArray("DO?") << false << true << 10175;
        QTest::newRow("time-out at a device query") << QByteArray("IC?") << false << true << 10175;
        QTest::newRow("time-out at a parameter") << QByteArray("PN?") << false << true << 10175;
        QTest::newRow("time-out at a current") << QByteArray("PA??") << false << true << 10175;
        QTest::newRow("time-out at the table") << QByteArray("FR0060") << false << true << 10175;
        QTest::newRow("time-out at a slot") << QByteArray("ER05") << false << true << 10103;
        QTest::newRow("port closed at the slots") << QByteArray() << true << true << 10103;
        QTest::newRow("no earlier file: none made") << QByteArray("PN?") << false << false << 10175;
    }
    void stoppedSaveKeepsTheFile() {
        QFETCH(QByteArray, silent);
        QFETCH(bool, closeBetween);
        QFETCH(bool, existing);
        QFETCH(int, message);

        ScriptedOperator op;
        PtyPeer peer;
        SerialLink link(op);
        QVERIFY(peer.open());
        link.setPorts({peer.slavePath()});
        link.setCurrentAddress(QStringLiteral("0"));
        link.setTimeoutMs(400);
        QVERIFY(link.TogglePort());
        peer.setResponder([silent](const QByteArray& frame) -> QList<PtyPeer::Piece> {
            const QByteArray command = commandOf(frame);
            if (command == silent)
                return {};
            QByteArray data = "1";
            if (command == "DO?")
                data = "TKV 3A/50V";
            else if (command.startsWith("FR"))
                data = "0032007D00FA017701F4027102EE036B";
            else if (command.startsWith("ER"))
                data = command == "ER00" ? "PO400" : "";
            return {{0, replyFrame(data)}};
        });
        if (closeBetween)
            op.onPump = [&link]() { link.TogglePort(); };

        const QString file = path(QStringLiteral("kept.OPM"));
        QFile::remove(file);
        const QByteArray before = "; an earlier backup\r\nPF2000\r\n";
        if (existing)
            QVERIFY(writeBytes(file, before));

        CKormakDoc doc;
        doc.filePath = QStringLiteral("earlier.OPM");
        doc.modified = true;
        AxisParameters params;
        params.rampList = QStringList{"5000", "12500"};
        QString fileError;
        QVERIFY(!WriteParameterFile(file, link, op, params, doc, &fileError));

        QCOMPARE(QFile::exists(file), existing);
        if (existing)
            QCOMPARE(readBytes(file), before);
        QCOMPARE(op.shownIds(), QList<int>{message});
        QCOMPARE(op.shown.first().icon, Operator::Icon::Error);
        QVERIFY(fileError.isEmpty());
        QVERIFY(!doc.retitlePending);
        QVERIFY(doc.modified);
        QCOMPARE(doc.filePath, QStringLiteral("earlier.OPM"));
        if (!op.progress.isEmpty())
            QCOMPARE(op.progress.last(), QStringLiteral("hide"));
        QCOMPARE(op.progress.isEmpty(), message == 10175);
        QVERIFY(!BusyState::isBusy());
        // The title stays undecorated.
        doc.setTitle(QStringLiteral("kept.OPM"), link.currentAddress(), Texts::text(10000));
        QCOMPARE(doc.title(), QStringLiteral("kept.OPM"));
    }

    void diskErrorIsReported() {
        OfflineRig rig(QStringLiteral("OFFLINE NEW"));
        ApplyNewOfflineDefaults(rig.params);
        QString fileError;
        QVERIFY(!WriteParameterFile(path(QStringLiteral("no such folder/x.OPM")), rig.link, rig.op,
                                    rig.params, rig.doc, &fileError));
        QVERIFY(!fileError.isEmpty());
        QVERIFY(rig.op.shown.isEmpty());
        QVERIFY(!rig.doc.retitlePending);
        QVERIFY(rig.doc.filePath.isEmpty());
    }

    void saveStaysWithItsAxis() {
        // Whatever runs between two transactions, the rest of a save goes to
        // the axis it began with.
        SimPanelRig rig;
        QVERIFY(rig.open());
        QVERIFY(rig.readPanel());
        rig.op.onPump = [&rig]() { rig.link.setCurrentAddress(QStringLiteral("5")); };
        QVERIFY(WriteParameterFile(path(QStringLiteral("axis.OPM")), rig.link, rig.op, rig.params,
                                   rig.doc));
        for (const QString& entry : rig.host.log())
            QVERIFY2(entry.startsWith(QLatin1String("0 ")), qPrintable(entry));
    }

    void noisyLineSavesTheSameFile_data() {
        QTest::addColumn<int>("noise"); // bytes of line noise before every reply
        QTest::newRow("one byte") << 1;
        QTest::newRow("five bytes") << 5;
    }
    void noisyLineSavesTheSameFile() {
        QFETCH(int, noise);
        SimPanelRig rig;
        rig.host.withBus([](sim::SimBus& bus) {
            sim::SimAxis& a = bus.axis(u'0');
            a.plcSlots[0x05] = QStringLiteral("Z\u00e4hler GR-800");
            a.plcSlots[0x21] = QStringLiteral("GA1000");
        });
        QVERIFY(rig.open());
        QVERIFY(rig.readPanel());
        const QString clean = path(QStringLiteral("clean.OPM"));
        const QString noisy = path(QStringLiteral("noisy.OPM"));
        QVERIFY(WriteParameterFile(clean, rig.link, rig.op, rig.params, rig.doc));
        rig.host.setFault(sim::Fault::Garbage, noise, -1);
        QVERIFY(WriteParameterFile(noisy, rig.link, rig.op, rig.params, rig.doc));
        rig.host.setFault(sim::Fault::None);
        QVERIFY(rig.op.shown.isEmpty());
        const QByteArray cleanBytes = readBytes(clean);
        QVERIFY(cleanBytes.contains("\r\nEW05Z\xe4hler GR-800\r\n"));
        QCOMPARE(withoutDateLine(readBytes(noisy)), withoutDateLine(cleanBytes));
    }

    // ---- round trip -----------------------------------------------------------

    void roundTrip() {
        SimPanelRig rig;
        rig.host.withBus([](sim::SimBus& bus) {
            sim::SimAxis& a = bus.axis(u'0');
            a.params.runFreq = 4500;
            a.params.startStopFreq = 500;
            a.params.rampIndex = 7;
            a.params.operatingMode = 1;
            a.params.systemType = 1;
            a.params.axisLimit = 123456;
            a.params.backlash = 24;
            a.params.zeroOffsetPlus = 8;
            a.params.zeroOffsetMinus = 16;
            a.params.stopCurrent = 7;
            a.params.runCurrent = 23;
            a.params.boostCurrent = 31;
            a.params.boostTime = 150;
            a.plcSlots[3] = QStringLiteral("GA1000");
        });
        QVERIFY(rig.open());
        QVERIFY(rig.readPanel());
        const QString online = path(QStringLiteral("online.OPM"));
        QVERIFY(WriteParameterFile(online, rig.link, rig.op, rig.params, rig.doc));

        auto openOffline = [](const QString& file, AxisParameters& p, CKormakDoc& d) {
            QVERIFY(ReadFileLines(file, d));
            ApplyFileLines(d.lineList, p, d);
        };
        AxisParameters first;
        CKormakDoc firstDoc;
        openOffline(online, first, firstDoc);

        ScriptedOperator op;
        SerialLink offline(op);
        offline.setCurrentAddress(QStringLiteral("OFFLINE"));
        const QString resaved = path(QStringLiteral("resaved.OPM"));
        QVERIFY(WriteParameterFile(resaved, offline, op, first, firstDoc));
        AxisParameters second;
        CKormakDoc secondDoc;
        openOffline(resaved, second, secondDoc);

        QCOMPARE(summary(first, firstDoc).value(QStringLiteral("PF")), QStringLiteral("4500"));
        QCOMPARE(summary(first, firstDoc).value(QStringLiteral("ramp")), QStringLiteral("87500"));
        QCOMPARE(first.runCurrent, QStringLiteral("2.3"));
        QCOMPARE(firstDoc.typeTag, QStringLiteral("TKV"));
        QMap<QString, QString> a = summary(first, firstDoc);
        QMap<QString, QString> b = summary(second, secondDoc);
        a.remove(QStringLiteral("lines"));
        b.remove(QStringLiteral("lines"));
        QCOMPARE(b, a);
        QVERIFY(secondDoc.lineList.contains(QStringLiteral("EW03GA1000\r\n")));
    }

    // An offline save writes the parameter section in the table's file
    // order, a list without a selection leaves its line out, and opening the
    // file gives the panel every value back.
    void offlineSectionRoundTripsInFileOrder_data() {
        QTest::addColumn<int>("operatingMode");
        QTest::addColumn<int>("systemType");
        QTest::addColumn<int>("rampIndex");
        QTest::addColumn<QString>("codes");
        QTest::newRow("every list selected")
            << 1 << 1 << 9 << "PD PA PR PS PF PG PH PL PM PN PO PP PT PW";
        QTest::newRow("no mode, no ramp") << -1 << 0 << -1 << "PA PR PS PF PG PH PL PM PO PP PT PW";
        QTest::newRow("no system type") << 0 << -1 << 3 << "PD PA PR PS PF PG PH PM PN PO PP PT PW";
    }
    void offlineSectionRoundTripsInFileOrder() {
        QFETCH(int, operatingMode);
        QFETCH(int, systemType);
        QFETCH(int, rampIndex);
        QFETCH(QString, codes);
        OfflineRig rig(QStringLiteral("OFFLINE"));
        AxisParameters& p = rig.params;
        ApplyNewOfflineDefaults(p);
        p.operatingMode = operatingMode;
        p.systemType = systemType;
        p.rampIndex = rampIndex;
        p.runFreq = QStringLiteral("4500");
        p.axisLimit = QStringLiteral("123456");
        p.zeroOffsetMinus = QStringLiteral("-17");
        p.startStopFreq = QStringLiteral("350");
        p.zeroOffsetPlus = QStringLiteral("19");
        p.backlash = QStringLiteral("7");
        p.boostCurrent = QStringLiteral("9");
        p.runCurrent = QStringLiteral("5");
        p.stopCurrent = QStringLiteral("3");
        p.boostTime = QStringLiteral("45");
        QByteArray bytes;
        QCOMPARE(ComposeParameterFile(rig.link, rig.op, p, rig.doc, &bytes),
                 ComposeStatus::Complete);

        const QStringList lines = SplitFileLines(bytes);
        QStringList written;
        static const QRegularExpression parameterLine(QStringLiteral("^P[A-Z][^\\r]*\\r\\n$"));
        for (const QString& line : lines)
            if (parameterLine.match(line).hasMatch())
                written << line.left(2);
        QCOMPARE(written.join(QLatin1Char(' ')), codes);
        // The section ends with a lone ";" after its last line.
        const qsizetype last = lines.indexOf(QStringLiteral("PW7\r\n"));
        QVERIFY(last > 0);
        QCOMPARE(lines.value(last + 1), QStringLiteral(";\r\n"));

        AxisParameters back;
        CKormakDoc backDoc;
        ApplyFileLines(lines, back, backDoc);
        QMap<QString, QString> before = summary(p, rig.doc);
        QMap<QString, QString> after = summary(back, backDoc);
        before.remove(QStringLiteral("lines"));
        after.remove(QStringLiteral("lines"));
        QCOMPARE(after, before);
    }
};

QTEST_GUILESS_MAIN(TestParameterFile)
#include "tst_parameterfile.moc"
