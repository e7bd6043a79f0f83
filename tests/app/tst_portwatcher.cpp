// The port list of the axis bar: a port typed into it is taken only when it
// can be one, and never while an online panel holds an index into the list.
#include "ScriptedOperator.h"
#include "app/PortWatcher.h"
#include "base/MessageIds.h"
#include "base/Texts.h"
#include "link/LinkSettings.h"
#include "link/SerialLink.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestPortWatcher : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

private slots:
    void initTestCase() {
        // Settings of the tests stay away from the user's own.
        QVERIFY(home_.isValid());
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        Texts::setLanguage(Texts::Language::English);
    }

    void init() { QFile::remove(home_.path() + QStringLiteral("/Veltrax GmbH/Kormak.conf")); }

    void typedPort_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("panelOnline");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<int>("messageId"); // -1: none, 0: a text of its own
        QTest::newRow("network port") << "socket://localhost:4001" << false << true << -1;
        QTest::newRow("rfc2217 port") << "rfc2217://10.0.0.7:2217" << false << true << -1;
        QTest::newRow("device that exists") << "/dev/null" << false << true << -1;
        QTest::newRow("network port out of range")
            << "socket://localhost:70000" << false << false << 0;
        QTest::newRow("network port without a number")
            << "rfc2217://localhost" << false << false << 0;
        QTest::newRow("device that does not exist")
            << "/dev/ttyKormakNone0" << false << false << MessageId::PortNotOpened;
        QTest::newRow("bare name") << "COM3" << false << false << MessageId::PortNotOpened;
        QTest::newRow("while an online panel is open")
            << "socket://localhost:4001" << true << false << -1;
    }
    void typedPort() {
        QFETCH(QString, typed);
        QFETCH(bool, panelOnline);
        QFETCH(bool, taken);
        QFETCH(int, messageId);
        ScriptedOperator op;
        SerialLink link(op);
        PortWatcher watcher(link, op, {}, {}, [panelOnline] { return panelOnline; });
        const QStringList before = link.ports();
        const QString selectedBefore = link.selectedPort();
        QSignalSpy shown(&watcher, &PortWatcher::portsChanged);

        watcher.addTyped(typed);

        // The bar takes the list again either way: a refused name leaves it.
        QVERIFY(!shown.isEmpty());
        QCOMPARE(link.ports().contains(typed), taken);
        QCOMPARE(link.selectedPort(), taken ? typed : selectedBefore);
        QCOMPARE(LinkSettings::rememberedPorts().contains(typed), taken);
        if (taken)
            QCOMPARE(LinkSettings::activeCom(), link.portIndex());
        else
            QCOMPARE(link.ports(), before);
        if (messageId < 0) {
            QVERIFY(op.shown.isEmpty());
        } else {
            QCOMPARE(op.shown.size(), 1);
            QCOMPARE(op.shown.first().textId, messageId);
            QCOMPARE(op.shown.first().icon, Operator::Icon::Error);
            if (messageId == 0)
                QVERIFY(op.shown.first().text.contains(typed));
        }
    }

    // A port typed once is offered again at the next start while it exists.
    void typedPortIsOfferedAtTheNextStart() {
        ScriptedOperator op;
        {
            SerialLink link(op);
            PortWatcher watcher(link, op, {}, {}, {});
            watcher.addTyped(QStringLiteral("socket://localhost:4001"));
        }
        SerialLink link(op);
        PortWatcher watcher(link, op, {}, {}, {});
        QVERIFY(link.ports().contains(QStringLiteral("socket://localhost:4001")));
        QCOMPARE(link.selectedPort(), QStringLiteral("socket://localhost:4001"));
    }
};

QTEST_MAIN(TestPortWatcher)
#include "tst_portwatcher.moc"
