#include "app/CKormakApp.h"

#include "app/AxisBar.h"
#include "app/CMainFrame.h"
#include "base/BusyState.h"
#include "base/Texts.h"

#include "app/OpenRequestServer.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>

CKormakApp::CKormakApp(int& argc, char** argv) : QApplication(argc, argv) {
    setIdentity(*this);
    setWindowIcon(QIcon(QStringLiteral(":/kormak.png")));
    Texts::setLanguage(Texts::platformLanguage());
}

CKormakApp::~CKormakApp() {
    frame_.reset();
}

QString CKormakApp::serverName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = QStringLiteral("user");
    return QStringLiteral("kormak-%1").arg(user);
}

void CKormakApp::setIdentity(QCoreApplication& app) {
    app.setOrganizationName(QStringLiteral("Veltrax GmbH"));
    app.setApplicationName(QStringLiteral("Kormak"));
    app.setApplicationVersion(QStringLiteral(KORMAK_VERSION));
}

CKormakApp::CommandLine CKormakApp::parseCommandLine(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configure, test and program stepper-motor controller axes."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Offer PORT in the port list and select it: a device path, a system port "
                       "name, a network port (rfc2217://HOST:PORT, socket://HOST:PORT), or "
                       "\"Simulator\" (also \"sim\"). May be given more than once."),
        QStringLiteral("PORT"));
    QCommandLineOption axisOption(
        QStringLiteral("axis"),
        QStringLiteral("Connect to axis A (0..9, A..F) at start and open its panel."),
        QStringLiteral("A"));
    QCommandLineOption openOption(
        QStringLiteral("open"),
        QStringLiteral("Open the parameter FILE in the running Kormak, or in this one when none "
                       "runs (used by the desktop's \"open with\")."),
        QStringLiteral("FILE"));
    parser.addOption(portOption);
    parser.addOption(axisOption);
    parser.addOption(openOption);
    // A file named without --open is not opened: only the desktop's request acts.
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("Ignored; use --open FILE to open a file."));
    // Help, version and mistakes are printed here and end the program.
    parser.process(app);

    CommandLine line;
    for (const QString& f : parser.values(openOption))
        line.opens << QFileInfo(f).absoluteFilePath();
    for (QString p : parser.values(portOption)) {
        if (p == QLatin1String("sim"))
            p = QStringLiteral("Simulator");
        line.ports << p;
    }
    line.axis = parser.value(axisOption).toUpper();
    return line;
}

int CKormakApp::initInstance() {
    const CommandLine line = parseCommandLine(*this);
    const QStringList& opens = line.opens;

    // A second start hands its files to the running program and ends.
    if (!opens.isEmpty() && OpenRequestServer::handOver(serverName(), opens))
        return 0;

    server_ = new OpenRequestServer(this);
    server_->listen(serverName());
    connect(server_, &OpenRequestServer::filesRequested, this, &CKormakApp::requestOpen);

    CMainFrame::Options options;
    options.ports = line.ports;
    if (!options.ports.isEmpty())
        options.selectPort = options.ports.last();
    frame_ = std::make_unique<CMainFrame>(options);
    frame_->resize(1200, 860);
    frame_->showMaximized();

    retry_ = new QTimer(this);
    retry_->setInterval(300);
    connect(retry_, &QTimer::timeout, this, &CKormakApp::servePendingOpens);

    const QString& axis = line.axis;
    if (!axis.isEmpty()) {
        const int k = int(QStringLiteral("0123456789ABCDEF").indexOf(axis));
        if (axis.size() != 1 || k < 0) {
            qWarning("kormak: --axis takes one of 0..9, A..F");
        } else {
            QTimer::singleShot(0, frame_.get(), [this, k] {
                frame_->axisBar()->setAxisPresent(k, true);
                frame_->ConnectToAxis(k);
            });
        }
    }
    if (!opens.isEmpty())
        QTimer::singleShot(0, this, [this, opens] { requestOpen(opens); });
    return -1;
}

void CKormakApp::requestOpen(const QStringList& files) {
    // A request that comes while a dialog is open is acknowledged and
    // ignored, as a file dropped then would be: the operator is busy with
    // something else, and the file must not pop up after the dialog.
    if (activeModalWidget())
        return;
    pendingOpens_ << files;
    servePendingOpens();
}

void CKormakApp::servePendingOpens() {
    // Accepted requests wait while a long operation runs, a file is being
    // opened or a dialog of that operation is up.
    if (!frame_ || BusyState::isBusy() || frame_->openingFile() || activeModalWidget()) {
        if (!pendingOpens_.isEmpty())
            retry_->start();
        return;
    }
    retry_->stop();
    const QStringList files = pendingOpens_;
    pendingOpens_.clear();
    for (const QString& f : files)
        frame_->OpenFile(f);
    frame_->raise();
    frame_->activateWindow();
}
