// The File menu's document commands around the panels: the recent files as
// they are kept and reopened, and files dropped onto the main window.
#include "ShellRig.h"
#include "app/CMainFrame.h"
#include "app/DocumentCommands.h"
#include "app/RecentFiles.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "base/BusyState.h"
#include "base/Texts.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>

class TestDocumentCommands : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

    static QString writeFile(const QTemporaryDir& dir, const QString& name) {
        const QString path = dir.filePath(name);
        QFile f(path);
        const QByteArray bytes = "PO400\r\nPF2000\r\n";
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return {};
        return path;
    }
    // Names in the temporary folder, in order.
    static QStringList paths(const QTemporaryDir& dir, const QString& names) {
        QStringList list;
        for (const QString& n : names.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            list << dir.filePath(n);
        return list;
    }
    static QStringList storedRecentFiles() {
        QSettings s(QStringLiteral("Veltrax GmbH"), QStringLiteral("Kormak"));
        QStringList list;
        for (int i = 1; i <= 6; ++i)
            if (const QString f =
                    s.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
                !f.isEmpty())
                list << f;
        return list;
    }
    static QStringList openFilePaths(CMainFrame& frame) {
        QStringList list;
        for (CKormakView* v : frame.panels())
            list << QFileInfo(v->document().filePath).fileName();
        return list;
    }
    // Drags mime onto the main window and lets go when the window takes it,
    // as the desktop does; true when it was taken.
    static bool drop(CMainFrame& frame, const QMimeData& mime) {
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        enter.ignore();
        QCoreApplication::sendEvent(&frame, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent event(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &event);
        return true;
    }

private slots:
    void initTestCase() {
        // Settings of the tests stay away from the user's own.
        QVERIFY(home_.isValid());
        qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
        Texts::setLanguage(Texts::Language::English);
    }

    void init() { QFile::remove(home_.path() + QStringLiteral("/Veltrax GmbH/Kormak.conf")); }

    void recentFilesKeepTheLatestFourOnce_data() {
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("listed");
        QTest::newRow("latest first") << "A B C"
                                      << "C B A";
        QTest::newRow("again moves to the top") << "A B C B"
                                                << "B C A";
        QTest::newRow("fifth pushes the oldest out") << "A B C D E"
                                                     << "E D C B";
        QTest::newRow("the oldest again after five") << "A B C D E A"
                                                     << "A E D C";
        QTest::newRow("same file by another spelling") << "A B ./A"
                                                       << "A B";
    }
    void recentFilesKeepTheLatestFourOnce() {
        QFETCH(QString, added);
        QFETCH(QString, listed);
        QTemporaryDir dir;
        {
            RecentFiles recent;
            QVERIFY(recent.files().isEmpty());
            for (const QString& p : paths(dir, added))
                recent.add(p);
            QCOMPARE(recent.files(), paths(dir, listed));
        }
        // What a later start lists, and nothing left over under older keys.
        QCOMPARE(RecentFiles().files(), paths(dir, listed));
        QCOMPARE(storedRecentFiles(), paths(dir, listed));
    }

    void recentFileIsStoredWithItsWholePath() {
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        RecentFiles recent;
        recent.add(QStringLiteral("A.OPM"));
        QDir::setCurrent(before);
        QCOMPARE(RecentFiles().files(), QStringList{dir.filePath(QStringLiteral("A.OPM"))});
    }

    // A file that is gone leaves the list; one that is there but cannot be
    // read stays, and the operator is told in both cases.
    void reopeningARecentFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QString>("listedAfter");
        QTest::newRow("readable") << "file" << true << "B.OPM A.OPM";
        QTest::newRow("gone") << "gone" << false << "A.OPM";
        QTest::newRow("a folder now") << "folder" << false << "A.OPM B.OPM";
    }
    void reopeningARecentFile() {
        QFETCH(QString, kind);
        QFETCH(bool, opened);
        QFETCH(QString, listedAfter);
        QTemporaryDir dir;
        const QString b = writeFile(dir, QStringLiteral("B.OPM"));
        {
            RecentFiles recent;
            recent.add(b);
            recent.add(writeFile(dir, QStringLiteral("A.OPM")));
        }
        if (kind != QLatin1String("file"))
            QVERIFY(QFile::remove(b));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("B.OPM")));

        ShellRig rig;
        QVERIFY(rig.start());
        DocumentCommands& documents = rig.frame->documents();
        documents.openRecent(1);
        QCOMPARE(openFilePaths(*rig.frame),
                 opened ? QStringList{QStringLiteral("B.OPM")} : QStringList{});
        QCOMPARE(rig.op.shownIds().contains(61697), !opened);
        QCOMPARE(documents.recentFiles(), paths(dir, listedAfter));
        QCOMPARE(storedRecentFiles(), paths(dir, listedAfter));
        // Nothing was opened: the link is where it was, not offline.
        if (!opened)
            QVERIFY(!rig.frame->link().currentAddress().contains(QLatin1String("OFFLINE")));
    }

    void droppedFilesOpen_data() {
        QTest::addColumn<QString>("dropped");
        QTest::addColumn<bool>("busy");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("open");
        QTest::newRow("one file") << "A.OPM" << false << true << "A.OPM";
        QTest::newRow("two files") << "A.OPM B.OPM" << false << true << "A.OPM B.OPM";
        QTest::newRow("a file open already") << "A.OPM A.OPM" << false << true << "A.OPM";
        QTest::newRow("not a local file") << "http://example.org/A.OPM" << false << true << "";
        QTest::newRow("text, no file") << "" << false << false << "";
        QTest::newRow("while a long operation runs") << "A.OPM" << true << true << "";
    }
    void droppedFilesOpen() {
        QFETCH(QString, dropped);
        QFETCH(bool, busy);
        QFETCH(bool, taken);
        QFETCH(QString, open);
        QTemporaryDir dir;
        writeFile(dir, QStringLiteral("A.OPM"));
        writeFile(dir, QStringLiteral("B.OPM"));
        QMimeData mime;
        if (dropped.isEmpty()) {
            mime.setText(dir.filePath(QStringLiteral("A.OPM")));
        } else {
            QList<QUrl> urls;
            for (const QString& d : dropped.split(QLatin1Char(' ')))
                urls << (d.contains(QLatin1Char(':')) ? QUrl(d)
                                                      : QUrl::fromLocalFile(dir.filePath(d)));
            mime.setUrls(urls);
        }
        ShellRig rig;
        QVERIFY(rig.start());
        {
            std::unique_ptr<BusyGuard> guard;
            if (busy)
                guard = std::make_unique<BusyGuard>();
            QCOMPARE(drop(*rig.frame, mime), taken);
        }
        QCOMPARE(openFilePaths(*rig.frame), open.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        // No dropped file was refused as unreadable.
        QVERIFY(!rig.op.shownIds().contains(61697));
    }
};

QTEST_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
