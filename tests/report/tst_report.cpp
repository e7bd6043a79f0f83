// The configuration report: what a slot text reads as, what the report reads
// from an axis or a document, and the pages it draws (as pdftotext sees the
// PDF the program wrote, and as the painter placed its blocks).

#include "ScriptedOperator.h"
#include "SimRig.h"
#include "axis/AxisParameters.h"
#include "axis/AxisReading.h"
#include "axis/CKormakDoc.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "files/ParameterFile.h"
#include "report/ReportPainter.h"
#include "report/ReportPdf.h"
#include "report/ReportReader.h"
#include "report/SlotDecoding.h"

#include <QFile>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using sim::Fault;

namespace {

const QDate kDay(2026, 3, 7);

// The text pdftotext finds in a PDF, pages separated by form feeds.
QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString writtenPdf(const ReportModel& model, const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    if (!ReportPdf::Write(model, path))
        return QStringLiteral("<not written>");
    return pdfText(path);
}

// Spaces and tabs as pdftotext lays them out count as one blank.
QString squeezed(const QString& text) {
    QString s = text;
    s.replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "));
    return s;
}

SlotDecodingContext offlineContext() {
    SlotDecodingContext c;
    c.rampList = QStringList{"5000", "12500", "25000", "37500"};
    return c;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void init() { Texts::setLanguage(Texts::Language::German); }

    void decodeSlot_data();
    void decodeSlot();
    void currentStepsOnline_data();
    void currentStepsOnline();

    void offlineDeviceLines_data();
    void offlineDeviceLines();

    void newOfflineConfiguration();
    void damagedFileIsSaidToBe();
    void fileCurrentsInTheFamilysUnit_data();
    void fileCurrentsInTheFamilysUnit();
    void fileSavedOnline();
    void onlineAxisWithSlots();
    void slotsFlowOntoSecondPage();
    void englishReport();
    void onlineCurrents_data();
    void onlineCurrents();

    void geometry();
    void headerStaysInsideFrame_data();
    void headerStaysInsideFrame();
    void valuesStandInOneColumn_data();
    void valuesStandInOneColumn();
    void previewAndPdfPaginateAlike_data();
    void previewAndPdfPaginateAlike();

    void lostReplyAbortsReport_data();
    void lostReplyAbortsReport();
};

void TestReport::decodeSlot_data() {
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("deviceType");
    QTest::addColumn<QString>("expected");

    QTest::newRow("cycle program with ramp")
        << "PO400 PF2000 GA16000 PN3"
        << ""
        << "Fahrbefehl:\t\t\t\tFahre auf Position 16000\r\nOffsetfrequenz:\t\t\t\t400 Hz\r\n"
           "Lauffrequenz:\t\t\t\t2000 Hz\r\nRampe:\t\t\t\t\tIndex 3 (entspricht 37500 Hz/sec)";
    QTest::newRow("line end of a file line dropped")
        << "GR-800\r\n"
        << ""
        << "Fahrbefehl:\t\t\t\tVerfahre um -800 Achtelschritte";
    QTest::newRow("initiator and free run")
        << "GI- PO300"
        << ""
        << "Fahrbefehl:\t\t\t\tInitialisiere über Initiator -\r\nOffsetfrequenz:\t\t\t\t300 Hz";
    QTest::newRow("free run")
        << "GF+ PF900"
        << ""
        << "Fahrbefehl:\t\t\t\tFreier Lauf in Richtung Initiator +\r\nLauffrequenz:\t\t\t\t900 Hz";
    QTest::newRow("single step hides the values behind it")
        << "GS+ PO400 PF2000 PN3"
        << ""
        << "Fahrbefehl:\t\t\t\tVerfahre ein Achtelschritt in Richtung Initiator +";
    QTest::newRow("zero-point offset of a program")
        << "PC120 GA0"
        << ""
        << "Fahrbefehl:\t\t\t\tFahre auf Position 0\r\nNullpunktoffset:\t\t\t\t120 Achtelschritte";
    QTest::newRow("ramp index without a ramp")
        << "GA5 PNC"
        << ""
        << "Fahrbefehl:\t\t\t\tFahre auf Position 5\r\nRampe:\t\t\t\t\tIndex C (entspricht ? "
           "Hz/sec)";
    QTest::newRow("ramp index that is no number")
        << "GA5 PN"
        << ""
        << "Fahrbefehl:\t\t\t\tFahre auf Position 5\r\nRampe:\t\t\t\t\tIndex  (entspricht ? "
           "Hz/sec)";
    QTest::newRow("nothing recognised") << "XYZ"
                                        << ""
                                        << "Fahrbefehl:\t\t";

    const QString seq = QStringLiteral("Erweiterte SPS Sequenz:\t\t");
    QTest::newRow("step: wait") << "$&T500"
                                << "" << seq + "Wartezeit in ms:\t\t\t500 ms";
    QTest::newRow("step: jump") << "$&N1A"
                                << "" << seq + "Sprungbefehl zu Sequenz:\t\t26";
    QTest::newRow("step: jump cut short") << "$&N1"
                                          << "" << seq + "Sprungbefehl zu Sequenz:\t\t1";
    QTest::newRow("step: reset") << "$&CR"
                                 << "" << seq + "Reset gesamte Anlage";
    QTest::newRow("step: reset SFI") << "$&CS\r\n"
                                     << "" << seq + "Reset SFI";
    QTest::newRow("step: boost time") << "$&PT40"
                                      << "" << seq + "Überhöhungszeit:\t\t\t40 ms";
    QTest::newRow("step: level offline") << "$&PS5"
                                         << "" << seq + "Stopstrom:\t\t\t\tStufe 5";
    QTest::newRow("step: amperes") << "$&PR1.5"
                                   << "TKV 3A/50V" << seq + "Laufstrom:\t\t\t\t1.5 A";
    QTest::newRow("step: move") << "$&GA100"
                                << "" << seq + "Fahre auf Position 100\r\n";
    QTest::newRow("step: set position")
        << "$&PC77"
        << "" << seq + "Positionszähler setzen auf:\t\t77 Achtelschritte\r\n";
    QTest::newRow("step: too short for anything") << "$&"
                                                  << "" << seq;
}

void TestReport::decodeSlot() {
    QFETCH(QString, slot);
    QFETCH(QString, deviceType);
    QFETCH(QString, expected);
    SlotDecodingContext c = offlineContext();
    c.deviceType = deviceType;
    QCOMPARE(DecodeSlot(slot, c), expected);
}

void TestReport::currentStepsOnline_data() {
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("expected");
    const QString table = QStringLiteral("000A141E28323C46505A646E78828C96");
    QTest::newRow("level 3") << "$&PA3" << table << "3.0 A";
    QTest::newRow("level F, the last entry") << "$&PAF" << table << "15.0 A";
    QTest::newRow("table too short") << "$&PA9"
                                     << "000A14"
                                     << "9";
    QTest::newRow("no level") << "$&PA" << table << "";
    QTest::newRow("level beyond any table") << "$&PA10" << table << "10";
    QTest::newRow("lost reply") << "$&PA1"
                                << "TIMEOUT\r\n"
                                << "1";
}

void TestReport::currentStepsOnline() {
    QFETCH(QString, step);
    QFETCH(QString, table);
    QFETCH(QString, expected);
    SlotDecodingContext c = offlineContext();
    int asked = 0;
    c.readLevelTable = [&] {
        ++asked;
        return table;
    };
    QCOMPARE(FormatCurrent(step, c), expected);
    QCOMPARE(asked, 1);
}

void TestReport::offlineDeviceLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("expected");
    const QString header = QStringLiteral("Geräteabhängige Daten\r\n\n");
    const QString none = QStringLiteral("Keine Daten!\r\n");
    const QString allNone = header + "Steuerungstyp:\t\t\t\t" + none + "Programmversion:\t\t\t" +
                            none + "Bioscode:\t\t\t\t" + none + "Datumscode:\t\t\t\t" + none;
    QTest::newRow("saved online")
        << QStringList{"; x\r\n",
                       "; [TKV]\r\n",
                       ";\r\n",
                       "; Q12\r\n",
                       "; BIOS_V2.14\tSN 1\r\n",
                       "; PG_3.07\t190423\r\n",
                       "PO400\r\n"}
        << header + "Steuerungstyp:\t\t\t\t[TKV]\r\nProgrammversion:\t\t\tPG_3.07\r\n"
                    "Bioscode:\t\t\t\tBIOS_V2.14\r\nDatumscode:\t\t\t\t190423\r\n";
    QTest::newRow("no device lines") << QStringList{"; [TKV] Offline\r\n", "PO400\r\n"} << allNone;
    QTest::newRow("BIOS line first, nothing after it")
        << QStringList{"; BIOS_V1\r\n"}
        << header + "Steuerungstyp:\t\t\t\t" + none + "Programmversion:\t\t\t" + none +
               "Bioscode:\t\t\t\tBIOS_V1\r\n" + "Datumscode:\t\t\t\t" + none;
    QTest::newRow("BIOS line third, version line without tab")
        << QStringList{"; [TMW]\r\n", ";\r\n", "; BIOS_V2\r\n", "; PG_1\r\n"}
        << header + "Steuerungstyp:\t\t\t\t" + none + "Programmversion:\t\t\tPG_1\r\n" +
               "Bioscode:\t\t\t\tBIOS_V2\r\n" + "Datumscode:\t\t\t\t" + none;
    QTest::newRow("bracket at the line's end")
        << QStringList{"; [T\r\n", "", "", "; BIOS_V2\t\r\n", "; x\t1\r\n"}
        << header + "Steuerungstyp:\t\t\t\t[T\r\n" + "Programmversion:\t\t\t" + none +
               "Bioscode:\t\t\t\tBIOS_V2\r\n" + "Datumscode:\t\t\t\t1\r\n";
}

