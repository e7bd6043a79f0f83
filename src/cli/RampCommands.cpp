#include "base/MessageIds.h"
#include "base/Texts.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "drive/RampCalculation.h"
#include "drive/RampCurve.h"
#include "drive/RampMemoryImage.h"

#include <QCommandLineParser>

namespace {

bool parseNumber(const QString& text, qint64 low, qint64 high, qint64* value) {
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (!ok || v < low || v > high)
        return false;
    *value = v;
    return true;
}

} // namespace

void declareRampTable(QCommandLineParser& parser) {
    parser.addOptions({
        {QStringLiteral("clock"), QStringLiteral("The controller's clock, as \"IQ?\" answers."),
         QStringLiteral("HZ")},
        {QStringLiteral("top"), QStringLiteral("The top frequency, as \"IF?\" answers."),
         QStringLiteral("HZ")},
        {QStringLiteral("slope"), QStringLiteral("The ramp's slope."), QStringLiteral("HZPS")},
        {QStringLiteral("free"),
         QStringLiteral("Free ramp memory (default: the whole table space)."),
         QStringLiteral("BYTES")},
        {QStringLiteral("csv"),
         QStringLiteral("Print the curve instead of the words: step, time in s, frequency in Hz.")},
    });
}

// Computes one ramp table the way it would be programmed, without a
// controller: the clock ("IQ?"), the top frequency ("IF?") and the free memory
// are given on the command line.
int runRampTable(CliContext& ctx, const QCommandLineParser& parser) {
    if (!parser.positionalArguments().isEmpty())
        return usageError(
            QStringLiteral("unknown argument %1").arg(parser.positionalArguments().first()),
            "ramp-table");
    qint64 clock = -1;
    qint64 top = -1;
    qint64 slope = -1;
    qint64 free = RampMemoryImage::TableSpace;
    const struct {
        const char* name;
        qint64* target;
        qint64 low;
        qint64 high;
    } numbers[] = {{"clock", &clock, 0, 0x7FFFFFFFLL},
                   {"top", &top, 0, 0x7FFFFFFFLL},
                   {"slope", &slope, 0, 0xFFFFFFFFLL},
                   {"free", &free, -0x80000000LL, 0x7FFFFFFFLL}};
    for (const auto& n : numbers) {
        const QString name = QString::fromLatin1(n.name);
        if (parser.isSet(name) && !parseNumber(parser.value(name), n.low, n.high, n.target))
            return usageError(QStringLiteral("--%1 takes a decimal number").arg(name),
                              "ramp-table");
    }
    if (clock < 0 || top < 0 || slope < 0)
        return usageError(QStringLiteral("ramp-table needs --clock, --top and --slope"),
                          "ramp-table");

    auto image = RampMemoryImage::create();
    if (!image) {
        ctx.op.error(10165);
        return ExitFailed;
    }
    const RampTable table =
        ComputeRampTable(*image, qint32(clock), qint32(top), quint32(slope), qint32(free));
    switch (table.status) {
    case RampTableStatus::Fits:
        break;
    case RampTableStatus::NoMemory:
        ctx.op.error(MessageId::NoRampRoom);
        return ExitFailed;
    case RampTableStatus::SlopeTooLarge:
        ctx.op.show({0, Texts::text("ramp.slopeTooLarge"), 0, Operator::Icon::Exclamation,
                     Operator::Buttons::Ok});
        return ExitFailed;
    case RampTableStatus::NoTopFrequency:
        return usageError(QStringLiteral("--top must be above 0"), "ramp-table");
    case RampTableStatus::NoClock:
        return usageError(QStringLiteral("--clock must be at least 12 (Hz)"), "ramp-table");
    }
    if (parser.isSet(QStringLiteral("csv"))) {
        // The curve of exactly the words above, so that it can be plotted elsewhere.
        QString csv = RampCurveCsv(RampCurveOfImage(*image, qint32(clock)));
        csv.chop(1); // printLine ends the last line
        printLine(csv);
        return ExitOk;
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
