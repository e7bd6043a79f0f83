#include "axis/AxisParameters.h"
#include "axis/AxisReading.h"
#include "axis/CKormakDoc.h"
#include "base/Texts.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "files/ParameterFile.h"

#include <cstdio>

namespace {

void printValue(const char* code, const QString& value) {
    const QString c = QString::fromLatin1(code);
    printLine(value.isEmpty() ? c : c + QLatin1Char(' ') + value);
}

QString selection(int index, int base = 10) {
    return index < 0 ? QString() : QString::number(index, base).toUpper();
}

} // namespace

int runSave(CliContext& ctx, const QStringList& args) {
    QString address;
    QString file;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--address")) {
            if (i + 1 >= args.size())
                return usageError(QStringLiteral("--address needs a value"));
            address = args.at(++i).toUpper();
        } else if (a.startsWith(QLatin1String("--"))) {
            return usageError(QStringLiteral("unknown option %1").arg(a));
        } else if (file.isEmpty()) {
            file = a;
        } else {
            return usageError(QStringLiteral("save takes one FILE"));
        }
    }
    if (address.size() != 1 || !QStringLiteral("0123456789ABCDEF").contains(address))
        return usageError(QStringLiteral("save --address A FILE (A is one of 0..9, A..F)"));
    if (file.isEmpty())
        return usageError(QStringLiteral("save needs a FILE"));
    if (!ctx.openPort())
        return ExitFailed;
    ctx.link.setCurrentAddress(address);

    // The file lists the ramps as a panel of this axis shows them, so read the
    // axis as the panel does before saving it.
    AxisParameters params;
    CKormakDoc doc;
    if (!ReadAxisConfiguration(ctx.link, ctx.op, params, doc))
        return ExitFailed;
    QString fileError;
    if (!WriteParameterFile(file, ctx.link, ctx.op, params, doc, &fileError)) {
        if (!fileError.isEmpty())
            std::fprintf(stderr, "kormakctl: %s: %s\n", file.toLocal8Bit().constData(),
                         fileError.toLocal8Bit().constData());
        return ExitFailed;
    }
    return ExitOk;
}

int runShow(CliContext& /*ctx*/, const QStringList& args) {
    if (args.size() != 1 || args.first().startsWith(QLatin1String("--")))
        return usageError(QStringLiteral("show takes one FILE"));
    CKormakDoc doc;
    if (!ReadFileLines(args.first(), doc)) {
        std::fprintf(stderr, "kormakctl: %s: %s\n", args.first().toLocal8Bit().constData(),
                     Texts::text(61697).toLocal8Bit().constData());
        return ExitFailed;
    }
    // What an offline panel opened from this file shows.
    AxisParameters params;
    if (!doc.lineList.isEmpty())
        ApplyFileLines(doc.lineList, params, doc);

    printValue("PD", selection(params.operatingMode));
    printValue("PA", doc.boostCurrent);
    printValue("PR", doc.runCurrent);
    printValue("PS", doc.stopCurrent);
    printValue("PF", params.runFreq);
    printValue("PG", params.axisLimit);
    printValue("PL", selection(params.systemType));
    printValue("PM", params.zeroOffsetMinus);
    printValue("PN", selection(params.rampIndex, 16));
    printValue("PO", params.startStopFreq);
    printValue("PP", params.zeroOffsetPlus);
    printValue("PT", doc.boostTime);
    printValue("PW", params.backlash);
    printValue("TYPE", params.deviceType);
    for (const QString& ramp : params.rampList)
        printValue("RAMP", ramp);
    printValue("RAMPSEL", params.rampIndex >= 0 && params.rampIndex < params.rampList.size()
                              ? params.rampList.at(params.rampIndex)
                              : QString());
    return ExitOk;
}
