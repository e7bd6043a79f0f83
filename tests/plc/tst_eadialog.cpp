// The I/O card dialog on the offscreen platform against the simulated axis.

#include "SimRig.h"
#include "widgets/StatusLamp.h"
#include "base/Texts.h"
#include "plc/CEADialog.h"
#include "plc/IoCard.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

template <typename Rig> struct EaRig : Rig {
    std::unique_ptr<CEADialog> dialog;

    bool openDialog() {
        dialog = std::make_unique<CEADialog>(this->link, this->op);
        if (!dialog->initialise())
            return false;
        dialog->show();
        return true;
    }
    template <typename W> W* get(const QString& name) const {
        W* w = dialog->template findChild<W*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QCheckBox* output(int id) const { return get<QCheckBox>(QStringLiteral("output%1").arg(id)); }
    // The green lamps as "1256 1258 ...".
    QString green() const {
        QStringList ids;
        for (int id = 1256; id <= 1267; ++id) {
            const QString name = QString::fromLatin1(id < 1260 ? "input%1" : "program%1").arg(id);
            if (get<StatusLamp>(name)->colour() == StatusLamp::Colour::Green)
                ids << QString::number(id);
        }
        return ids.join(u' ');
    }
};

// Closes the modal dialog that run() opens, once it is up.
void closeModalSoon() {
    QTimer::singleShot(50, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
}

} // namespace

class TestEaDialog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Texts::setLanguage(Texts::Language::English); }

    void opensOnlyWithTheCard_data() {
        QTest::addColumn<int>("axisState"); // 0 card, 1 no card, 2 silent, 3 offline
        QTest::addColumn<bool>("opened");
        QTest::addColumn<int>("messageId"); // -1: none, 0: "Not Supported"
        QTest::newRow("card") << 0 << true << -1;
        QTest::newRow("no card") << 1 << false << 0;
        QTest::newRow("no reply is no answer, not no card") << 2 << false << 10103;
        QTest::newRow("offline panel") << 3 << false << 0;
    }
    void opensOnlyWithTheCard() {
        QFETCH(int, axisState);
        QFETCH(bool, opened);
        QFETCH(int, messageId);
        SimRig rig;
        QVERIFY(rig.open());
        rig.link.setTimeoutMs(150);
        rig.axis([&](sim::SimAxis& a) { a.ioCard = axisState != 1; });
        if (axisState == 2)
            rig.host.setFault(sim::Fault::NoReply, 0, -1);
        if (axisState == 3)
            rig.link.setCurrentAddress(QStringLiteral("OFFLINE"));
        rig.host.clearLog();
        if (opened)
            closeModalSoon();
        QCOMPARE(CEADialog::run(rig.link, rig.op), opened);
        if (messageId < 0) {
            QVERIFY(rig.op.shown.isEmpty());
            QCOMPARE(rig.commands().mid(0, 4), (QStringList{"PE?", "DO?", "IO?", "EO?"}));
        } else {
            QCOMPARE(rig.op.shown.size(), 1);
            QCOMPARE(rig.op.shown.first().textId, messageId);
            if (messageId == 0) {
                QCOMPARE(rig.op.shown.first().text, QStringLiteral("Not Supported"));
                QCOMPARE(rig.op.shown.first().icon, Operator::Icon::None);
            }
        }
    }

    void inputsLightTheirLamps_data() {
        QTest::addColumn<int>("inputs");
        QTest::addColumn<int>("programs");
        QTest::addColumn<QString>("green");
        QTest::newRow("STROBE and CLEAR") << 0x5 << 0 << "1256 1258";
        QTest::newRow("PROG0 and PROG7") << 0 << 0x81 << "1260 1267";
        QTest::newRow("all") << 0xF << 0xFF
                             << "1256 1257 1258 1259 1260 1261 1262 1263 1264 1265 1266 1267";
    }
    void inputsLightTheirLamps() {
        QFETCH(int, inputs);
        QFETCH(int, programs);
        QFETCH(QString, green);
        EaRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.ioCard = true;
            a.setFamily(QStringLiteral("SMC 2A"));
        });
        QVERIFY(rig.openDialog());
        QVERIFY(rig.dialog->refreshing());
        rig.axis([&](sim::SimAxis& a) {
            a.inputs = inputs;
            a.programNumber = programs;
        });
        QTRY_COMPARE_WITH_TIMEOUT(rig.green(), green, 2 * CEADialog::RefreshMs);
    }

    // Every click sends both registers with every box, hidden ones included.
    void clickSendsBothRegisters_data() {
        QTest::addColumn<int>("io");
        QTest::addColumn<int>("eo");
        QTest::addColumn<int>("click");
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("ERROR with Output 3 ticked")
            << 0 << 0x2 << 1269 << QStringList{"IO2", "EO2"};
        QTest::newRow("READY on") << 0x2 << 0 << 1268 << QStringList{"IO3", "EO0"};
        QTest::newRow("Output 2 keeps 4 and 5") << 0 << 0xC << 1270 << QStringList{"IO0", "EOD"};
        QTest::newRow("READY off") << 0x1 << 0 << 1268 << QStringList{"IO0", "EO0"};
    }
    void clickSendsBothRegisters() {
        QFETCH(int, io);
        QFETCH(int, eo);
        QFETCH(int, click);
        QFETCH(QStringList, sent);
        EaRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            a.ioCard = true;
            a.outputs = io;
            a.ioCardOutputs = eo;
        });
        QVERIFY(rig.openDialog());
        rig.host.clearLog();
        QCheckBox* box = rig.output(click);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QStringList writes;
        for (const QString& c : rig.commands())
            if (c.startsWith(u"IO") || c.startsWith(u"EO"))
                writes << c;
        QCOMPARE(writes, sent);
        rig.axis([&](sim::SimAxis& a) {
            QCOMPARE(QStringLiteral("IO%1").arg(a.outputs, 0, 16).toUpper(), sent[0]);
            QCOMPARE(QStringLiteral("EO%1").arg(a.ioCardOutputs, 0, 16).toUpper(), sent[1]);
        });
    }

    // After the port went away a click on an output says so, once for each
    // click; the box keeps what the axis last had, and nothing is sent.
    void outputAfterLostPortSaysTheLinkIsGone() {
        EaRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.ioCard = true;
            a.outputs = 0x1;
        });
        QVERIFY(rig.openDialog());
        rig.host.setFault(sim::Fault::Vanish, 0, -1);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.link.portOpen(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.dialog->refreshing(), 3000);
        rig.op.clear();
        rig.host.clearLog();
        QCheckBox* box = rig.output(1268);
        QVERIFY(box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        QVERIFY(box->isChecked());
        QCOMPARE(rig.op.shown.size(), 1);
        QCOMPARE(rig.op.shown.first().text, Texts::text("link.gone"));
        QCOMPARE(rig.op.shown.first().icon, Operator::Icon::Error);
        QVERIFY(rig.commands().isEmpty());
    }

    void familyHidesControls_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("reduced");
        QTest::newRow("TKV") << "TKV 3A/50V" << true;
        QTest::newRow("TMW") << "TMW 6A" << true;
        QTest::newRow("RZH") << "RZH 1A" << false;
        QTest::newRow("TKV not at the start") << "XTKV" << false;
    }
    void familyHidesControls() {
        QFETCH(QString, family);
        QFETCH(bool, reduced);
        EaRig<SimRig> rig;
        QVERIFY(rig.open());
        rig.axis([&](sim::SimAxis& a) {
            a.ioCard = true;
            a.setFamily(family);
        });
        rig.host.clearLog();
        QCOMPARE(IoCard::readReducedFamily(rig.link), reduced);
        QCOMPARE(rig.commands(), QStringList{"DO?"});
        QVERIFY(rig.openDialog());
        for (const char* name : {"input1258", "input1259", "inputLabel1484", "inputLabel1483",
                                 "output1272", "output1273"})
            QCOMPARE(rig.get<QWidget>(QString::fromLatin1(name))->isHidden(), reduced);
        QVERIFY(!rig.output(1271)->isHidden());
        QCOMPARE(rig.dialog->windowTitle(), Texts::text(10000) + "0" + Texts::text(10130));
    }

    // An output register that was not read must not become the boxes' state.
    void unreadOutputsKeepTheDialogClosed_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QString>("reply");
        QTest::newRow("IO? lost") << "IO?" << true << "";
        QTest::newRow("EO? lost") << "EO?" << true << "";
        QTest::newRow("IO? garbled") << "IO?" << false << "Q";
    }
    void unreadOutputsKeepTheDialogClosed() {
        QFETCH(QString, command);
        QFETCH(bool, drop);
        QFETCH(QString, reply);
        EaRig<TamperedSim> rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.ioCard = true;
            a.outputs = 3;
        });
        rig.tamper(command, 0, drop, reply);
        QVERIFY(!rig.openDialog());
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QVERIFY(!rig.dialog->refreshing());
        for (const QString& c : rig.commands())
            QVERIFY2(!c.startsWith(u"IO") || c == u"IO?", qPrintable(c));
    }

    // One refresh of the inputs straight from the card: a garbled register
    // is left out, a lost reply ends the refresh there.
    void readInputs_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("drop");
        QTest::addColumn<QString>("control");  // hexadecimal, or "-" when left out
        QTest::addColumn<QString>("programs"); // likewise
        QTest::addColumn<bool>("linkFailed");
        QTest::addColumn<QStringList>("sent");
        const QStringList both{"II?", "EI?"};
        QTest::newRow("both answered") << "" << false << "5"
                                       << "81" << false << both;
        QTest::newRow("II? garbled") << "II?" << false << "-"
                                     << "81" << false << both;
        QTest::newRow("EI? garbled") << "EI?" << false << "5"
                                     << "-" << false << both;
        QTest::newRow("II? lost") << "II?" << true << "-"
                                  << "-" << true << QStringList{"II?"};
        QTest::newRow("EI? lost") << "EI?" << true << "5"
                                  << "-" << true << both;
    }
    void readInputs() {
        QFETCH(QString, command);
        QFETCH(bool, drop);
        QFETCH(QString, control);
        QFETCH(QString, programs);
        QFETCH(bool, linkFailed);
        QFETCH(QStringList, sent);
        TamperedSim rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.ioCard = true;
            a.inputs = 0x5;
            a.programNumber = 0x81;
        });
        if (!command.isEmpty())
            rig.tamper(command, 0, drop, QStringLiteral("zz"));
        const IoCard::Inputs inputs = IoCard::readInputs(rig.link);
        const auto text = [](const std::optional<quint32>& v) {
            return v ? QString::number(*v, 16) : QStringLiteral("-");
        };
        QCOMPARE(text(inputs.control), control);
        QCOMPARE(text(inputs.programs), programs);
        QCOMPARE(inputs.linkFailed, linkFailed);
        QCOMPARE(rig.commands(), sent);
        QVERIFY(rig.op.shown.isEmpty());
    }

    // A garbled input reply leaves the lamps; a lost one stops the refresh
    // with one message.
    void refreshFailures() {
        EaRig<TamperedSim> rig;
        QVERIFY(rig.open());
        rig.axis([](sim::SimAxis& a) {
            a.ioCard = true;
            a.inputs = 0x3;
        });
        QVERIFY(rig.openDialog());
        QTRY_COMPARE_WITH_TIMEOUT(rig.green(), QStringLiteral("1256 1257"),
                                  2 * CEADialog::RefreshMs);
        rig.clearCommands();
        rig.axis([](sim::SimAxis& a) { a.inputs = 0; });
        rig.tamper(QStringLiteral("II?"), 0, false, QStringLiteral("zz"));
        for (int i = 0; i < 2; ++i)
            rig.alsoTamper(QStringLiteral("II?"), 0, false, QStringLiteral("zz"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.commands().count(QStringLiteral("II?")) >= 2, 2000);
        QCOMPARE(rig.green(), QStringLiteral("1256 1257"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.green(), QString(), 2000);
        rig.alsoTamper(QStringLiteral("II?"), 0, true);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.dialog->refreshing(), 3000);
        QTest::qWait(3 * CEADialog::RefreshMs);
        QCOMPARE(rig.op.shownIds(), QList<int>{10103});
        QCOMPARE(rig.green(), QString());
    }
};

QTEST_MAIN(TestEaDialog)
#include "tst_eadialog.moc"