void TestReport::offlineDeviceLines() {
    QFETCH(QStringList, lines);
    QFETCH(QString, expected);
    CKormakDoc doc;
    doc.filePath = QStringLiteral("/tmp/axis.OPM");
    doc.lineList = lines;
    QCOMPARE(ReportReader::OfflineDeviceBlock(doc), expected);
}

void TestReport::newOfflineConfiguration() {
    ScriptedOperator op;
    SerialLink link(op);
    link.setCurrentAddress(QStringLiteral("OFFLINE NEW"));
    AxisParameters params;
    CKormakDoc doc;
    ReadAxisConfiguration(link, op, params);
    link.setCurrentAddress(QStringLiteral("OFFLINE"));
    ReportModel model;
    QCOMPARE(ReportReader::Read(link, op, params, doc, &model, kDay), ReportReader::Result::Done);
    QVERIFY(op.shown.isEmpty());

    QTemporaryDir dir;
    const QString text = squeezed(writtenPdf(model, dir));
    QVERIFY2(text.contains("KORMAK: Offline Konfiguration 07.03.2026"), qPrintable(text));
    QCOMPARE(text.count("Keine Daten!"), 4);
    for (const char* line : {"Stopstrom: Stufe 2", "Laufstrom: Stufe 4", "Booststrom: Stufe 0",
                             "Überhöhungszeit: 20 ms", "Start-/Stopfrequenz: 400 Hz"})
        QVERIFY2(text.contains(QString::fromUtf8(line)), line);
    QVERIFY(!text.contains("SPS-Zyklus"));
    QCOMPARE(text.count('\f'), 1); // one page
}

