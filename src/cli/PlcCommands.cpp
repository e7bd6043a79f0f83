#include "axis/MemoryAreas.h"
#include "base/Texts.h"
#include "base/Windows1252.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/RawFile.h"
#include "drive/ProgramPlcArea.h"
#include "plc/CycleProgram.h"
#include "plc/PlcArea.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

constexpr int TimeoutTextId = 10103;
constexpr int ProgramFailedId = 10114;

// The family of the addressed axis: true for the one with eight slots.
bool askEightSlots(CliContext& ctx, bool* eight) {
    const QString type = ctx.link.SendCommand(QStringLiteral("DO?"), true, Full);
    if (PseudoReply::is(type)) {
        ctx.link.reportFailure(ctx.op, TimeoutTextId);
        return false;
    }
    *eight = type.contains(QLatin1String("RZH"));
    return true;
}

int dump(CliContext& ctx) {
    bool eight = false;
    if (!askEightSlots(ctx, &eight))
        return ExitFailed;
    QStringList lines;
    for (int i = 0; i < PlcArea::slotCount(eight); ++i) {
        const QString text = ReadPlcSlot(ctx.link, i, eight);
        if (PseudoReply::is(text)) {
            ctx.link.reportFailure(ctx.op, TimeoutTextId);
            return ExitFailed;
        }
        if (!text.isEmpty())
            lines << QStringLiteral("%1 %2").arg(i, 2, 16, QLatin1Char('0')).toUpper().arg(text);
    }
    for (const QString& l : lines)
        printLine(l);
    return ExitOk;
}

// A listing as dump prints it ("NN text"), or the slot lines of a parameter
// file; the highest slot named is kept to check it against the area.
bool readListing(const QByteArray& bytes, QStringList* texts, int* highest, QString* error) {
    static const QRegularExpression listed(QStringLiteral("^([0-9A-Fa-f]{2}) (.*)$"));
    *texts = QStringList(PlcArea::SlotCount);
    *highest = -1;
    QStringList fileLines;
    const QStringList lines = fromWindows1252(bytes).split(u'\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (PlcArea::isSlotLine(line)) {
            fileLines << line + QStringLiteral("\r\n");
            continue;
        }
        const QRegularExpressionMatch m = listed.match(line);
        if (m.hasMatch()) {
            const int slot = m.captured(1).toInt(nullptr, 16);
            (*texts)[slot] = m.captured(2);
            *highest = qMax(*highest, slot);
            continue;
        }
        // A parameter file's other lines are none of the area's business.
        if (!fileLines.isEmpty() || line.isEmpty() || line.startsWith(u';') ||
            !QRegularExpression(QStringLiteral("^[0-9A-Fa-f]{2}")).match(line).hasMatch())
            continue;
        *error = QStringLiteral("line %1 is no slot line: %2").arg(n + 1).arg(line);
        return false;
    }
    if (!fileLines.isEmpty()) {
        const PlcArea::Slots area = PlcArea::FromLineList(fileLines);
        const QStringList fromFile = PlcArea::TextsToProgram(area);
        for (int i = 0; i < PlcArea::SlotCount; ++i) {
            if (fromFile.at(i).isEmpty())
                continue;
            (*texts)[i] = fromFile.at(i);
            *highest = qMax(*highest, i);
        }
    }
    return true;
}

int load(CliContext& ctx, const QString& address, const QByteArray& fileName, bool verify) {
    QByteArray bytes;
    if (!readRawFile(fileName, &bytes)) {
        printFileError(fileName, QStringLiteral("cannot be read"));
        return ExitFailed;
    }
    QStringList texts;
    int highest = -1;
    QString error;
    if (!readListing(bytes, &texts, &highest, &error))
        return usageError(error, "plc");
    if (!ctx.connectAxis(address))
        return ExitFailed;
    bool eight = false;
    if (!askEightSlots(ctx, &eight))
        return ExitFailed;
    if (highest >= PlcArea::slotCount(eight))
        return usageError(
            QStringLiteral("slot %1 is beyond the axis's %2 slots; nothing was written")
                .arg(highest, 2, 16, QLatin1Char('0'))
                .arg(PlcArea::slotCount(eight)),
            "plc");
    PlcAreaCheck check;
    check.readBack = verify;
    if (ProgramPlcArea(ctx.link, ctx.op, texts, eight, {}, &check) != PlcAreaDone) {
        if (check.clean())
            ctx.op.error(ProgramFailedId);
        else
            ctx.op.show(
                {0,
                 Texts::text(ProgramFailedId) + QLatin1Char('\n') + PlcAreaCheckText(check, eight),
                 0, Operator::Icon::Error, Operator::Buttons::Ok});
        return ExitFailed;
    }
    return ExitOk;
}

} // namespace

void declarePlc(QCommandLineParser& parser) {
    parser.addOption({QStringLiteral("address"), QStringLiteral("The axis, 0..9 or A..F."),
                      QStringLiteral("A")});
    parser.addPositionalArgument(
        QStringLiteral("dump|load"),
        QStringLiteral("dump: print the non-empty PLC slots as \"NN text\" (NN hexadecimal). "
                       "load FILE: program the area from such a listing, or from the "
                       "\"EW\"/\"WU\" lines of a parameter file."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The listing to load."),
                                 QStringLiteral("[FILE]"));
    parser.addOption({QStringLiteral("verify"),
                      QStringLiteral("load: read each written slot back and fail naming every "
                                     "slot that does not hold its text.")});
}

int runPlc(CliContext& ctx, const QCommandLineParser& parser) {
    QString address;
    if (!parseAddress(parser.value(QStringLiteral("address")), &address))
        return usageError(QStringLiteral("plc dump|load --address A (A is one of 0..9, A..F)"),
                          "plc");
    const QStringList args = parser.positionalArguments();
    if (args.value(0) == QLatin1String("dump") && args.size() == 1) {
        if (!ctx.connectAxis(address))
            return ExitFailed;
        return dump(ctx);
    }
    if (args.value(0) == QLatin1String("load") && args.size() == 2)
        return load(ctx, address, ctx.rawWord(args.at(1)), parser.isSet(QStringLiteral("verify")));
    return usageError(QStringLiteral("plc takes dump, or load FILE"), "plc");
}
