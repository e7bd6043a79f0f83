#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "drive/RampCalculation.h"
#include "drive/RampMemoryImage.h"

namespace {

constexpr int NoRoomTextId = 10170;

bool parseNumber(const QString& text, qint64 low, qint64 high, qint64* value) {
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (!ok || v < low || v > high)
        return false;
    *value = v;
    return true;
}

} // namespace

// Computes one ramp table the way it would be programmed, without a
// controller: the clock ("IQ?"), the top frequency ("IF?") and the free memory
// are given on the command line.
int runRampTable(CliContext& ctx, const QStringList& args) {
    qint64 clock = -1;
    qint64 top = -1;
    qint64 slope = -1;
    qint64 free = RampMemoryImage::TableSpace;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        qint64* target = a == QLatin1String("--clock")   ? &clock
                         : a == QLatin1String("--top")   ? &top
                         : a == QLatin1String("--slope") ? &slope
                         : a == QLatin1String("--free")  ? &free
                                                         : nullptr;
        if (!target)
            return usageError(QStringLiteral("unknown argument %1").arg(a));
        if (i + 1 >= args.size())
            return usageError(QStringLiteral("%1 needs a value").arg(a));
        const qint64 high = a == QLatin1String("--slope") ? 0xFFFFFFFFLL : 0x7FFFFFFFLL;
        const qint64 low = a == QLatin1String("--free") ? -0x80000000LL : 0;
        if (!parseNumber(args.at(++i), low, high, target))
            return usageError(QStringLiteral("%1 takes a decimal number").arg(a));
    }
    if (clock < 0 || top < 0 || slope < 0)
        return usageError(QStringLiteral("ramp-table needs --clock, --top and --slope"));

    auto image = RampMemoryImage::create();
    if (!image) {
        ctx.op.error(10165);
        return ExitFailed;
    }
    const RampTable table =
        ComputeRampTable(*image, qint32(clock), qint32(top), quint32(slope), qint32(free));
    if (table.status != RampTableStatus::Fits) {
        ctx.op.error(NoRoomTextId);
        return ExitFailed;
    }
    printLine(QStringLiteral("%1 %2").arg(table.entries).arg(table.bytesNeeded));
    QString words;
    words.reserve(table.entries * 5);
    for (int j = 0; j < table.entries; ++j) {
        if (j)
            words += QLatin1Char(' ');
        words +=
            QStringLiteral("%1")
                .arg(image->word(RampMemoryImage::TableOffset + 2 + 2 * j), 4, 16, QLatin1Char('0'))
                .toUpper();
    }
    printLine(words);
    return ExitOk;
}
