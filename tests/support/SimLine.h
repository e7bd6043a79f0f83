#pragma once

// The simulated bus on a real pty: the one way the tests and the benches start
// the simulator in their own process, reach its axes and read what it
// received. It serves as soon as start() returns; what the program puts on
// the other end (a link, the main window) is the rigs' part.
#include "Referee.h"
#include "link/SerialLink.h"
#include "sim/SimBus.h"
#include "sim/SimHost.h"

#include <QStringList>
#include <QtGlobal>
#include <functional>

// The host judges the commands the axes refused when the line goes (see Referee.h).
struct SimLine {
    // The rate the simulated axes listen at: 28800 Baud.
    static constexpr int AxisBaudIndex = 3;

    RefereedHost host;
    Referee& referee = host.referee;

    explicit SimLine(const QString& axes = QStringLiteral("0")) : host(axes) {}
    SimLine(const SimLine&) = delete;
    SimLine& operator=(const SimLine&) = delete;

    // Starts serving the pty (once; later calls find it running). False, with
    // a warning that says why, when the system gives no pty.
    bool start() {
        QString error;
        if (host.start(&error))
            return true;
        qWarning("The simulated bus did not start: %s", qPrintable(error));
        return false;
    }
    QString port() const { return host.slavePath(); }

    // Starts the bus and opens the program's link on it, talking to address.
    bool openLink(SerialLink& link, const QString& address = QStringLiteral("0"),
                  int baudIndex = AxisBaudIndex) {
        if (!start())
            return false;
        link.setPorts({port()});
        link.setBaudIndex(baudIndex);
        link.setCurrentAddress(address);
        return link.TogglePort();
    }

    // Runs fn with axis a while the bus is held still.
    void axis(QChar a, const std::function<void(sim::SimAxis&)>& fn) {
        host.withBus([&](sim::SimBus& bus) { fn(bus.axis(a)); });
    }

    // Every command the bus received since the log was last cleared, with its
    // axis in front ("3 IF?").
    QStringList log() const { return host.log(); }
    // The commands axis a received, in order, without the address.
    QStringList commandsOf(QChar a) const {
        QStringList list;
        for (const QString& line : host.log())
            if (line.at(0) == a)
                list << line.mid(2);
        return list;
    }
    // What the bus received since the last look.
    QStringList wire() {
        QStringList list = host.log();
        host.clearLog();
        return list;
    }
};