// The report of a damaged file says so, naming the first bad line.
void TestReport::damagedFileIsSaidToBe() {
    ScriptedOperator op;
    SerialLink link(op);
    link.setCurrentAddress(QStringLiteral("OFFLINE"));
    CKormakDoc doc;
    doc.filePath = QStringLiteral("/tmp/cut.OPM");
    doc.lineList = QStringList{"; [TKV]\r\n", "PD0\r\n", "PA1.2\r\n", "PF\r\n"};
    AxisParameters params;
    ReadAxisConfiguration(link, op, params);
    ApplyFileLines(doc.lineList, params, doc);
    ReportModel model;
    QCOMPARE(ReportReader::Read(link, op, params, doc, &model, kDay), ReportReader::Result::Done);
    QVERIFY2(model.deviceBlock.endsWith(
                 QStringLiteral("Achtung: die Datei ist beschädigt (Zeile 4: „PF“).")),
             qPrintable(model.deviceBlock));
}

// An offline file's currents in its family's unit: amperes for the ampere
// families, levels for the others.
void TestReport::fileCurrentsInTheFamilysUnit_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("stop");
    QTest::addColumn<QString>("expected");
    QTest::newRow("TKV") << "TKV"
                         << "0.5"
                         << "Stopstrom:\t\t\t\t0.5 A";
    QTest::newRow("TMW") << "TMW"
                         << "1.5"
                         << "Stopstrom:\t\t\t\t1.5 A";
    QTest::newRow("level family") << "TMS"
                                  << "5"
                                  << "Stopstrom:\t\t\t\tStufe 5";
}
void TestReport::fileCurrentsInTheFamilysUnit() {
    QFETCH(QString, type);
    QFETCH(QString, stop);
    QFETCH(QString, expected);
    ScriptedOperator op;
    SerialLink link(op);
    link.setCurrentAddress(QStringLiteral("OFFLINE"));
    CKormakDoc doc;
    doc.lineList = QStringList{"; [" + type + "]\r\n", "PS" + stop + "\r\n"};
    AxisParameters params;
    ReadAxisConfiguration(link, op, params);
    ApplyFileLines(doc.lineList, params, doc);
    ReportModel model;
    QCOMPARE(ReportReader::Read(link, op, params, doc, &model, kDay), ReportReader::Result::Done);
    QVERIFY2(model.currentsBlock.contains(expected), qPrintable(model.currentsBlock));
}

