// The SFI card: configuration byte, program file names and lookup, the Intel
// HEX reader, and the dialog against the simulated card.

#include "SimRig.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "drive/CSFIDialog.h"
#include "widgets/CWait.h"
#include "drive/SfiCard.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Three 16-byte records, a shorter one and the end record, as a HEX writer
// lays them out (with their checksums).
const QString kProgram = QStringLiteral(":10000000000102030405060708090A0B0C0D0E0F78\r\n"
                                        ":10001000101112131415161718191A1B1C1D1E1F68\r\n"
                                        ":10002000A0A1A2A3A4A5A6A7A8A9AAABACADAEAF58\r\n"
                                        ":04003000DEADBEEF94\r\n"
                                        ":00000001FF\r\n");

QMap<int, QByteArray> programRecords() {
    return {{0x0000, QByteArray::fromHex("000102030405060708090A0B0C0D0E0F")},
            {0x0010, QByteArray::fromHex("101112131415161718191A1B1C1D1E1F")},
            {0x0020, QByteArray::fromHex("A0A1A2A3A4A5A6A7A8A9AAABACADAEAF")}};
}

bool writeFile(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.toLatin1()) == text.size();
}

template <typename Rig> struct SfiRig : Rig {
    QTemporaryDir dirs[3];
    std::unique_ptr<CSFIDialog> dialog;
    QList<int> waitSeconds;
    bool busyDuringWait = false;

    QStringList searchDirs() const { return {dirs[0].path(), dirs[1].path(), dirs[2].path()}; }
    bool buttonsDuringWait = true;

    bool openDialog() {
        dialog = std::make_unique<CSFIDialog>(this->link, this->op);
        dialog->setSearchDirectories(searchDirs());
        dialog->setWaitRunner([this](CWait& wait) {
            waitSeconds << wait.seconds;
            busyDuringWait = BusyState::isBusy();
            buttonsDuringWait = false;
            for (auto* b : dialog->template findChildren<QPushButton*>())
                buttonsDuringWait = buttonsDuringWait || b->isEnabled();
            wait.setSecondMs(1);
            return wait.exec();
        });
        if (!dialog->start())
            return false;
        dialog->show();
        return true;
    }
    // A card with variant 2, its program file 500N1000.S2 in the last
    // folder, and the dialog open with that configuration chosen.
    bool openChoosing500N1000() {
        this->axis([](sim::SimAxis& a) {
            a.sfiCard = true;
            a.sfiConfig = 0x00;
            a.sfiVariant = QStringLiteral("2");
        });
        if (!writeFile(dirs[2].filePath(QStringLiteral("500N1000.S2")), kProgram) || !openDialog())
            return false;
        pick("steps500");
        pick("directionMinus");
        pick("encoder1000");
        return true;
    }
    QRadioButton* radio(const char* name) const {
        auto* r = dialog->template findChild<QRadioButton*>(QString::fromLatin1(name));
        if (!r)
            qFatal("no radio %s", name);
        return r;
    }
    // Clicks on the radio's circle: a short caption leaves its middle empty.
    void pick(const char* name) {
        QRadioButton* r = radio(name);
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(6, r->height() / 2));
    }
    // The checked radios, by object name.
    QStringList checked() const {
        QStringList names;
        for (auto* r : dialog->template findChildren<QRadioButton*>())
            if (r->isChecked())
                names << r->objectName();
        names.sort();
        return names;
    }
    void click(const char* button) {
        QTest::mouseClick(dialog->template findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }
};

bool sentAny(const QStringList& commands, const QStringList& prefixes) {
    for (const QString& c : commands)
        for (const QString& p : prefixes)
            if (c.startsWith(p))
                return true;
    return false;
}

} // namespace

