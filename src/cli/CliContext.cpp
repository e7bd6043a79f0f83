#include "cli/CliContext.h"

#include "base/Texts.h"
#include "link/LinkSettings.h"
#include "link/PortDiscovery.h"
#ifdef KORMAK_WITH_SIMULATOR
#include "sim/SimHost.h"
#endif

#include <cstdio>

CliContext::CliContext() : link(op) {}

CliContext::~CliContext() {
    if (link.portOpen())
        link.TogglePort();
}

bool CliContext::openPort() {
    QStringList extra;
    QString wanted;
    if (portArg.isEmpty()) {
        extra = LinkSettings::rememberedPorts();
    } else if (portArg == QLatin1String("sim")) {
        wanted = SerialLink::simulatorEntry();
    } else {
        extra << portArg;
        wanted = portArg;
    }
    link.setPorts(DiscoverPorts(extra));
    link.setPortIndex(wanted.isEmpty() ? LinkSettings::activeCom() : link.ports().indexOf(wanted));
    link.setBaudIndex(baudIndex >= 0 ? baudIndex : LinkSettings::baud());
#ifdef KORMAK_WITH_SIMULATOR
    link.setSimulatorProvider([this]() -> QString {
        if (!simulator_) {
            auto host = std::make_unique<sim::SimHost>();
            if (!host->start())
                return {};
            simulator_ = std::move(host);
        }
        return simulator_->slavePath();
    });
#endif
    if (!link.portOpen() && !link.TogglePort()) {
        op.error(10104);
        return false;
    }
    return true;
}

int usageError(const QString& text) {
    std::fprintf(stderr, "kormakctl: %s\nTry 'kormakctl --help'.\n",
                 text.toLocal8Bit().constData());
    return ExitUsage;
}

void printLine(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