void TestReport::fileSavedOnline() {
    ScriptedOperator op;
    SerialLink link(op);
    link.setCurrentAddress(QStringLiteral("OFFLINE"));
    CKormakDoc doc;
    const QString path = QStringLiteral(KORMAK_GOLDEN_DIR "/online_tkv_de.OPM");
    QVERIFY(ReadFileLines(path, doc));
    doc.filePath = path;
    AxisParameters params;
    ReadAxisConfiguration(link, op, params);
    ApplyFileLines(doc.lineList, params, doc);
    ReportModel model;
    QCOMPARE(ReportReader::Read(link, op, params, doc, &model, kDay), ReportReader::Result::Done);

    QTemporaryDir dir;
    const QString text = squeezed(writtenPdf(model, dir));
    QVERIFY2(text.contains("online_tkv_de.OPM"), qPrintable(text));
    for (const char* line :
         {"Steuerungstyp: [TKV]", "Programmversion: PG_3.07", "Bioscode: BIOS_V2.14",
          "Datumscode: 190423", "SPS-Zyklus: 0", "Fahre auf Position 16000", "SPS-Zyklus: 7"})
        QVERIFY2(text.contains(QString::fromUtf8(line)), line);
    QVERIFY(!text.contains("Keine Daten!"));
}

namespace {

// Axis "0" with three programmed slots: a cycle program in 0A, another in
// 21, and an extended step in 40.
void threeSlots(sim::SimAxis& a) {
    a.plcSlots[0x0A] = QStringLiteral("PO400 PF2000 GA16000 PN3");
    a.plcSlots[0x21] = QStringLiteral("GR-800");
    a.plcSlots[0x40] = QStringLiteral("$&T500");
}

bool readOnline(SimRig& rig, ReportModel* model) {
    AxisParameters params;
    CKormakDoc doc;
    if (!ReadAxisConfiguration(rig.link, rig.op, params))
        return false;
    rig.host.clearLog();
    return ReportReader::Read(rig.link, rig.op, params, doc, model, kDay) ==
           ReportReader::Result::Done;
}

} // namespace

void TestReport::onlineAxisWithSlots() {
    SimRig rig;
    rig.axis([](sim::SimAxis& a) {
        threeSlots(a);
        a.ramps.erase();
        for (quint16 slope : {50, 125, 250, 375})
            a.ramps.appendRamp(slope, a.clockHz, a.maxRunFreq);
    });
    QVERIFY(rig.open());
    ReportModel model;
    QVERIFY(readOnline(rig, &model));
    QVERIFY(rig.op.shown.isEmpty());

    // The wire: the parameter blocks' queries in their order, then every slot.
    QStringList expected{"DO?", "IV?", "IB?", "IC?", "PO?",  "PF?",  "PG?", "PW?",
                         "PM?", "PP?", "FA?", "PT?", "PS??", "PR??", "PA??"};
    for (int n = 0; n < 256; ++n)
        expected << QStringLiteral("ER%1").arg(n, 2, 16, QLatin1Char('0')).toUpper();
    QCOMPARE(rig.commands(), expected);
    QCOMPARE(rig.op.progress.first(), QStringLiteral("show:%1:255:1").arg(Texts::text(10172)));
    QCOMPARE(rig.op.progress.count(QStringLiteral("step")), 256);
    QCOMPARE(rig.op.progress.last(), QStringLiteral("hide"));
    QCOMPARE(rig.op.pumps, 256);
    QVERIFY(!BusyState::isBusy());

    QTemporaryDir dir;
    const QString text = squeezed(writtenPdf(model, dir));
    for (const char* line :
         {"KORMAK: Konfiguration von Achse 0 07.03.2026", "SPS-Zyklus: 10",
          "Fahrbefehl: Fahre auf Position 16000", "Offsetfrequenz: 400 Hz",
          "Rampe: Index 3 (entspricht 37500 Hz/sec)", "SPS-Zyklus: 33",
          "Verfahre um -800 Achtelschritte", "SPS-Zyklus: 64",
          "Erweiterte SPS Sequenz: Wartezeit in ms: 500 ms", "Steuerungstyp: TKV 3A/50V",
          "Bioscode: BIOS_V2.14", "Rampe 3: 37500 Hz/sec"})
        QVERIFY2(text.contains(QString::fromUtf8(line)),
                 qPrintable(QString::fromUtf8(line) + "\n" + text));
    QCOMPARE(text.count("SPS-Zyklus"), 3);
}

