// CKormakApp: the program: command line, one instance per user.
// Procedures: app/OpenRequestServer. Tests: tests/app/tst_startup, tst_openrequests.
#pragma once

#include <QApplication>
#include <QStringList>
#include <memory>

class CMainFrame;
class OpenRequestServer;
class QTimer;

// The application: parses the command line, makes one program per user the
// one that opens parameter files from the desktop, and owns the main window.
class CKormakApp : public QApplication {
    Q_OBJECT
public:
    CKormakApp(int& argc, char** argv);
    ~CKormakApp() override;

    // Returns the exit code when this start is done already (help, or the
    // files were handed to the running program), else -1.
    int initInstance();
    CMainFrame* mainFrame() const { return frame_.get(); }

    // What the command line asks for.
    struct CommandLine {
        QStringList ports; // --port, "sim" given as "Simulator"
        QString axis;      // --axis, upper case
        QStringList opens; // --open, absolute paths
    };
    // Parses the command line of app; prints help, the version or a mistake
    // and ends the process where the line asks for that. Needs no display.
    static CommandLine parseCommandLine(const QCoreApplication& app);
    static void setIdentity(QCoreApplication& app);

    // A request to open files from the desktop or a second start.
    void requestOpen(const QStringList& files);

private:
    void servePendingOpens();
    static QString serverName();

    std::unique_ptr<CMainFrame> frame_;
    OpenRequestServer* server_ = nullptr;
    QTimer* retry_ = nullptr;
    QStringList pendingOpens_;
};
