// The folders of src/ depend one way: cli, app -> files, plc, report -> drive
// -> axis -> link -> base; sim stands apart (it is the other end of the wire),
// and only app and cli may start it. Inside a folder, the procedures (the
// sources of the library kormak_<folder>) use no widgets: no header of a widget file and no Qt
// header outside QtCore, QtSerialPort and QtNetwork.
//
// The build already refuses a header of a folder above (each library sees only
// its own folder and those below it); this test says which include broke the
// order in one list, and also catches what the include roots cannot: a
// procedure that includes a widget header of its own folder.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

// The folders each folder may include besides itself.
const QHash<QString, QStringList>& allowedBelow() {
    static const QHash<QString, QStringList> map = {
        {"base", {}},
        {"link", {"base"}},
        {"widgets", {"base"}},
        {"axis", {"widgets", "link", "base"}},
        {"drive", {"widgets", "axis", "link", "base"}},
        {"files", {"widgets", "drive", "axis", "link", "base"}},
        {"plc", {"widgets", "drive", "axis", "link", "base"}},
        {"report", {"widgets", "drive", "axis", "link", "base"}},
        {"app", {"widgets", "files", "plc", "report", "drive", "axis", "link", "base", "sim"}},
        {"cli", {"files", "plc", "report", "drive", "axis", "link", "base", "sim"}},
        {"sim", {}},
    };
    return map;
}

// Why the include of header (a path below src/) from a file in folder is
// wrong; empty when it is allowed.
QString includeFault(const QString& folder, const QString& header) {
    const auto& map = allowedBelow();
    if (!map.contains(folder))
        return QStringLiteral("the folder %1 has no place in the order").arg(folder);
    const qsizetype slash = header.indexOf(QLatin1Char('/'));
    if (slash <= 0)
        return {}; // a header of the same folder, named without it
    const QString target = header.left(slash);
    if (target == folder || !map.contains(target))
        return {};
    if (!map.value(folder).contains(target))
        return QStringLiteral("%1 may not include %2").arg(folder, target);
    return {};
}

// The headers every line of a source names in quotes, and those in angle brackets.
void includesOf(const QString& path, QStringList* quoted, QStringList* angled) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    static const QRegularExpression re(QStringLiteral(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])"));
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine());
        const QRegularExpressionMatch m = re.match(line);
        if (!m.hasMatch())
            continue;
        (m.captured(1) == QLatin1String("\"") ? quoted : angled)->append(m.captured(2));
    }
}

// The sources a CMakeLists.txt gives to the library target, by file name.
QSet<QString> sourcesOf(const QString& cmakeLists, const QString& target) {
    QFile f(cmakeLists);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(f.readAll());
    QSet<QString> files;
    const QRegularExpression block(
        QStringLiteral(R"(target_sources\(\s*%1\s+PRIVATE([^)]*)\))").arg(target));
    for (auto it = block.globalMatch(text); it.hasNext();) {
        QString body = it.next().captured(1);
        body.remove(QRegularExpression(QStringLiteral("#[^\n]*")));
        for (const QString& name :
             body.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            files.insert(name);
    }
    return files;
}

// True when the Qt header (e.g. "QTimer") belongs to a module the procedures may use.
bool coreQtHeader(const QString& header) {
    static const QString root = QLibraryInfo::path(QLibraryInfo::HeadersPath);
    if (header.contains(QLatin1Char('/')))
        return header.startsWith(QLatin1String("QtCore/")) ||
               header.startsWith(QLatin1String("QtSerialPort/")) ||
               header.startsWith(QLatin1String("QtNetwork/"));
    for (const char* module : {"QtCore", "QtSerialPort", "QtNetwork"})
        if (QFileInfo::exists(root + QLatin1Char('/') + QLatin1String(module) + QLatin1Char('/') +
                              header))
            return true;
    return false;
}

// True when the header is one Qt provides at all (so a standard header is not judged).
bool qtHeader(const QString& header) {
    static const QString root = QLibraryInfo::path(QLibraryInfo::HeadersPath);
    if (!header.startsWith(QLatin1Char('Q')))
        return false;
    if (header.contains(QLatin1Char('/')))
        return true;
    const QDir dir(root);
    for (const QString& module : dir.entryList({QStringLiteral("Qt*")}, QDir::Dirs))
        if (QFileInfo::exists(root + QLatin1Char('/') + module + QLatin1Char('/') + header))
            return true;
    return false;
}

} // namespace