void TestReport::slotsFlowOntoSecondPage() {
    SimRig rig;
    rig.axis([](sim::SimAxis& a) {
        for (int n = 0; n < 40; ++n)
            a.plcSlots[n] = QStringLiteral("PO400 PF2000 GA%1").arg(n * 100);
    });
    QVERIFY(rig.open());
    ReportModel model;
    QVERIFY(readOnline(rig, &model));
    QTemporaryDir dir;
    const QString text = squeezed(writtenPdf(model, dir));
    const QStringList pages = text.split('\f', Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 2, qPrintable(text));
    for (const QString& page : pages)
        QVERIFY2(page.contains("KORMAK: Konfiguration von Achse 0 07.03.2026"), qPrintable(page));
    QVERIFY(!pages.at(1).contains("Allgemeine Parameter"));
    QVERIFY(pages.last().contains("SPS-Zyklus: 39"));
    QCOMPARE(text.count("SPS-Zyklus"), 40);
}

void TestReport::englishReport() {
    Texts::setLanguage(Texts::Language::English);
    SimRig rig;
    rig.axis(threeSlots);
    QVERIFY(rig.open());
    ReportModel model;
    QVERIFY(readOnline(rig, &model));
    QTemporaryDir dir;
    const QString text = squeezed(writtenPdf(model, dir));
    for (const char* line :
         {"KORMAK: Configuration of axis 0", "Device-dependent data", "General parameters",
          "Current settings", "Ramp parameters", "PLC cycle: 10",
          "Motion command: Go absolute 16000", "Extended PLC sequence: Break in msec: 500 ms"})
        QVERIFY2(text.contains(QString::fromUtf8(line)),
                 qPrintable(QString::fromUtf8(line) + "\n" + text));
    QVERIFY(!text.contains("Fahrbefehl"));
}

void TestReport::onlineCurrents_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("stopLevel");
    QTest::addColumn<QString>("expected");
    // Level families answer their level as a hexadecimal digit; the table of
    // "FA?" gives its current. The ampere families answer in amperes.
    QTest::newRow("level 2") << "TMS" << 2 << "Stopstrom:\t\t\t\t2.0 A";
    QTest::newRow("level B") << "TMS" << 11 << "Stopstrom:\t\t\t\t11.0 A";
    QTest::newRow("amperes") << "TKV 3A/50V" << 15 << "Stopstrom:\t\t\t\t1.5 A";
}

void TestReport::onlineCurrents() {
    QFETCH(QString, family);
    QFETCH(int, stopLevel);
    QFETCH(QString, expected);
    SimRig rig;
    rig.axis([&](sim::SimAxis& a) {
        a.setFamily(family);
        a.currentLevels = QByteArray::fromHex("000A141E28323C46505A646E78828C96");
        a.params.stopCurrent = stopLevel;
        a.plcSlots[1] = QStringLiteral("$&PS3");
    });
    QVERIFY(rig.open());
    ReportModel model;
    QVERIFY(readOnline(rig, &model));
    QVERIFY2(model.currentsBlock.contains(expected), qPrintable(model.currentsBlock));
    // An ampere family is asked for amperes, the others for their level.
    const bool amperes = family.contains("TKV");
    QCOMPARE(rig.commands().contains(QStringLiteral("PS??")), amperes);
    QCOMPARE(rig.commands().contains(QStringLiteral("PS?")), !amperes);
    if (!family.contains("TKV")) {
        QVERIFY2(model.slotBlocks.value(0).endsWith("Stopstrom:\t\t\t\t3.0 A"),
                 qPrintable(model.slotBlocks.value(0)));
        QCOMPARE(rig.commands().count("FA?"), 2); // once for the block, once for the step
    }
}

