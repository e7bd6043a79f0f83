#include "axis/MemoryAreas.h"
#include "base/FileIo.h"
#include "base/MessageIds.h"
#include "base/Texts.h"
#include "base/Windows1252.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "drive/ProgramPlcArea.h"
#include "files/ParameterFile.h"
#include "plc/CycleProgram.h"
#include "plc/PlcArea.h"
#include "plc/PlcListing.h"

#include <QCommandLineParser>

namespace {

// The family of the addressed axis: true for the one with eight slots.
bool askEightSlots(CliContext& ctx, bool* eight) {
    const DeviceFamily family = DeviceFamily::read(ctx.link);
    if (!family.replied()) {
        ctx.link.reportFailure(ctx.op, MessageId::NoReply);
        return false;
    }
    *eight = family.eightSlots();
    return true;
}

int dump(CliContext& ctx) {
    bool eight = false;
    if (!askEightSlots(ctx, &eight))
        return ExitFailed;
    QStringList lines{PlcListing::DumpHeader(ctx.link.currentAddress())};
    SlotAreaRead how;
    how.eightSlots = eight;
    how.count = plcSlotCount(eight);
    const SlotAreaEnd end = ReadPlcSlotArea(ctx.link, ctx.op, how, [&](int i, const QString& text) {
        if (!text.isEmpty())
            lines << PlcListing::DumpLine(i, text);
        return true;
    });
    if (end != SlotAreaEnd::Complete) {
        ctx.link.reportFailure(ctx.op, MessageId::NoReply);
        return ExitFailed;
    }
    for (const QString& l : lines)
        printLine(l);
    return ExitOk;
}

int load(CliContext& ctx, const QString& address, const QByteArray& fileName, bool verify) {
    // A listing is at most as long as a parameter file, which it may be.
    QByteArray bytes;
    QString readError;
    if (!FileIo::readFile(fileName, MaxParameterFileBytes, &bytes, &readError)) {
        printFileError(fileName, QStringLiteral("cannot be read: %1").arg(readError));
        return ExitFailed;
    }
    // The whole file is checked before the axis is even asked: loading
    // starts with erasing the area.
    PlcListing::Listing listing;
    QString error;
    if (!PlcListing::Read(bytes, &listing, &error))
        return usageError(error, "plc");
    const QStringList& texts = listing.texts;
    const int highest = listing.highest;
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
            ctx.op.error(MessageId::ProgramFailed);
        else
            ctx.op.show({0,
                         Texts::text(MessageId::ProgramFailed) + QLatin1Char('\n') +
                             PlcAreaCheckText(check, eight),
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
        QStringLiteral(
            "dump: print the non-empty PLC slots as \"NN text\" (NN hexadecimal) in UTF-8, "
            "after a \";\" line naming the axis. load FILE: erase the whole PLC area, then "
            "program it from such a listing, or from the \"EW\"/\"WU\" lines of a parameter "
            "file. The file is checked first: a line that is neither, a slot named twice, a "
            "text too long for one frame or with a character code page 1252 lacks, or no slot "
            "line at all (unless it is the dump of an empty area) sends nothing."));
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
