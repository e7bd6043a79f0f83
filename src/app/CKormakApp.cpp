#include "app/CKormakApp.h"

#include "app/AxisBar.h"
#include "app/CMainFrame.h"
#include "base/BusyState.h"
#include "base/Texts.h"

#include <QCommandLineParser>
#include <QDataStream>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

CKormakApp::CKormakApp(int& argc, char** argv) : QApplication(argc, argv) {
    setOrganizationName(QStringLiteral("Veltrax GmbH"));
    setApplicationName(QStringLiteral("Kormak"));
    setApplicationVersion(QStringLiteral(KORMAK_VERSION));
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

int CKormakApp::initInstance() {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configure, test and program stepper-motor controller axes."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Offer PORT in the port list and select it: a device path, a system port "
                       "name, or \"Simulator\" (also \"sim\"). May be given more than once."),
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
    parser.process(*this);

    QStringList opens;
    for (const QString& f : parser.values(openOption))
        opens << QFileInfo(f).absoluteFilePath();

    // A second start hands its files to the running program and ends.
    if (!opens.isEmpty()) {
        QLocalSocket socket;
        socket.connectToServer(serverName());
        if (socket.waitForConnected(500)) {
            QDataStream out(&socket);
            out << opens;
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return 0;
        }
    }

    server_ = new QLocalServer(this);
    if (!server_->listen(serverName())) {
        // A stale socket of a program that ended without cleaning up.
        QLocalServer::removeServer(serverName());
        server_->listen(serverName());
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            connect(s, &QLocalSocket::readyRead, this, [this, s] {
                QDataStream in(s);
                in.startTransaction();
                QStringList files;
                in >> files;
                if (!in.commitTransaction())
                    return;
                requestOpen(files);
            });
        }
    });

    CMainFrame::Options options;
    for (QString p : parser.values(portOption)) {
        if (p == QLatin1String("sim"))
            p = QStringLiteral("Simulator");
        options.ports << p;
    }
    if (!options.ports.isEmpty())
        options.selectPort = options.ports.last();
    frame_ = std::make_unique<CMainFrame>(options);
    frame_->resize(1200, 860);
    frame_->showMaximized();

    retry_ = new QTimer(this);
    retry_->setInterval(300);
    connect(retry_, &QTimer::timeout, this, &CKormakApp::servePendingOpens);

    const QString axis = parser.value(axisOption).toUpper();
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
    pendingOpens_ << files;
    servePendingOpens();
}

void CKormakApp::servePendingOpens() {
    // Requests wait while a dialog is open or a long operation runs.
    if (!frame_ || BusyState::isBusy() || activeModalWidget() || frame_->openingFile()) {
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