void TestReport::geometry() {
    ReportModel model;
    model.title = QStringLiteral("KORMAK: Konfiguration von Achse 3");
    model.date = kDay;
    model.deviceBlock = QStringLiteral("Geräteabhängige Daten\r\n\nSteuerungstyp:\t\t\t\tTKV\r\n");
    model.generalBlock = QStringLiteral("Allgemeine Parameter\r\n\n");
    model.currentsBlock = QStringLiteral("Stromeinstellungen\r\n\n");
    model.rampsBlock = QStringLiteral("Rampenparameter\r\n\nInsgesamt:\t\t\t\t0\r\n");
    for (int n = 0; n < 60; ++n)
        model.slotBlocks << QStringLiteral("SPS-Zyklus: %1\r\n\nFahrbefehl:\t\t\t\tGA1").arg(n);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    ReportPainter painter(model);
    QVERIFY(painter.paint(writer));
    const ReportPainter::Layout& l = painter.layout();
    QCOMPARE(l.width, writer.width());
    QCOMPARE(l.height, writer.height());
    const int uh = l.width / 196;
    const int uv = l.height / 285;
    QVERIFY(uh > 0 && uv > 0);
    auto v = [&](float n) { return int(float(uv) * n); };

    QCOMPARE(l.title.topLeft(), QPointF(2 * uh + 50, v(2) + 50));
    // The date ends unit(2) inside the frame's right line.
    QCOMPARE(l.date.top(), qreal(v(2) + 50));
    QCOMPARE(l.date.right(), qreal(l.width - 50 - 2 * uh));
    const int tops[] = {9, 33, 78, 102};
    const int lines[] = {31, 76, 100};
    QCOMPARE(l.parameterBlocks.size(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(l.parameterBlocks[i].page, 0);
        QCOMPARE(l.parameterBlocks[i].text.topLeft(), QPointF(2 * uh + 50, v(tops[i]) + 50));
        if (i < 3)
            QCOMPARE(l.parameterBlocks[i].lineY, qreal(v(lines[i]) + 50));
    }
    // The line under the ramps stands below their text, not across it.
    QVERIFY(l.parameterBlocks[3].lineY > l.parameterBlocks[3].text.bottom());

    // The first slot block starts unit(2) below that line; each block below the
    // line of the one before. The page number's strip at the foot of the page
    // is no place for a block or its line.
    QVERIFY(l.bodyBottom < l.height - 50 - v(4));
    QCOMPARE(l.slotBlocks.size(), 60);
    QCOMPARE(l.slotBlocks[0].text.top(), l.parameterBlocks[3].lineY + v(2));
    int moved = 0;
    for (int i = 1; i < l.slotBlocks.size(); ++i) {
        const ReportPainter::Placed& b = l.slotBlocks[i];
        QVERIFY(b.lineY <= l.bodyBottom);
        QCOMPARE(b.text.left(), qreal(2 * uh + 50));
        QCOMPARE(b.lineY, b.text.bottom() + v(2));
        if (b.page != l.slotBlocks[i - 1].page) {
            ++moved;
            QCOMPARE(b.page, l.slotBlocks[i - 1].page + 1);
            QCOMPARE(b.text.top(), qreal(v(7) + v(2) + 50 + v(2)));
            // It moved because it did not fit below the block before.
            QVERIFY(l.slotBlocks[i - 1].lineY + v(2) + b.text.height() + v(2) > l.bodyBottom);
        } else {
            QCOMPARE(b.text.top(), l.slotBlocks[i - 1].lineY + v(2));
        }
    }
    QVERIFY(moved >= 1);
    QCOMPARE(l.pages, l.slotBlocks.last().page + 1);
    QCOMPARE(l.footerTexts.size(), l.pages);
    for (const QRectF& footer : l.footers)
        QVERIFY(footer.top() >= l.bodyBottom && footer.bottom() <= l.height - 50);
}

namespace {

// The words pdftotext finds on the first page, with their right edges in
// points.
QMap<QString, qreal> wordRightEdges(const QString& pdfPath) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-l"),
                                          QStringLiteral("1"), pdfPath, QStringLiteral("-")});
    QMap<QString, qreal> words;
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return words;
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="[^"]*" yMin="[^"]*" xMax="([^"]*)" yMax="[^"]*">([^<]*)</word>)re"));
    const QString xml = QString::fromUtf8(p.readAllStandardOutput());
    for (auto it = word.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        words.insert(m.captured(2), m.captured(1).toDouble());
    }
    return words;
}