class TestSfiCard : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::English); }
    void cleanup() {
        QVERIFY(!BusyState::isBusy());
        QVERIFY(!QApplication::overrideCursor());
    }

    void configuration_data() {
        QTest::addColumn<bool>("steps500");
        QTest::addColumn<bool>("minus");
        QTest::addColumn<int>("encoder");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::newRow("500 minus 1000") << true << true << 2 << "IM92"
                                        << "500N1000.S2";
        QTest::newRow("200 plus 50") << false << false << 0 << "IM00"
                                     << "200P0050.S2";
        QTest::newRow("200 minus 200") << false << true << 3 << "IM83"
                                       << "200N0200.S2";
        QTest::newRow("500 plus 500") << true << false << 1 << "IM11"
                                      << "500P0500.S2";
    }
    void configuration() {
        QFETCH(bool, steps500);
        QFETCH(bool, minus);
        QFETCH(int, encoder);
        QFETCH(QString, command);
        QFETCH(QString, file);
        const SfiCard::Configuration c{minus, steps500, encoder};
        QCOMPARE(SfiCard::configurationCommand(c), command);
        QCOMPARE(SfiCard::programFileName(c, QStringLiteral("2")), file);
        // What is written reads back as the same radios.
        const SfiCard::ReadConfiguration r = SfiCard::parseConfiguration(command.mid(2));
        QVERIFY(r.known);
        QCOMPARE(r.steps500, steps500);
        QCOMPARE(r.minus, minus);
        QCOMPARE(r.encoderIndex, encoder);
    }

    void readConfiguration_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("known");
        QTest::addColumn<int>("encoder");
        QTest::newRow("never configured") << "FF" << false << -1;
        QTest::newRow("time-out") << "TIMEOUT\r\n" << false << -1;
        QTest::newRow("closed port") << "ERROR\r\n" << false << -1;
        QTest::newRow("empty") << "" << false << -1;
        QTest::newRow("encoder digit above 3") << "94" << true << -1;
        QTest::newRow("encoder digit not hexadecimal") << "9z" << true << -1;
        QTest::newRow("one digit") << "3" << true << 3;
    }
    void readConfiguration() {
        QFETCH(QString, reply);
        QFETCH(bool, known);
        QFETCH(int, encoder);
        const SfiCard::ReadConfiguration r = SfiCard::parseConfiguration(reply);
        QCOMPARE(r.known, known);
        QCOMPARE(r.encoderIndex, encoder);
    }

    void suffix_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("usable");
        QTest::newRow("variant") << "2" << true;
        QTest::newRow("letters") << "B7" << true;
        QTest::newRow("time-out") << "TIMEOUT\r\n" << false;
        QTest::newRow("offline") << "OFFLINE\r\n" << false;
        QTest::newRow("up the tree") << "2/../../etc" << false;
        QTest::newRow("dots alone") << ".." << false;
        QTest::newRow("backslash") << "2\\x" << false;
        QTest::newRow("control character") << QStringLiteral("2\x01") << false;
    }
    void suffix() {
        QFETCH(QString, reply);
        QFETCH(bool, usable);
        QCOMPARE(SfiCard::usableSuffix(reply), usable);
    }

    void records_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("sent"); // address + data
        QTest::newRow("only the 16-byte records, in file order")
            << kProgram << true
            << QStringList{"0000000102030405060708090A0B0C0D0E0F",
                           "0010101112131415161718191A1B1C1D1E1F",
                           "0020A0A1A2A3A4A5A6A7A8A9AAABACADAEAF"};
        QTest::newRow("lower-case digits sent as the file has them")
            << ":10004000ffeeddccbbaa99887766554433221100b8" << true
            << QStringList{"0040ffeeddccbbaa99887766554433221100"};
        QTest::newRow("nothing after the end record is read")
            << ":00000001FF\n:10004000FFEEDDCCBBAA99887766554433221100B8\n"
            << true << QStringList{};
        QTest::newRow("empty file") << "" << true << QStringList{};
        QTest::newRow("a 32-byte record goes as two pieces at their addresses")
            << ":20010000000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1FEF\n"
               ":00000001FF\n"
            << true
            << QStringList{"0100000102030405060708090A0B0C0D0E0F",
                           "0110101112131415161718191A1B1C1D1E1F"};
        QTest::newRow("a 24-byte record: its last 8 bytes are passed over")
            << ":18020000404142434445464748494A4B4C4D4E4F5051525354555657D2" << true
            << QStringList{"0200404142434445464748494A4B4C4D4E4F"};
        QTest::newRow("a record running past the address space")
            << ":20FFF000000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F01"
            << false << QStringList{};
        QTest::newRow("no records") << ":00000001FF\r\n" << true << QStringList{};
        QTest::newRow("last record cut short")
            << kProgram.left(kProgram.indexOf(":10002000") + 30) << false << QStringList{};
        QTest::newRow(":10 at the very end, no end record")
            << kProgram.left(kProgram.indexOf(":00000001FF")) + ":10" << false << QStringList{};
        QTest::newRow("data digit not hexadecimal")
            << ":1000000000010203040506070809ZA0B0C0D0E0F78" << false << QStringList{};
        QTest::newRow("line end inside the data")
            << ":100000000001020304050607\r\n08090A0B0C0D0E0F78" << false << QStringList{};
        QTest::newRow("wrong checksum on a 16-byte record")
            << QString(kProgram).replace("0E0F78", "0E0F79") << false << QStringList{};
        QTest::newRow("wrong checksum on the short record")
            << QString(kProgram).replace("BEEF94", "BEEFC4") << false << QStringList{};
        QTest::newRow("data digit changed, checksum kept")
            << QString(kProgram).replace("A5A6", "A5A7") << false << QStringList{};
        QTest::newRow("count longer than the record")
            << ":11000000000102030405060708090A0B0C0D0E0F77" << false << QStringList{};
        QTest::newRow("text that is no record")
            << QString(kProgram).replace(":00000001FF", "; end\r\n:00000001FF") << false
            << QStringList{};
    }
    void records() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QStringList, sent);
        QList<SfiCard::Record> records{{"dead", "beef"}};
        QCOMPARE(SfiCard::readRecords(text, &records), ok);
        QStringList got;
        for (const SfiCard::Record& r : records)
            got << r.address + r.data;
        QCOMPARE(got, sent);
    }

    // Exact names in every directory come before a name that differs in case.
    void lookupOrder_data() {
        QTest::addColumn<QStringList>("files"); // "dir/name"
        QTest::addColumn<QString>("found");
        QTest::newRow("user's directory first")
            << QStringList{"0/200P0050.S2", "2/200P0050.S2"} << "0/200P0050.S2";
        QTest::newRow("installed before beside the program")
            << QStringList{"1/200P0050.S2", "2/200P0050.S2"} << "1/200P0050.S2";
        QTest::newRow("exact later beats case earlier")
            << QStringList{"0/200p0050.s2", "2/200P0050.S2"} << "2/200P0050.S2";
        QTest::newRow("case differs only") << QStringList{"1/200p0050.s2"} << "1/200p0050.s2";
        QTest::newRow("missing") << QStringList{"1/200P0050.S3"} << "";
    }
    void lookupOrder() {
        QFETCH(QStringList, files);
        QFETCH(QString, found);
        QTemporaryDir root;
        QStringList dirs;
        for (int i = 0; i < 3; ++i) {
            QVERIFY(QDir(root.path()).mkpath(QString::number(i)));
            dirs << root.filePath(QString::number(i));
        }
        for (const QString& f : files)
            QVERIFY(writeFile(root.filePath(f), kProgram));
        QStringList tried;
        const QString path = SfiCard::findProgramFile(QStringLiteral("200P0050.S2"), dirs, &tried);
        QCOMPARE(path, found.isEmpty() ? QString() : root.filePath(found));
        if (found.isEmpty())
            QCOMPARE(tried, (QStringList{dirs[0] + "/200P0050.S2", dirs[1] + "/200P0050.S2",
                                         dirs[2] + "/200P0050.S2"}));
    }

    void start_data() {
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("config");
        QTest::addColumn<QStringList>("checked");
        QTest::newRow("active, 500 minus 1000")
            << true << 0x92
            << QStringList{"activated", "directionMinus", "encoder1000", "steps500"};
        QTest::newRow("inactive, 200 plus 50")
            << false << 0x00
            << QStringList{"deactivated", "directionPlus", "encoder50", "steps200"};
        QTest::newRow("never configured: nothing chosen")
            << false << 0xFF << QStringList{"deactivated"};
    }
    void start() {
        QFETCH(bool, active);
        QFETCH(int, config);
        QFETCH(QStringList, checked);
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            a.sfiCard = true;
            a.sfiActive = active;
            a.sfiConfig = config;
        });
        rig.host.clearLog();
        QVERIFY(rig.openDialog());
        QCOMPARE(rig.commands(), (QStringList{"PI?", "IM?"}));
        QCOMPARE(rig.checked(), checked);
        QCOMPARE(rig.dialog->windowTitle(), Texts::text(10000) + "0" + Texts::text(10145));
        // Switching the card on and off.
        rig.host.clearLog();
        rig.pick(active ? "deactivated" : "activated");
        QCOMPARE(rig.commands(), QStringList{active ? "PI0" : "PI1"});
        rig.axis([&](sim::SimAxis& a) { QCOMPARE(a.sfiActive, !active); });
    }

    // The card's procedures on their own, as the dialog and kormakctl call
    // them: what the card says of itself, switching it, clearing its error.
    void cardProcedures_data() {
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("config");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<bool>("known");
        QTest::addColumn<bool>("minus");
        QTest::addColumn<int>("encoder");
        QTest::newRow("on, 500 minus 1000") << true << 0x92 << false << true << true << 2;
        QTest::newRow("off, 200 plus 200") << false << 0x03 << false << true << false << 3;
        QTest::newRow("never configured") << true << 0xFF << false << false << false << -1;
        QTest::newRow("silent card") << true << 0x92 << true << false << false << -1;
    }
    void cardProcedures() {
        QFETCH(bool, active);
        QFETCH(int, config);
        QFETCH(bool, silent);
        QFETCH(bool, known);
        QFETCH(bool, minus);
        QFETCH(int, encoder);
        SimRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(150);
        rig.axis([&](sim::SimAxis& a) {
            a.sfiCard = true;
            a.sfiActive = active;
            a.sfiConfig = config;
            a.latched |= sim::StatusBit::SfiError;
        });
        if (silent)
            rig.host.setFaultFor(QStringLiteral("0 PI?"), sim::Fault::NoReply);
        rig.host.clearLog();
        const std::optional<SfiCard::State> state = SfiCard::readState(rig.link, rig.op);
        if (silent) {
            // Nothing more is asked of a card that did not answer.
            QVERIFY(!state);
            QCOMPARE(rig.commands(), QStringList{"PI?"});
            QCOMPARE(rig.op.shownIds(), QList<int>{10103});
            return;
        }
        QVERIFY(state);
        QCOMPARE(rig.commands(), (QStringList{"PI?", "IM?"}));
        QVERIFY(rig.op.shown.isEmpty());
        QCOMPARE(state->active, active);
        QCOMPARE(state->configuration.known, known);
        QCOMPARE(state->configuration.minus, minus);
        QCOMPARE(state->configuration.encoderIndex, encoder);

        SfiCard::setActive(rig.link, !active);
        SfiCard::clearError(rig.link);
        rig.axis([&](sim::SimAxis& a) {
            QCOMPARE(a.sfiActive, !active);
            QCOMPARE(a.latched & sim::StatusBit::SfiError, 0u);
        });
        QCOMPARE(SfiCard::readState(rig.link, rig.op)->active, !active);
    }

    void silentCardDoesNotOpen() {
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(150);
        rig.host.setFault(sim::Fault::NoReply, 0, -1);
        QVERIFY(!rig.openDialog());
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
    }

    // A card that no longer answers after it stored its program closes the
    // dialog, as it would not have opened, and programming is not reported
    // as finished.
    void silentCardAfterProgrammingClosesTheDialog() {
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(150);
        QVERIFY(rig.openChoosing500N1000());
        rig.host.setFaultFor(QStringLiteral("0 PI?"), sim::Fault::NoReply);
        rig.click("programButton");
        QVERIFY(!rig.dialog->isVisible());
        QCOMPARE(rig.dialog->result(), int(QDialog::Rejected));
        QVERIFY(!rig.op.shownIds().contains(10161));
        QVERIFY(rig.op.shownIds().contains(10103));
    }

    // The fixture programmed record by record and stored by "WX", as the
    // configuration chosen in the dialog names it.
    void programsTheCard() {
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        QVERIFY(rig.openChoosing500N1000());
        rig.host.clearLog();
        rig.click("programButton");
        QCOMPARE(
            rig.commands(),
            (QStringList{"IL?", "IC?", "FC190423", "IM92", "WI0000000102030405060708090A0B0C0D0E0F",
                         "WI0010101112131415161718191A1B1C1D1E1F",
                         "WI0020A0A1A2A3A4A5A6A7A8A9AAABACADAEAF", "WX", "PI?", "IM?"}));
        QCOMPARE(rig.waitSeconds, QList<int>{CSFIDialog::ProgrammingSeconds});
        QVERIFY(rig.busyDuringWait);
        QVERIFY(!rig.buttonsDuringWait);
        for (auto* b : rig.dialog->findChildren<QPushButton*>())
            QVERIFY(b->isEnabled());
        QCOMPARE(rig.op.shownIds(), (QList<int>{10157, 10161}));
        rig.axis([](sim::SimAxis& a) {
            QCOMPARE(a.sfiProgram, programRecords());
            QCOMPARE(a.sfiConfig, 0x92);
        });
        QVERIFY(rig.checked().contains("encoder1000"));
    }

    // A card that reports no configuration shows none; Program asks for one
    // before anything is sent, instead of naming a file from radios nobody set.
    void unconfiguredCardAsksForAChoice() {
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.sfiCard = true;
            a.sfiConfig = 0xFF;
            a.sfiVariant = QStringLiteral("2");
        });
        QVERIFY(writeFile(rig.dirs[2].filePath(QStringLiteral("500N1000.S2")), kProgram));
        QVERIFY(rig.openDialog());
        QCOMPARE(rig.checked(), QStringList{"deactivated"});
        rig.host.clearLog();
        rig.pick("steps500");
        rig.click("programButton");
        QVERIFY(rig.commands().isEmpty());
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.last().text, Texts::text("sfi.chooseFirst"));
        rig.pick("directionMinus");
        rig.pick("encoder1000");
        rig.click("programButton");
        QCOMPARE(rig.commands().value(0), QStringLiteral("IL?"));
        rig.axis([](sim::SimAxis& a) {
            QCOMPARE(a.sfiProgram, programRecords());
            QCOMPARE(a.sfiConfig, 0x92);
        });
    }

    // A file of 32-byte records reaches the card whole, as 16-byte pieces.
    void longRecordsGoInPieces() {
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        QVERIFY(rig.openChoosing500N1000());
        QVERIFY(writeFile(
            rig.dirs[2].filePath(QStringLiteral("500N1000.S2")),
            QStringLiteral(
                ":20000000000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1FF0\r\n"
                ":10002000A0A1A2A3A4A5A6A7A8A9AAABACADAEAF58\r\n"
                ":00000001FF\r\n")));
        rig.host.clearLog();
        rig.click("programButton");
        const QStringList pieces = rig.commands().filter(QRegularExpression("^WI"));
        QCOMPARE(pieces, (QStringList{"WI0000000102030405060708090A0B0C0D0E0F",
                                      "WI0010101112131415161718191A1B1C1D1E1F",
                                      "WI0020A0A1A2A3A4A5A6A7A8A9AAABACADAEAF"}));
        rig.axis([](sim::SimAxis& a) { QCOMPARE(a.sfiProgram, programRecords()); });
        QCOMPARE(rig.op.shownIds(), (QList<int>{10157, 10161}));
    }

    void answeredNoSendsNothing_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("program") << "programButton";
        QTest::newRow("reset") << "resetButton";
    }
    void answeredNoSendsNothing() {
        QFETCH(QString, button);
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.sfiCard = true;
            a.sfiConfig = 0x00;
        });
        QVERIFY(rig.openDialog());
        rig.host.clearLog();
        rig.op.answers = {Operator::Answer::No};
        rig.click(button.toLatin1().constData());
        QVERIFY(rig.commands().isEmpty());
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Question);
    }

    void resetAfterTheQuestion() {
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.sfiCard = true;
            a.latched |= sim::StatusBit::SfiError;
        });
        QVERIFY(rig.openDialog());
        rig.host.clearLog();
        rig.click("resetButton");
        QCOMPARE(rig.commands(), QStringList{"CS"});
        // The question says what is reset: the SFI card of axis 0.
        QCOMPARE(rig.op.shown.first().text, Texts::text("sfi.resetQuestion").arg("0"));
        QVERIFY(rig.op.shown.first().text.contains("SFI"));
        rig.axis([](sim::SimAxis& a) { QCOMPARE(a.latched & sim::StatusBit::SfiError, 0u); });
    }

    // Without a usable program file nothing reaches the card, and the message
    // names where the file was looked for.
    void noUsableFileSendsNothing_data() {
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("content"); // empty: no file
        QTest::addColumn<QString>("named");   // a path the message names, relative to dir 2
        QTest::newRow("missing") << "2"
                                 << ""
                                 << "500N1000.S2";
        QTest::newRow("variant leaving the folder") << "../../x" << kProgram << "500N1000.S";
    }
    void noUsableFileSendsNothing() {
        QFETCH(QString, variant);
        QFETCH(QString, content);
        QFETCH(QString, named);
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            a.sfiCard = true;
            a.sfiConfig = 0x92;
            a.sfiVariant = variant;
        });
        if (!content.isEmpty())
            QVERIFY(writeFile(rig.dirs[2].filePath(QStringLiteral("500N1000.S2")), content));
        QVERIFY(rig.openDialog());
        rig.host.clearLog();
        rig.click("programButton");
        QCOMPARE(rig.commands(), QStringList{"IL?"});
        QCOMPARE(rig.op.shownIds(), (QList<int>{10157, 0}));
        const Operator::Message m = rig.op.shown.last();
        QCOMPARE(m.icon, Operator::Icon::Error);
        QVERIFY(m.text.startsWith(Texts::text(10158) + "\r\n"));
        QVERIFY2(m.text.contains(rig.dirs[2].filePath(named)), qPrintable(m.text));
        rig.axis([](sim::SimAxis& a) { QVERIFY(a.sfiProgram.isEmpty()); });
    }

    // A damaged file, or one without a single 16-byte piece, is refused
    // before the write release: the message names the file and the line.
    void damagedFileSendsNothing_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("line"); // 0: no 16-byte record
        QTest::newRow("cut short") << kProgram.left(kProgram.indexOf(":10002000") + 20) << 3;
        QTest::newRow("wrong checksum") << QString(kProgram).replace("1E1F68", "1E1F69") << 2;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("only an end record") << ":00000001FF\n" << 0;
        QTest::newRow("only records shorter than 16 bytes") << ":04003000DEADBEEF94\n:00000001FF\n"
                                                            << 0;
    }
    void damagedFileSendsNothing() {
        QFETCH(QString, content);
        QFETCH(int, line);
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            a.sfiCard = true;
            a.sfiConfig = 0x92;
        });
        const QString path = rig.dirs[1].filePath(QStringLiteral("500N1000.S2"));
        QVERIFY(writeFile(path, content));
        QVERIFY(rig.openDialog());
        rig.host.clearLog();
        rig.click("programButton");
        QCOMPARE(rig.commands(), QStringList{"IL?"});
        QCOMPARE(rig.op.shownIds(), (QList<int>{10157, 0}));
        const Operator::Message m = rig.op.shown.last();
        QCOMPARE(m.icon, Operator::Icon::Error);
        const QString native = QDir::toNativeSeparators(path);
        QCOMPARE(m.text, line ? Texts::text("sfi.damagedFile").arg(native).arg(line)
                              : Texts::text("sfi.noRecords").arg(native));
        rig.axis([](sim::SimAxis& a) { QVERIFY(a.sfiProgram.isEmpty()); });
    }

    // A record or configuration that was not taken stops the run before
    // "WX": after a lost reply, and after an overflow, where every later
    // record would answer "ERROR". The message says the card must be
    // programmed again.
    void failedRecordStopsBeforeStoring_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QList<int>>("messages");
        QTest::addColumn<QString>("saysFirst"); // the last message's first line
        QTest::newRow("lost reply to a record")
            << "WI0010" << int(sim::Fault::NoReply) << QList<int>{10157, 0} << Texts::text(10103);
        QTest::newRow("lost reply to the configuration")
            << "IM92" << int(sim::Fault::NoReply) << QList<int>{10157, 0} << Texts::text(10103);
        QTest::newRow("overflow") << "WI0010" << int(sim::Fault::Overflow)
                                  << QList<int>{10157, 10260, 0}
                                  << Texts::text("sfi.notStored").section("\r\n", 0, 0);
    }
    void failedRecordStopsBeforeStoring() {
        QFETCH(QString, command);
        QFETCH(int, fault);
        QFETCH(QList<int>, messages);
        QFETCH(QString, saysFirst);
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(200);
        rig.axis([](sim::SimAxis& a) {
            a.sfiCard = true;
            a.sfiConfig = 0x92;
        });
        QVERIFY(writeFile(rig.dirs[0].filePath(QStringLiteral("500N1000.S2")), kProgram));
        QVERIFY(rig.openDialog());
        rig.host.clearLog();
        rig.host.setFaultFor(command, sim::Fault(fault));
        rig.click("programButton");
        QVERIFY(!sentAny(rig.commands(), {"WX", "WI0020"}));
        QCOMPARE(rig.op.shownIds(), messages);
        // The card must be programmed again: "WX" was not sent.
        const QString said = rig.op.shown.last().text;
        QCOMPARE(said.section("\r\n", 0, 0), saysFirst);
        QVERIFY2(said.endsWith(Texts::text("sfi.notStored")), qPrintable(said));
        QVERIFY(rig.waitSeconds.isEmpty());
        rig.axis([](sim::SimAxis& a) { QVERIFY(a.sfiProgram.isEmpty()); });
    }

    // A record the card answers "NO" to was not taken: storing the rest would
    // make a program with a hole in it permanent and call it programmed.
    void refusedRecordStopsBeforeStoring() {
        SfiRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.sfiCard = true;
            a.sfiConfig = 0x92;
        });
        QVERIFY(writeFile(rig.dirs[0].filePath(QStringLiteral("500N1000.S2")), kProgram));
        QVERIFY(rig.openDialog());
        rig.host.clearLog();
        // After the first record the card stops taking writes.
        rig.referee.expect(QStringLiteral("WI"));
        rig.op.onPump = [&rig] { rig.axis([](sim::SimAxis& a) { a.sfiCard = false; }); };
        rig.click("programButton");
        rig.op.onPump = nullptr;
        QVERIFY(sentAny(rig.commands(), {"WI0010"}));
        QVERIFY(!sentAny(rig.commands(), {"WX", "WI0020"}));
        QCOMPARE(rig.op.shownIds(), (QList<int>{10157, 10114}));
        QVERIFY(rig.waitSeconds.isEmpty());
        rig.axis([](sim::SimAxis& a) { QVERIFY(a.sfiProgram.isEmpty()); });
    }
};

QTEST_MAIN(TestSfiCard)
#include "tst_sficard.moc"
