#include "app/CMainFrame.h"
#include "app/Texts.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Veltrax GmbH"));
    QApplication::setApplicationName(QStringLiteral("Kormak"));
    QApplication::setApplicationVersion(QStringLiteral(KORMAK_VERSION));
    Texts::setLanguage(Texts::platformLanguage());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configure, test and program stepper-motor controller axes."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Offer PORT in the port list and select it (a device path, a system "
                       "port name, or \"Simulator\"). May be given more than once."),
        QStringLiteral("PORT"));
    parser.addOption(portOption);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Parameter file"));
    parser.process(app);

    CMainFrame::Options options;
    options.ports = parser.values(portOption);
    if (!options.ports.isEmpty())
        options.selectPort = options.ports.last();

    CMainFrame frame(options);
    frame.resize(1100, 760);
    frame.showMaximized();
    return app.exec();
}