// A report of the given slot blocks as pdftotext reads it, with the pages
// broken the way the painter broke them.
QStringList pdfPages(const ReportModel& model, const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QFile f(path);
    const QByteArray pdf = ReportPdf::Render(model);
    if (pdf.isEmpty() || !f.open(QIODevice::WriteOnly) || f.write(pdf) != pdf.size())
        return {};
    f.close();
    QStringList pages = squeezed(pdfText(path)).split('\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

ReportModel slotReport(int slotCount) {
    ReportModel model;
    model.title = QStringLiteral("KORMAK: Konfiguration von Achse 3");
    model.date = kDay;
    model.deviceBlock = QStringLiteral("Geräteabhängige Daten\r\n\nSteuerungstyp:\t\t\t\tTKV\r\n");
    model.generalBlock = QStringLiteral("Allgemeine Parameter\r\n\n");
    model.currentsBlock = QStringLiteral("Stromeinstellungen\r\n\n");
    model.rampsBlock = QStringLiteral("Rampenparameter\r\n\nInsgesamt:\t\t\t\t0\r\n");
    const SlotDecodingContext c = offlineContext();
    for (int n = 0; n < slotCount; ++n)
        model.slotBlocks << Texts::text(10225) + QString::number(n) + QStringLiteral("\r\n\n") +
                                DecodeSlot(QStringLiteral("PO400 PF2000 GA%1 PN3").arg(n), c);
    return model;
}

} // namespace

void TestReport::headerStaysInsideFrame_data() {
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("elided");
    const QString longPath =
        QStringLiteral("/home/service/Kunden/Maschinenbau Nord/Linie 4/Station 12/"
                       "Achsen der Zuführung/Rundtakttisch/Zuführachse_links_2026.OPM");
    QTest::newRow("A4, online title")
        << int(QPageSize::A4) << "KORMAK: Konfiguration von Achse 3" << false;
    QTest::newRow("Letter, online title")
        << int(QPageSize::Letter) << "KORMAK: Configuration of axis F" << false;
    QTest::newRow("A4, long path") << int(QPageSize::A4) << longPath << true;
    QTest::newRow("Letter, long path") << int(QPageSize::Letter) << longPath << true;
}

void TestReport::headerStaysInsideFrame() {
    QFETCH(int, pageSize);
    QFETCH(QString, title);
    QFETCH(bool, elided);
    ReportModel model = slotReport(0);
    model.title = title;
    model.date = QDate(2026, 12, 10); // wide digits: the widest date of the year

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("header.pdf"));
    ReportPainter painter(model);
    {
        QPdfWriter writer(path);
        writer.setResolution(600);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::PageSizeId(pageSize)),
                                         QPageLayout::Portrait, QMarginsF()));
        QVERIFY(painter.paint(writer));
    }
    const ReportPainter::Layout& l = painter.layout();
    const qreal frameRight = l.width - ReportPainter::Margin;
    QVERIFY2(l.date.right() < frameRight, qPrintable(QString::number(l.date.right())));
    QVERIFY(l.title.right() < l.date.left());

    // What the PDF shows: the date's right edge inside the frame's line (the
    // page has no margin here, so a pixel is 72/600 of a point).
    const QMap<QString, qreal> words = wordRightEdges(path);
    QVERIFY2(words.contains("10.12.2026"), qPrintable(QStringList(words.keys()).join(' ')));
    QVERIFY(words.value("10.12.2026") < frameRight * 72.0 / 600.0);

    const QString text = squeezed(pdfText(path));
    if (elided) {
        // Both ends of the path stay: where it starts and the file's name.
        QVERIFY2(l.titleText.contains(QChar(0x2026)), qPrintable(l.titleText));
        QVERIFY(l.titleText.startsWith("/home/service/"));
        QVERIFY(l.titleText.endsWith("links_2026.OPM"));
        QVERIFY2(text.contains("links_2026.OPM 10.12.2026"), qPrintable(text));
    } else {
        QCOMPARE(l.titleText, title);
        QVERIFY2(text.contains(title + " 10.12.2026"), qPrintable(text));
    }
}

void TestReport::valuesStandInOneColumn_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("German") << int(Texts::Language::German);
    QTest::newRow("English") << int(Texts::Language::English);
    QTest::newRow("French") << int(Texts::Language::French);
}

void TestReport::valuesStandInOneColumn() {
    QFETCH(int, language);
    Texts::setLanguage(Texts::Language(language));
    SimRig rig;
    rig.axis([](sim::SimAxis& a) {
        threeSlots(a);
        // Extended steps: their value is a label and a value of its own.
        a.plcSlots[0x41] = QStringLiteral("$&N1A");
        a.plcSlots[0x42] = QStringLiteral("$&PC77");
        a.plcSlots[0x43] = QStringLiteral("$&PT40");
        a.plcSlots[0x44] = QStringLiteral("$&CR");
        for (int n = 0x50; n < 0x80; ++n) // onto further pages
            a.plcSlots[n] = QStringLiteral("GI+ PO300 PF900");
    });
    QVERIFY(rig.open());
    ReportModel model;
    QVERIFY(readOnline(rig, &model));

    QByteArray bytes;
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QPdfWriter writer(&buffer);
    ReportPdf::setUpPage(writer);
    ReportPainter painter(model);
    QVERIFY(painter.paint(writer));
    const ReportPainter::Layout& l = painter.layout();
    QVERIFY(l.pages >= 2);

    // Column by column: every piece starts at the column's one x, on every
    // page and in every block, and in each line the piece before it ends left
    // of that x. (A line of one piece, a heading, spans the columns.)
    QMap<int, qreal> columnX;
    QMap<std::pair<int, qreal>, QList<ReportPainter::Cell>> lines;
    for (const ReportPainter::Cell& c : l.cells) {
        columnX.insert(c.column, qMin(columnX.value(c.column, c.rect.left()), c.rect.left()));
        lines[{c.page, c.rect.top()}] << c;
    }
    QVERIFY(columnX.size() >= 3);
    int valued = 0;
    for (const ReportPainter::Cell& c : l.cells)
        QVERIFY2(qFuzzyCompare(c.rect.left(), columnX.value(c.column)),
                 qPrintable(QStringLiteral("\"%1\" (column %2) at %3, not %4")
                                .arg(c.text)
                                .arg(c.column)
                                .arg(c.rect.left())
                                .arg(columnX.value(c.column))));
    for (const QList<ReportPainter::Cell>& line : std::as_const(lines))
        for (qsizetype i = 1; i < line.size(); ++i) {
            QVERIFY2(line.at(i - 1).rect.right() < line.at(i).rect.left(),
                     qPrintable(line.at(i - 1).text + " | " + line.at(i).text));
            ++valued;
        }
    QVERIFY(valued > 40);
    // The labels are the texts as given, their tabs aside.
    const QString runFrequency = Texts::text(10205).remove('\t');
    QVERIFY(std::any_of(l.cells.cbegin(), l.cells.cend(), [&](const ReportPainter::Cell& c) {
        return c.column == 0 && c.text == runFrequency;
    }));
}

