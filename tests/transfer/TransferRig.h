#pragma once

// A simulated bus with a few axes behind the program's link, and the
// offline configuration of a parameter file, for loading and comparing.
#include "ScriptedOperator.h"
#include "SimLine.h"
#include "axis/AxisParameters.h"
#include "axis/CKormakDoc.h"
#include "axis/MemoryAreas.h"
#include "files/ParameterFile.h"
#include "link/SerialLink.h"

#include <QStringList>

// The table of ten ramps the file carries when it is not the controller's:
// the last group, "04B0", is 120000 Hz/s.
inline const QString FileTable =
    QStringLiteral("0064012C01F4028A03200384041A047E04B004B0FFFFFFFFFFFFFFFFFFFFFFFF");

// A parameter file as the writer makes it: the parameter block, the table
// two lines below its marker, then the PLC lines.
inline QStringList fileLines(const QString& marker, const QString& table,
                             const QStringList& plcLines, const QStringList& parameterLines = {}) {
    QStringList params = parameterLines;
    if (params.isEmpty())
        params = QStringList{"PD0", "PA1.2", "PR0.8", "PS0.3", "PF5000", "PG200000", "PH3",
                             "PL1", "PM10",  "PN2",   "PO500", "PP20",   "PT50",     "PW7"};
    QString text = QStringLiteral("; Kormak 01.01.2026\r\n; [TKV]\r\n;\r\n; [Parameter]\r\n;\r\n");
    for (const QString& p : params)
        text += p + QStringLiteral("\r\n");
    text += QStringLiteral(";\r\n; ") + marker +
            QStringLiteral("\r\n;\r\n; [bitte nicht \u00e4ndern   ]: ") + table +
            QStringLiteral("\r\n;\r\n");
    for (const QString& l : plcLines)
        text += l + QStringLiteral("\r\n");
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (QString& l : lines)
        l += QStringLiteral("\r\n");
    return lines;
}

inline const QString GermanMarker = QStringLiteral("[Beschleunigungstabelle]");

struct TransferRig : SimLine {
    ScriptedOperator op;
    SerialLink link{op};
    CKormakDoc doc;
    AxisParameters params;

    explicit TransferRig(const QString& axes = QStringLiteral("0356")) : SimLine(axes) {}

    bool open() { return openLink(link, QStringLiteral("OFFLINE")); }
    // The offline panel of a file, as opening it makes it.
    void load(const QStringList& lines) {
        doc.lineList = lines;
        params = AxisParameters{};
        ApplyFileLines(lines, params, doc);
    }
    QStringList addressesTalkedTo() const {
        QStringList list;
        for (const QString& line : host.log())
            if (!list.contains(line.left(1)))
                list << line.left(1);
        return list;
    }
};

inline QString lastText(const ScriptedOperator& op) {
    return op.shown.isEmpty() ? QString() : op.shown.last().text;
}
