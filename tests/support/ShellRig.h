#pragma once

// The main window against a simulated bus, with the scripted operator in
// place of the message boxes: the rig of the window-level tests.
#include "Referee.h"
#include "ScriptedOperator.h"
#include "app/CMainFrame.h"
#include "sim/SimHost.h"

#include <QStringList>
#include <memory>

struct ShellRig {
    ScriptedOperator op;
    RefereedHost host;
    std::unique_ptr<CMainFrame> frame;
    Referee& referee = host.referee;

    explicit ShellRig(const QString& axes = QStringLiteral("0123456789ABCDEF")) : host(axes) {}

    // Starts the bus and shows the main window with its port selected.
    bool start() {
        if (!host.start())
            return false;
        CMainFrame::Options o;
        o.ports = {host.slavePath()};
        o.selectPort = host.slavePath();
        o.op = &op;
        frame = std::make_unique<CMainFrame>(o);
        frame->show();
        return true;
    }
    // What the bus received since the last look.
    QStringList wire() {
        QStringList l = host.log();
        host.clearLog();
        return l;
    }
};
