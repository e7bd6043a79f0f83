#pragma once

// The program's main window offscreen on a simulated bus of sixteen axes, all
// of them connected through their buttons; shared by the panel benchmarks.
#include "ShellRig.h"
#include "app/AxisBar.h"
#include "app/CMainFrame.h"
#include "base/Operator.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <sys/resource.h>

class RecordingOperator : public Operator {
public:
    int messages = 0;
    QStringList texts;
    Answer show(const Message& m) override {
        ++messages;
        texts << (m.text.isEmpty() ? QString::number(m.textId) : m.text);
        return m.buttons == Buttons::YesNo || m.buttons == Buttons::YesNoCancel ? Answer::No
                                                                                : Answer::Ok;
    }
    void progressShow(const QString&, int, int) override {}
    void progressStep() override {}
    void progressHide() override {}
    void wait(int) override {}
    void pumpEvents() override {}
};

inline double processCpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec * 1e3 + u.ru_utime.tv_usec / 1e3 + u.ru_stime.tv_sec * 1e3 +
           u.ru_stime.tv_usec / 1e3;
}

inline double residentMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

inline qint64 liveHeapBytes() {
    const struct mallinfo2 m = mallinfo2();
    return qint64(m.uordblks + m.hblkhd);
}

// The main window on a simulated bus whose line takes as long as a real one
// (as the program's own simulator does), with the recording operator in place
// of the message boxes.
struct PanelRig : MainWindowRig<RecordingOperator> {
    bool start() {
        host.setWireTime(true);
        if (!MainWindowRig::start())
            return false;
        QCoreApplication::processEvents();
        return true;
    }
};

// Opens all sixteen panels through the axis buttons; false when one did not open.
inline bool openAllPanels(CMainFrame& frame) {
    for (int k = 0; k < 16; ++k)
        frame.axisBar()->setAxisPresent(k, true);
    for (int k = 0; k < 16; ++k)
        frame.axisAction(k)->trigger();
    return frame.panels().size() == 16;
}
