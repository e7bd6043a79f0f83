#include "app/CKormakApp.h"
#include "base/FileIo.h"
#include "link/PortDiscovery.h"

int main(int argc, char** argv) {
    // Before Qt opens anything, so that none of its files or pipes becomes a
    // standard descriptor that was closed when the program started.
    FileIo::reopenClosedStandardDescriptors(false);
    // Help, the version and command-line mistakes are answered before the
    // window system is touched, so they work without a display.
    {
        QCoreApplication plain(argc, argv);
        CKormakApp::setIdentity(plain);
        CKormakApp::parseCommandLine(plain);
    }
    // The port list is ready by the time the window asks for it, while the
    // window system is still being connected.
    PrefetchSystemPorts();
    CKormakApp app(argc, argv);
    const int done = app.initInstance();
    if (done >= 0)
        return done;
    return app.exec();
}