void TestReport::previewAndPdfPaginateAlike_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("slotCount");
    QTest::addColumn<QString>("pageOf"); // the footer: "%1" the page, "%2" the count
    for (int slotCount : {0, 9, 50}) {
        QTest::addRow("German, %d slots", slotCount)
            << int(Texts::Language::German) << slotCount << "Seite %1 von %2";
        QTest::addRow("English, %d slots", slotCount)
            << int(Texts::Language::English) << slotCount << "Page %1 of %2";
        QTest::addRow("French, %d slots", slotCount)
            << int(Texts::Language::French) << slotCount << "Page %1 sur %2";
    }
}

void TestReport::previewAndPdfPaginateAlike() {
    QFETCH(int, language);
    QFETCH(int, slotCount);
    QFETCH(QString, pageOf);
    Texts::setLanguage(Texts::Language(language));
    const ReportModel model = slotReport(slotCount);

    QTemporaryDir dir;
    const QStringList pages = pdfPages(model, dir, QStringLiteral("report.pdf"));
    QVERIFY(!pages.isEmpty());
    const int count = int(pages.size());
    if (slotCount == 0)
        QCOMPARE(count, 1);
    if (slotCount == 50)
        QVERIFY(count >= 3);

    // Every page names its number and the count, which the first page knew.
    for (int i = 0; i < count; ++i) {
        const QString footer = pageOf.arg(i + 1).arg(count);
        QVERIFY2(pages.at(i).contains(footer), qPrintable(footer + "\n" + pages.at(i)));
    }

    // The print preview's pages: the printer set up the way Print Preview
    // sets it up.
    QPrinter printer(QPrinter::HighResolution);
    ReportPdf::setUpPage(printer);
    QPrintPreviewWidget preview(&printer);
    ReportPainter painter(model);
    int painted = 0;
    connect(&preview, &QPrintPreviewWidget::paintRequested, &preview, [&](QPrinter* p) {
        QVERIFY(painter.paint(*p));
        ++painted;
    });
    preview.updatePreview();
    QVERIFY(painted > 0);
    QCOMPARE(preview.pageCount(), count);
    QCOMPARE(painter.layout().pages, count);
    QCOMPARE(painter.layout().footerTexts.size(), count);
}

void TestReport::lostReplyAbortsReport_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<int>>("messages");
    QTest::addColumn<bool>("progressShown");
    QTest::newRow("device type") << "DO?" << QList<int>{10103, 10224} << false;
    QTest::newRow("level table") << "FA?" << QList<int>{10224} << false;
    QTest::newRow("boost current") << "PA?" << QList<int>{10224} << false;
    QTest::newRow("a slot") << "ER05" << QList<int>{10103} << true;
    QTest::newRow("the last slot") << "ERFF" << QList<int>{10103} << true;
}

void TestReport::lostReplyAbortsReport() {
    QFETCH(QString, command);
    QFETCH(QList<int>, messages);
    QFETCH(bool, progressShown);
    SimRig rig;
    rig.axis(threeSlots);
    QVERIFY(rig.open());
    rig.link.setTimeoutMs(150);
    AxisParameters params;
    CKormakDoc doc;
    QVERIFY(ReadAxisConfiguration(rig.link, rig.op, params));
    rig.host.setFaultFor(command, Fault::NoReply);

    ReportModel model;
    model.title = QStringLiteral("untouched");
    QCOMPARE(ReportReader::Read(rig.link, rig.op, params, doc, &model, kDay),
             ReportReader::Result::Aborted);
    QCOMPARE(rig.op.shownIds(), messages);
    for (const Operator::Message& m : rig.op.shown)
        QCOMPARE(m.icon, Operator::Icon::Error);
    QCOMPARE(model.title, QStringLiteral("untouched"));
    QVERIFY(!BusyState::isBusy());
    if (progressShown)
        QCOMPARE(rig.op.progress.last(), QStringLiteral("hide"));
    else
        QVERIFY(rig.op.progress.isEmpty());
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
