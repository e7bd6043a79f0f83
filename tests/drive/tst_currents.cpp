#include "SimRig.h"
#include "axis/AxisConfiguration.h"
#include "base/Texts.h"
#include "drive/CStrom.h"
#include "drive/Currents.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QComboBox* list(CStrom& dialog, const char* name) {
    return dialog.findChild<QComboBox*>(QString::fromLatin1(name));
}

// The selections and the boost time the dialog shows, as one text:
// "stop/run/boost/time" with the selected entries ("-" for none).
QString shown(CStrom& dialog) {
    QStringList parts;
    for (const char* name : {"stopCurrent", "runCurrent", "boostCurrent"}) {
        QComboBox* box = list(dialog, name);
        parts << (box->currentIndex() < 0 ? QStringLiteral("-") : box->currentText());
    }
    parts << list(dialog, "boostTime")->currentText();
    return parts.join(QLatin1Char('/'));
}

void choose(CStrom& dialog, const char* name, int index) {
    if (index != -2)
        list(dialog, name)->setCurrentIndex(index);
}

} // namespace

class TestCurrents : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(Texts::setLanguage(Texts::Language::German)); }

    // ---- the value rules ----------------------------------------------------

    void ampereIndex_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("index");
        QTest::newRow("0.7 lands on 7, not 6") << "0.7" << 7;
        QTest::newRow("1.5") << "1.5" << 15;
        QTest::newRow("6.3") << "6.3" << 63;
        QTest::newRow("zero") << "0.0" << 0;
        QTest::newRow("whole amperes") << "1" << 10;
        QTest::newRow("truncated") << "2.35" << 23;
        QTest::newRow("unit behind") << "1.5A" << 15;
        QTest::newRow("leading blank") << " 0.3" << 3;
        QTest::newRow("no leading digit") << ".5" << 5;
        QTest::newRow("empty is no value") << "" << -1;
        QTest::newRow("letters are no value") << "abc" << -1;
        QTest::newRow("negative is no value") << "-0.5" << -1;
        QTest::newRow("pseudo-reply") << "TIMEOUT\r\n" << -1;
    }
    void ampereIndex() {
        QFETCH(QString, value);
        QFETCH(int, index);
        QCOMPARE(Currents::ampereIndex(value), index);
    }

    void everyAmpereEntryReadsBackToItself() {
        // A value stored from entry i must select entry i again next time;
        // computing in double instead of single precision breaks this.
        const QStringList entries = Currents::ampereEntries(Currents::TkvEntryCount);
        QCOMPARE(entries.size(), 64);
        QCOMPARE(entries.first(), QStringLiteral("0.0 A"));
        QCOMPARE(entries.last(), QStringLiteral("6.3 A"));
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(entries.at(i), Currents::ampereValue(i) + QStringLiteral(" A"));
            QCOMPARE(Currents::ampereIndex(Currents::ampereValue(i)), i);
            QCOMPARE(Currents::ampereIndex(entries.at(i)), i);
        }
    }

    void levelIndex_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("index");
        QTest::newRow("digit") << "7" << 7;
        QTest::newRow("letter") << "A" << 10;
        QTest::newRow("lower case") << "f" << 15;
        QTest::newRow("two digits are beyond the list") << "12" << 18;
        QTest::newRow("empty is no value") << "" << -1;
        QTest::newRow("not hexadecimal") << "G" << -1;
        QTest::newRow("long garbage does not overflow") << "FFFFFFFFFFFFFFFFFFFF" << 0x10000;
    }
    void levelIndex() {
        QFETCH(QString, value);
        QFETCH(int, index);
        QCOMPARE(Currents::levelIndex(value), index);
    }

    void levelTable_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("full table")
            << "050A0F14191E23282D32373C41464B50"
            << QStringList{"0.5 A", "1.0 A", "1.5 A", "2.0 A", "2.5 A", "3.0 A", "3.5 A", "4.0 A",
                           "4.5 A", "5.0 A", "5.5 A", "6.0 A", "6.5 A", "7.0 A", "7.5 A", "8.0 A"};
        QTest::newRow("largest byte") << "FF" << QStringList{"25.5 A"};
        QTest::newRow("short table") << "050A0" << QStringList{"0.5 A", "1.0 A"};
        QTest::newRow("garbled byte ends it") << "05X00A" << QStringList{"0.5 A"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("extra digits ignored")
            << "0102030405060708090A0B0C0D0E0F1011"
            << QStringList{"0.1 A", "0.2 A", "0.3 A", "0.4 A", "0.5 A", "0.6 A", "0.7 A", "0.8 A",
                           "0.9 A", "1.0 A", "1.1 A", "1.2 A", "1.3 A", "1.4 A", "1.5 A", "1.6 A"};
    }
    void levelTable() {
        QFETCH(QString, reply);
        QFETCH(QStringList, entries);
        QCOMPARE(Currents::levelTableEntries(reply), entries);
    }

    void family_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<int>("count");
        QTest::newRow("TKV reply") << "TKV 3A/50V" << false << 64;
        QTest::newRow("TMW reply") << "TMW 1A/24V" << false << 15;
        QTest::newRow("code inside a reply") << "XTMW" << false << 15;
        QTest::newRow("other reply") << "RZH 2A/24V" << false << 0;
        QTest::newRow("file type TKV") << "TKV" << true << 64;
        QTest::newRow("file type TMW") << "TMW" << true << 15;
        QTest::newRow("file type must be the code") << "TKV 3A" << true << 0;
        QTest::newRow("no file type") << "" << true << 0;
    }
    void family() {
        QFETCH(QString, type);
        QFETCH(bool, exact);
        QFETCH(int, count);
        QCOMPARE(Currents::ampereEntryCount(type, exact), count);
    }

    void fixedLists() {
        QCOMPARE(Currents::boostTimeEntries(),
                 (QStringList{"10", "20", "30", "40", "50", "75", "100", "150", "200", "250", "500",
                              "750", "1000"}));
        const QStringList levels = Currents::levelEntries();
        QCOMPARE(levels.size(), 16);
        QCOMPARE(levels.first(), QStringLiteral("Stufe 0"));
        QCOMPARE(levels.last(), QStringLiteral("Stufe F"));
        QVERIFY(Texts::setLanguage(Texts::Language::English));
        QCOMPARE(Currents::levelEntries().at(10), QStringLiteral("Step A"));
        QVERIFY(Texts::setLanguage(Texts::Language::German));
    }

    // ---- the dialog on a connected axis -----------------------------------------

    void connected_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QList<int>>("levels"); // stop, run, boost in the axis's own units
        QTest::addColumn<int>("entries");
        QTest::addColumn<QStringList>("opening"); // commands sent when the dialog opens
        QTest::addColumn<QString>("display");     // see shown()
        QTest::addColumn<int>("chooseRun");       // -2: leave as shown
        QTest::addColumn<QString>("typedTime");   // empty: leave as shown
        QTest::addColumn<QStringList>("sent");    // commands sent by OK
        QTest::addColumn<int>("storedRun");       // the axis's run current afterwards

        QTest::newRow("TKV: amperes, 0.7 selects entry 7, 1.5 A sends PR1.5")
            << "TKV 3A/50V" << QList<int>{7, 10, 15} << 64
            << QStringList{"DO?", "PS??", "PR??", "PA??", "PT?"} << "0.7 A/1.0 A/1.5 A/20" << 15
            << QString() << QStringList{"PS0.7", "PR1.5", "PA1.5", "PT20"} << 15;
        QTest::newRow("TMW: fifteen entries")
            << "TMW 1A/24V" << QList<int>{3, 6, 8} << 15
            << QStringList{"DO?", "PS??", "PR??", "PA??", "PT?"} << "0.3 A/0.6 A/0.8 A/20" << 14
            << QStringLiteral("123") << QStringList{"PS0.3", "PR1.4", "PA0.8", "PT123"} << 14;
        QTest::newRow("levels from the FA? table: level 2 shows 1.5 A and sends PR2")
            << "XR4 2A/24V" << QList<int>{1, 2, 0} << 16
            << QStringList{"DO?", "FA?", "PS?", "PR?", "PA?", "PT?"} << "1.0 A/1.5 A/0.5 A/20" << -2
            << QString() << QStringList{"PS1", "PR2", "PA0", "PT20"} << 2;
        QTest::newRow("levels: level F sends the digit")
            << "XR4 2A/24V" << QList<int>{1, 2, 0} << 16
            << QStringList{"DO?", "FA?", "PS?", "PR?", "PA?", "PT?"} << "1.0 A/1.5 A/0.5 A/20" << 15
            << QString() << QStringList{"PS1", "PRF", "PA0", "PT20"} << 15;
    }
    void connected() {
        QFETCH(QString, family);
        QFETCH(QList<int>, levels);
        QFETCH(int, entries);
        QFETCH(QStringList, opening);
        QFETCH(QString, display);
        QFETCH(int, chooseRun);
        QFETCH(QString, typedTime);
        QFETCH(QStringList, sent);
        QFETCH(int, storedRun);

        SimRig rig;
        rig.axis([&](sim::SimAxis& a) {
            a.setFamily(family);
            a.currentLevels = QByteArray::fromHex("050A0F14191E23282D32373C41464B50");
            a.params.stopCurrent = levels.at(0);
            a.params.runCurrent = levels.at(1);
            a.params.boostCurrent = levels.at(2);
        });
        QVERIFY(rig.open());
        CStrom dialog(rig.link, rig.op);
        dialog.InitDialog();
        QCOMPARE(rig.commands(), opening);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Achse 0"));
        QCOMPARE(list(dialog, "runCurrent")->count(), entries);
        QCOMPARE(list(dialog, "stopCurrent")->count(), entries);
        QCOMPARE(list(dialog, "boostTime")->count(), 13);
        QCOMPARE(shown(dialog), display);
        QCOMPARE(dialog.fields().typeText, family);
        QVERIFY(rig.op.shown.isEmpty());

        rig.host.clearLog();
        choose(dialog, "runCurrent", chooseRun);
        if (!typedTime.isEmpty())
            list(dialog, "boostTime")->setEditText(typedTime);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("okButton")),
                          Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(rig.commands(), sent);
        QCOMPARE(dialog.lastSent(), sent);
        QVERIFY(rig.op.shown.isEmpty());
        int run = -1;
        rig.axis([&](sim::SimAxis& a) { run = a.params.runCurrent; });
        QCOMPARE(run, storedRun);
        QCOMPARE(dialog.fields().runCurrent, sent.at(1).mid(2));
    }

    void cancelSendsNothing() {
        SimRig rig;
        QVERIFY(rig.open());
        CStrom dialog(rig.link, rig.op);
        dialog.InitDialog();
        rig.host.clearLog();
        list(dialog, "runCurrent")->setCurrentIndex(40);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cancelButton")),
                          Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(rig.commands().isEmpty());
    }

    void lostReply_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("lost"); // the command whose reply is lost
        QTest::addColumn<QString>("display");
        QTest::addColumn<QStringList>("sent"); // by OK, nothing else chosen
        QTest::newRow("run current") << "TKV 3A/50V"
                                     << "PR??"
                                     << "0.5 A/-/1.5 A/20" << QStringList{"PS0.5", "PA1.5", "PT20"};
        QTest::newRow("stop level") << "XR4 2A/24V"
                                    << "PS?"
                                    << "-/2.5 A/0.5 A/20" << QStringList{"PR4", "PA0", "PT20"};
        QTest::newRow("boost time")
            << "TKV 3A/50V"
            << "PT?"
            << "0.5 A/1.0 A/1.5 A/" << QStringList{"PS0.5", "PR1.0", "PA1.5"};
        QTest::newRow("level table") << "XR4 2A/24V"
                                     << "FA?"
                                     << "-/-/-/20" << QStringList{"PT20"};
        QTest::newRow("type: nothing more is asked") << "TKV 3A/50V"
                                                     << "DO?"
                                                     << "-/-/-/" << QStringList{};
    }
    void lostReply() {
        // A current whose reply was lost must not be sent back as whatever the
        // list happened to show: 0 A on a vertical axis drops the load.
        QFETCH(QString, family);
        QFETCH(QString, lost);
        QFETCH(QString, display);
        QFETCH(QStringList, sent);

        TamperedSim rig;
        rig.axis([&](sim::SimAxis& a) {
            a.setFamily(family);
            a.currentLevels = QByteArray::fromHex("050A0F14191E23282D32373C41464B50");
        });
        rig.tamper(lost, 0, true);
        QVERIFY(rig.open());
        CStrom dialog(rig.link, rig.op);
        dialog.fields().runCurrent = QStringLiteral("before");
        dialog.InitDialog();
        QCOMPARE(shown(dialog), display);
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Error);
        if (lost == QLatin1String("DO?"))
            QCOMPARE(rig.commands(), QStringList{"DO?"});

        rig.clearCommands();
        dialog.accept();
        QCOMPARE(rig.commands(), sent);
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        if (lost.startsWith(QLatin1String("PR")) || lost == QLatin1String("DO?"))
            QCOMPARE(dialog.fields().runCurrent, QStringLiteral("before"));
    }

    void choiceAfterALostReplyIsSent() {
        // The operator may still set the current himself.
        TamperedSim rig;
        rig.tamper(QStringLiteral("PR??"), 0, true);
        QVERIFY(rig.open());
        CStrom dialog(rig.link, rig.op);
        dialog.InitDialog();
        list(dialog, "runCurrent")->setCurrentIndex(12);
        rig.clearCommands();
        dialog.accept();
        QCOMPARE(rig.commands(), (QStringList{"PS0.5", "PR1.2", "PA1.5", "PT20"}));
    }

    void lostWriteIsReported() {
        TamperedSim rig;
        rig.tamper(QStringLiteral("PR"), 1, true); // "PR??" answers, "PR1.0" does not
        QVERIFY(rig.open());
        CStrom dialog(rig.link, rig.op);
        dialog.InitDialog();
        QVERIFY(rig.op.shown.isEmpty());
        rig.clearCommands();
        dialog.accept();
        // After a lost reply the rest is not sent into the silence.
        QCOMPARE(rig.commands(), (QStringList{"PS0.5", "PR1.0"}));
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
    }

    // ---- the dialog on an offline panel ----------------------------------------

    void offline_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("values"); // stop, run, boost, time in the document
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("display");
        QTest::addColumn<int>("chooseRun");
        QTest::addColumn<QStringList>("stored"); // the document after OK
        QTest::newRow("TMW") << "TMW" << QStringList{"0.3", "0.6", "0.8", "75"} << 15
                             << "0.3 A/0.6 A/0.8 A/75" << 14
                             << QStringList{"0.3", "1.4", "0.8", "75"};
        QTest::newRow("TKV") << "TKV" << QStringList{"0.5", "2.3", "1.5", "20"} << 64
                             << "0.5 A/2.3 A/1.5 A/20" << 63
                             << QStringList{"0.5", "6.3", "1.5", "20"};
        QTest::newRow("no type: levels")
            << "" << QStringList{"2", "4", "0", "20"} << 16 << "Stufe 2/Stufe 4/Stufe 0/20" << 11
            << QStringList{"2", "B", "0", "20"};
        QTest::newRow("value beyond the list stays")
            << "TMW" << QStringList{"0.3", "2.0", "", ""} << 15 << "0.3 A/-/-/" << -2
            << QStringList{"0.3", "2.0", "", ""};
    }
    void offline() {
        QFETCH(QString, type);
        QFETCH(QStringList, values);
        QFETCH(int, entries);
        QFETCH(QString, display);
        QFETCH(int, chooseRun);
        QFETCH(QStringList, stored);

        ScriptedOperator op;
        SerialLink link(op);
        link.setCurrentAddress(QStringLiteral("OFFLINE"));
        AxisConfiguration doc;
        doc.stopCurrent = values.at(0);
        doc.runCurrent = values.at(1);
        doc.boostCurrent = values.at(2);
        doc.boostTime = values.at(3);
        CStrom dialog(link, op);
        dialog.fields().typeText = type;

        int result = -1;
        QTimer::singleShot(0, &dialog, [&]() {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("OFFLINE"));
            QCOMPARE(list(dialog, "runCurrent")->count(), entries);
            QCOMPARE(shown(dialog), display);
            choose(dialog, "runCurrent", chooseRun);
            dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        });
        result = dialog.runFor(doc);
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE((QStringList{doc.stopCurrent, doc.runCurrent, doc.boostCurrent, doc.boostTime}),
                 stored);
        QVERIFY(dialog.lastSent().isEmpty());
        QVERIFY(op.shown.isEmpty());
    }

    void offlineCancelKeepsTheConfiguration() {
        ScriptedOperator op;
        SerialLink link(op);
        link.setCurrentAddress(QStringLiteral("OFFLINE NEW"));
        AxisConfiguration doc;
        doc.stopCurrent = QStringLiteral("2");
        doc.runCurrent = QStringLiteral("4");
        doc.boostCurrent = QStringLiteral("0");
        doc.boostTime = QStringLiteral("20");
        CStrom dialog(link, op);
        QTimer::singleShot(0, &dialog, [&]() {
            list(dialog, "runCurrent")->setCurrentIndex(9);
            list(dialog, "boostTime")->setEditText(QStringLiteral("500"));
            dialog.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
        });
        QCOMPARE(dialog.runFor(doc), int(QDialog::Rejected));
        QCOMPARE((QStringList{doc.stopCurrent, doc.runCurrent, doc.boostCurrent, doc.boostTime}),
                 (QStringList{"2", "4", "0", "20"}));
    }

    void keptBetweenOpenings() {
        // The panel keeps one dialog: the type text of a connected axis is
        // read again at every opening, the values come from the axis.
        SimRig rig;
        QVERIFY(rig.open());
        CStrom dialog(rig.link, rig.op);
        AxisConfiguration doc;
        QTimer::singleShot(0, &dialog, [&]() { dialog.reject(); });
        dialog.runFor(doc);
        rig.axis([](sim::SimAxis& a) { a.setFamily(QStringLiteral("TMW 1A/24V")); });
        QTimer::singleShot(0, &dialog, [&]() {
            QCOMPARE(list(dialog, "runCurrent")->count(), 15);
            dialog.reject();
        });
        dialog.runFor(doc);
        QCOMPARE(dialog.fields().typeText, QStringLiteral("TMW 1A/24V"));
        // A connected axis's configuration is not touched.
        QVERIFY(doc.runCurrent.isEmpty());
    }

    void captions_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<QString>("title");
        QTest::newRow("German") << "de"
                                << "Abbrechen"
                                << "Achse 0";
        QTest::newRow("English") << "en"
                                 << "Cancel"
                                 << "Axe 0";
    }
    void captions() {
        QFETCH(QString, language);
        QFETCH(QString, cancel);
        QFETCH(QString, title);
        Texts::Language l;
        QVERIFY(Texts::fromCode(language, &l));
        QVERIFY(Texts::setLanguage(l));
        SimRig rig;
        QVERIFY(rig.open());
        CStrom dialog(rig.link, rig.op);
        dialog.InitDialog();
        QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("cancelButton"))->text(), cancel);
        QCOMPARE(dialog.windowTitle(), title);
        QVERIFY(Texts::setLanguage(Texts::Language::German));
    }
};

QTEST_MAIN(TestCurrents)
#include "tst_currents.moc"
