#include "drive/RampMemory.h"

#include "axis/MemoryAreas.h"
#include "base/Operator.h"
#include "drive/RampCalculation.h"
#include "link/SerialLink.h"

#include <algorithm>

namespace {

constexpr int TimeoutTextId = 10103;
constexpr int EraseWaitMs = 2000;
constexpr int StoreWaitMs = 3000;

bool readCount(SerialLink& link, int* count) {
    const QString reply = link.SendCommand(QStringLiteral("IN?"), true, Full);
    if (PseudoReply::is(reply))
        return false;
    bool hasDigits = false;
    const qint64 n = LeadingDecimal(reply, &hasDigits);
    if (!hasDigits || n < 0 || n > 16)
        return false;
    *count = int(n);
    return true;
}

// Both halves of a directory array, joined; false when either is no reply.
bool readBoth(SerialLink& link, const QString& first, const QString& second, QString* joined) {
    const QString a = link.SendCommand(first, true, Full);
    const QString b = link.SendCommand(second, true, Full);
    if (PseudoReply::is(a) || PseudoReply::is(b))
        return false;
    *joined = a + b;
    return true;
}

RampCommandResult released(SerialLink& link, Operator& op, const QString& command, int waitMs) {
    switch (RequestWriteUnlock(link)) {
    case UnlockResult::Granted:
        break;
    case UnlockResult::Refused:
        return RampCommandResult::Refused;
    case UnlockResult::LinkFailed:
        op.error(TimeoutTextId);
        return RampCommandResult::LinkFailed;
    }
    if (PseudoReply::is(link.SendCommand(command, true, Full))) {
        op.error(TimeoutTextId);
        return RampCommandResult::LinkFailed;
    }
    if (waitMs > 0)
        op.wait(waitMs);
    return RampCommandResult::Done;
}

} // namespace

bool ReadRampListing(SerialLink& link, Operator& op, RampListing* listing) {
    RampListing read;
    if (!readCount(link, &read.count)) {
        op.error(TimeoutTextId);
        return false;
    }
    const QString top = link.SendCommand(QStringLiteral("IF?"), true, Full);
    if (PseudoReply::is(top)) {
        op.error(TimeoutTextId);
        return false;
    }
    read.topFrequency = qint32(std::clamp<qint64>(LeadingDecimal(top), 0, 0x7FFFFFFF));
    if (read.count > 0) {
        QString slopes;
        QString counts;
        if (!readBoth(link, QStringLiteral("FR0050"), QStringLiteral("FR0060"), &slopes) ||
            !readBoth(link, QStringLiteral("FR0010"), QStringLiteral("FR0020"), &counts)) {
            op.error(TimeoutTextId);
            return false;
        }
        read.slopes = RampSlopes(slopes);
        for (quint32 k : RampWords(counts))
            read.sizes << QString::number(qint64(k) * 2 + 4);
    }
    *listing = read;
    return true;
}

bool ReadRampCount(SerialLink& link, Operator& op, int* count) {
    if (readCount(link, count))
        return true;
    op.error(TimeoutTextId);
    return false;
}

RampCommandResult InstallInternalRamps(SerialLink& link, Operator& op) {
    return released(link, op, QStringLiteral("WA"), 0);
}

RampCommandResult EraseRampMemory(SerialLink& link, Operator& op) {
    return released(link, op, QStringLiteral("WD"), EraseWaitMs);
}

bool StoreRampMemory(SerialLink& link, Operator& op) {
    if (PseudoReply::is(link.SendCommand(QStringLiteral("WX"), true, Full))) {
        op.error(TimeoutTextId);
        return false;
    }
    op.wait(StoreWaitMs);
    return true;
}

quint32 SuggestedRamp(qint32 topFrequency, qint64 usedBytes) {
    const qint64 free = RampFreeMemory(usedBytes);
    if (free <= 644)
        return 0;
    // A table needs about (1.01 * top)^2 / ramp + 4 bytes.
    const double top = double(topFrequency) * 1.01;
    const double divisor = double(65164 - usedBytes);
    const quint32 exact = TruncateToLow32(top * top / divisor);
    return (exact / 100 + 1) * 100;
}
