#pragma once

// The main window against a simulated bus, with the scripted operator in
// place of the message boxes: the rig of the window-level tests. The panel
// benchmarks use it with an operator of their own.
#include "ScriptedOperator.h"
#include "SimLine.h"
#include "app/CMainFrame.h"

#include <QStringList>
#include <memory>

template <typename Op> struct MainWindowRig : SimLine {
    Op op;
    std::unique_ptr<CMainFrame> frame;

    explicit MainWindowRig(const QString& axes = QStringLiteral("0123456789ABCDEF"))
        : SimLine(axes) {}

    // Starts the bus and shows the main window with its port selected.
    bool start() {
        if (!SimLine::start())
            return false;
        CMainFrame::Options o;
        o.ports = {port()};
        o.selectPort = port();
        o.op = &op;
        frame = std::make_unique<CMainFrame>(o);
        frame->show();
        return true;
    }
};

using ShellRig = MainWindowRig<ScriptedOperator>;
