// Files the desktop or a second start asks the running Kormak to open: taken
// when the operator is free, dropped while a dialog is up, so that no file
// pops up behind the answer the operator is giving.
#include "app/CKormakApp.h"
#include "app/CMainFrame.h"
#include "axis/CKormakView.h"
#include "base/Texts.h"

#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

CKormakApp* app() {
    return static_cast<CKormakApp*>(QCoreApplication::instance());
}

QString writeFile(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QFile f(path);
    // A whole parameter block: a damaged file would bring up a warning.
    const QByteArray block = "PD0\r\nPA1\r\nPR2\r\nPS1\r\nPF2000\r\nPG8000\r\nPH0\r\nPL0\r\n"
                             "PM0\r\nPN0\r\nPO400\r\nPP0\r\nPT20\r\nPW0\r\n";
    if (!f.open(QIODevice::WriteOnly) || f.write(block) != block.size())
        return {};
    return path;
}

} // namespace

class TestOpenRequests : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        Texts::setLanguage(Texts::Language::English);
        QCOMPARE(app()->initInstance(), -1);
        QVERIFY(app()->mainFrame());
    }

    void cleanup() {
        for (CKormakView* panel : app()->mainFrame()->panels())
            app()->mainFrame()->closePanelWindow(panel);
        QTRY_VERIFY(app()->mainFrame()->panels().isEmpty());
    }

    void takenWhenTheOperatorIsFree() {
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("FREE.OPM"));
        QVERIFY(!path.isEmpty());
        app()->requestOpen({path});
        QTRY_COMPARE(app()->mainFrame()->panels().size(), 1);
        QVERIFY(app()->mainFrame()->activeChildTitle().contains(QLatin1String("FREE.OPM")));
    }

    void droppedWhileADialogIsUp() {
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("LATE.OPM"));
        QVERIFY(!path.isEmpty());
        QMessageBox box(QMessageBox::Question, QStringLiteral("Kormak"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No, app()->mainFrame());
        bool askedDuringDialog = false;
        QTimer::singleShot(50, &box, [&] {
            askedDuringDialog = QApplication::activeModalWidget() == &box;
            app()->requestOpen({path});
            // Long enough for the retry of pending requests to have run.
            QTimer::singleShot(700, &box, [&box] { box.done(QMessageBox::No); });
        });
        box.exec();
        QVERIFY(askedDuringDialog);
        QTest::qWait(700);
        QVERIFY(app()->mainFrame()->panels().isEmpty());
    }
};

int main(int argc, char** argv) {
    // A server name of this test's own, beside any Kormak that runs here.
    qputenv("USER",
            QByteArray("kormak-test-") + QByteArray::number(QCoreApplication::applicationPid()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    CKormakApp a(appArgc, argv);
    TestOpenRequests test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_openrequests.moc"