class TestLayers : public QObject {
    Q_OBJECT

private slots:
    void rule_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("header");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("same folder") << "axis"
                                     << "axis/MemoryAreas.h" << true;
        QTest::newRow("one down") << "axis"
                                  << "link/SerialLink.h" << true;
        QTest::newRow("all the way down") << "app"
                                          << "base/Texts.h" << true;
        QTest::newRow("one up") << "axis"
                                << "drive/Currents.h" << false;
        QTest::newRow("base reaches up") << "base"
                                         << "link/SerialLink.h" << false;
        QTest::newRow("siblings: files to plc") << "files"
                                                << "plc/PlcArea.h" << false;
        QTest::newRow("siblings: report to files") << "report"
                                                   << "files/ParameterFile.h" << false;
        QTest::newRow("siblings: cli to app") << "cli"
                                              << "app/CMainFrame.h" << false;
        QTest::newRow("app starts the simulator") << "app"
                                                  << "sim/SimHost.h" << true;
        QTest::newRow("a procedure starts it") << "files"
                                               << "sim/SimHost.h" << false;
        QTest::newRow("the simulator uses the link") << "sim"
                                                     << "link/SerialLink.h" << false;
        QTest::newRow("a panel shows a lamp") << "axis"
                                              << "widgets/StatusLamp.h" << true;
        QTest::newRow("shared widgets reach up") << "widgets"
                                                 << "axis/CKormakView.h" << false;
        QTest::newRow("the link has no widgets") << "link"
                                                 << "widgets/StatusLamp.h" << false;
        QTest::newRow("a folder out of order") << "widgets2"
                                               << "base/Texts.h" << false;
    }
    void rule() {
        QFETCH(QString, folder);
        QFETCH(QString, header);
        QFETCH(bool, allowed);
        QCOMPARE(includeFault(folder, header).isEmpty(), allowed);
    }

    void includesFollowTheOrder() {
        const QDir src(QStringLiteral(KORMAK_SOURCE_DIR "/src"));
        QVERIFY(src.exists());
        QStringList faults;
        int files = 0;
        for (const QString& folder : src.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QDirIterator it(src.filePath(folder), {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                            QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                ++files;
                QStringList quoted, angled;
                includesOf(path, &quoted, &angled);
                for (const QString& h : quoted) {
                    const QString why = includeFault(folder, h);
                    if (!why.isEmpty())
                        faults << QStringLiteral("%1: \"%2\": %3")
                                      .arg(src.relativeFilePath(path), h, why);
                }
            }
        }
        QVERIFY(files > 100);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // A procedure includes neither a widget file of the program nor a Qt
    // header outside the modules the procedures' libraries link.
    void proceduresUseNoWidgets() {
        const QDir src(QStringLiteral(KORMAK_SOURCE_DIR "/src"));
        QHash<QString, QString> widgetHeaders; // "widgets/StatusLamp.h"
        QHash<QString, QSet<QString>> coreFiles;
        for (const QString& folder : src.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (folder == QLatin1String("app"))
                continue; // the windows alone: its one library, kormak_app, is all widgets
            const QString lists = src.filePath(folder + QStringLiteral("/CMakeLists.txt"));
            if (folder == QLatin1String("widgets")) {
                for (const QString& f : sourcesOf(lists, QStringLiteral("kormak_widgets")))
                    if (f.endsWith(QLatin1String(".h")))
                        widgetHeaders.insert(folder + QLatin1Char('/') + f, folder);
                continue;
            }
            coreFiles.insert(folder, sourcesOf(lists, QStringLiteral("kormak_") + folder));
            for (const QString& f : sourcesOf(lists, QStringLiteral("kormak_%1_ui").arg(folder)))
                if (f.endsWith(QLatin1String(".h")))
                    widgetHeaders.insert(folder + QLatin1Char('/') + f, folder);
        }
        QVERIFY(!widgetHeaders.isEmpty());
        QStringList faults;
        int checked = 0;
        for (auto it = coreFiles.cbegin(); it != coreFiles.cend(); ++it) {
            for (const QString& name : it.value()) {
                const QString rel = it.key() + QLatin1Char('/') + name;
                ++checked;
                QStringList quoted, angled;
                includesOf(src.filePath(rel), &quoted, &angled);
                for (const QString& h : quoted)
                    if (widgetHeaders.contains(h))
                        faults << QStringLiteral("%1: \"%2\" is a widget file").arg(rel, h);
                for (const QString& h : angled)
                    if (qtHeader(h) && !coreQtHeader(h))
                        faults << QStringLiteral("%1: <%2> is no QtCore, QtSerialPort or "
                                                 "QtNetwork header")
                                      .arg(rel, h);
            }
        }
        QVERIFY(checked > 50);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestLayers)
#include "tst_layers.moc"
