// File → "Save all axes..." and "Restore machine..." in the main window
// against the simulated bus: axes 0, 3 (another device type) and A (at 9600
// Baud), with the scripted operator in place of the message boxes and a
// folder handed over in place of the folder dialog.

#include "ShellRig.h"
#include "app/AxisBar.h"
#include "app/CMainFrame.h"
#include "base/Texts.h"
#include "sim/SimHost.h"

#include <QAction>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Rig : ShellRig {
    QStringList statusMessages;

    Rig() : ShellRig(QStringLiteral("03A")) {}
    bool start(const QString& folder) {
        host.withBus([](sim::SimBus& bus) {
            bus.axis(u'A').baud = 9600;
            bus.axis(u'3').setFamily(QStringLiteral("TMW-2"));
        });
        if (!ShellRig::start())
            return false;
        frame->setFolderChooser([folder](bool) { return folder; });
        for (int k : {0, 3, 5, 10})
            frame->axisBar()->setAxisPresent(k, true);
        QObject::connect(frame->statusBar(), &QStatusBar::messageChanged, frame.get(),
                         [this](const QString& m) {
                             if (!m.isEmpty())
                                 statusMessages << m;
                         });
        return true;
    }
    void trigger(const char* name) {
        auto* action = frame->findChild<QAction*>(QLatin1String(name));
        QVERIFY(action);
        action->trigger();
    }
    // The commands that change an axis.
    QStringList writes() {
        QStringList list;
        for (const QString& line : wire()) {
            const QString c = line.mid(2);
            if (!c.endsWith(u'?') && !c.startsWith(u"ER") && !c.startsWith(u"FR"))
                list << line;
        }
        return list;
    }
    QString lastText() const { return op.shown.isEmpty() ? QString() : op.shown.last().text; }
};

} // namespace

class TestMachineWindow : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        Texts::setLanguage(Texts::Language::English);
    }

    // Saved, the progress naming each axis; then axis 3 changed, and the
    // folder put back after one question that lists what was found.
    void saveAndRestore() {
        QTemporaryDir dir;
        Rig rig;
        QVERIFY(rig.start(dir.path()));
        rig.trigger("fileSaveAllAxes");
        QStringList said;
        for (const Operator::Message& m : rig.op.shown)
            said << QString::number(m.textId) + ":" + m.text;
        QVERIFY2(rig.op.shown.size() == 1, qPrintable(said.join(" | ")));
        QCOMPARE(rig.lastText(), QStringLiteral("Saved: 0, 3, A\nAbsent: 5"));
        QCOMPARE(rig.statusMessages, QStringList({"Saving axis 0...", "Saving axis 3...",
                                                  "Saving axis 5...", "Saving axis A..."}));
        for (const char* f : {"AXIS0.OPM", "AXIS3.OPM", "AXISA.OPM", "machine.json"})
            QVERIFY(QFile::exists(dir.filePath(QLatin1String(f))));

        rig.host.withBus([](sim::SimBus& bus) { bus.axis(u'3').params.runFreq = 3333; });
        rig.wire();
        rig.op.clear();
        rig.statusMessages.clear();
        rig.trigger("fileRestoreMachine");
        QCOMPARE(rig.op.shown.size(), 2);
        QCOMPARE(rig.op.shown.first().buttons, Operator::Buttons::YesNo);
        QVERIFY2(rig.op.shown.first().text.contains("3: AXIS3.OPM (TMW-2)"),
                 qPrintable(rig.op.shown.first().text));
        QCOMPARE(rig.lastText(), QStringLiteral("Restored: 0, 3, A\nNot restored: -"));
        QVERIFY(rig.statusMessages.contains("Restoring axis A..."));
        qint64 runFreq = 0;
        rig.host.withBus([&](sim::SimBus& bus) { runFreq = bus.axis(u'3').params.runFreq; });
        QCOMPARE(runFreq, 2000);
    }

    // Refused before anything is sent: a changed file; the operator's "No";
    // another device family. No axis is written.
    void refusals_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("asked");
        QTest::newRow("changed file") << "file" << false;
        QTest::newRow("answered no") << "no" << true;
        QTest::newRow("another family") << "family" << false;
    }
    void refusals() {
        QFETCH(QString, change);
        QFETCH(bool, asked);
        QTemporaryDir dir;
        Rig rig;
        QVERIFY(rig.start(dir.path()));
        rig.trigger("fileSaveAllAxes");
        if (change == "file") {
            QFile f(dir.filePath("AXIS0.OPM"));
            QVERIFY(f.open(QIODevice::Append));
            f.write("PF1\r\n");
        } else if (change == "no") {
            rig.op.answers = {Operator::Answer::No};
        } else {
            rig.host.withBus([](sim::SimBus& bus) { bus.axis(u'3').setFamily("RZH 8"); });
        }
        rig.wire();
        rig.op.clear();
        rig.trigger("fileRestoreMachine");
        QCOMPARE(rig.writes(), QStringList());
        bool questioned = false;
        for (const Operator::Message& m : rig.op.shown)
            questioned = questioned || m.buttons == Operator::Buttons::YesNo;
        QCOMPARE(questioned, asked);
        if (!asked)
            QCOMPARE(rig.op.shown.last().icon, Operator::Icon::Error);
    }
};

QTEST_MAIN(TestMachineWindow)
#include "tst_machinewindow.moc"
