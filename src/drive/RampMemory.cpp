#include "drive/RampMemory.h"
#include "base/MessageIds.h"

#include "axis/AxisVocabulary.h"
#include "axis/MemoryAreas.h"
#include "base/Operator.h"
#include "drive/RampCalculation.h"
#include "link/SerialLink.h"

#include <algorithm>
#include <limits>

namespace {
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

// Release, command, wait. A lost reply does not shorten the wait: the
// controller may be at work all the same. Reports a lost reply only when
// reportLost is set.
RampCommandResult released(SerialLink& link, Operator& op, const QString& command, int waitMs,
                           bool reportLost) {
    switch (RequestWriteUnlock(link)) {
    case UnlockResult::Granted:
        break;
    case UnlockResult::Refused:
        return RampCommandResult::Refused;
    case UnlockResult::LinkFailed:
        link.reportFailure(op, MessageId::NoReply);
        return RampCommandResult::LinkFailed;
    }
    const bool answered = !PseudoReply::is(link.SendCommand(command, true, Full));
    if (!answered && reportLost)
        link.reportFailure(op, MessageId::NoReply);
    if (waitMs > 0)
        op.wait(waitMs);
    return answered ? RampCommandResult::Done : RampCommandResult::Unanswered;
}

// One 16-byte read: true with erased set when it is 32 hexadecimal digits.
bool readErased(SerialLink& link, const QString& command, bool* erased) {
    const QString reply = link.SendCommand(command, true, Full);
    if (reply.size() != 32)
        return false;
    *erased = true;
    for (QChar c : reply) {
        const int digit = AxisVocabulary::hexValue(c);
        if (digit < 0)
            return false;
        *erased = *erased && digit == 0xF;
    }
    return true;
}

} // namespace

bool ReadRampListing(SerialLink& link, Operator& op, RampListing* listing, bool reportFailure) {
    const auto failed = [&] {
        if (reportFailure)
            link.reportFailure(op, MessageId::NoReply);
        return false;
    };
    RampListing read;
    if (!readCount(link, &read.count))
        return failed();
    const QString top = link.SendCommand(QStringLiteral("IF?"), true, Full);
    if (PseudoReply::is(top))
        return failed();
    read.topFrequency = qint32(std::clamp<qint64>(LeadingDecimal(top), 0, 0x7FFFFFFF));
    if (read.count > 0) {
        QString slopes;
        QString counts;
        if (!readBoth(link, QStringLiteral("FR0050"), QStringLiteral("FR0060"), &slopes) ||
            !readBoth(link, QStringLiteral("FR0010"), QStringLiteral("FR0020"), &counts))
            return failed();
        // Slope words count 100 Hz/s; count words k give tables of 2k + 4 bytes.
        for (quint32 word : RampWords(slopes))
            read.slopes << word * 100;
        for (quint32 k : RampWords(counts))
            read.sizes << qint32(k * 2 + 4);
    }
    *listing = read;
    return true;
}

bool ReadRampClock(SerialLink& link, Operator& op, qint32* clockHz) {
    const QString reply = link.SendCommand(QStringLiteral("IQ?"), true, Full);
    bool hasDigits = false;
    const qint64 clock = PseudoReply::is(reply) ? 0 : LeadingDecimal(reply, &hasDigits);
    if (!hasDigits || clock < 0 || clock > std::numeric_limits<qint32>::max()) {
        link.reportFailure(op, MessageId::NoReply);
        return false;
    }
    *clockHz = qint32(clock);
    return true;
}

bool ReadRampCount(SerialLink& link, Operator& op, int* count) {
    if (readCount(link, count))
        return true;
    link.reportFailure(op, MessageId::NoReply);
    return false;
}

RampMemoryState ReadRampMemoryState(SerialLink& link) {
    int count = 0;
    if (!readCount(link, &count))
        return RampMemoryState::Unknown;
    if (count != 0)
        return RampMemoryState::Holding;
    // No ramp counted: the directory must agree before tables are written into it.
    for (const char* command : {"FR0010", "FR0020", "FR0030", "FR0040", "FR0050", "FR0060"}) {
        bool erased = false;
        if (!readErased(link, QLatin1String(command), &erased))
            return RampMemoryState::Unknown;
        if (!erased)
            return RampMemoryState::Holding;
    }
    return RampMemoryState::Erased;
}

RampCommandResult InstallInternalRamps(SerialLink& link, Operator& op) {
    return released(link, op, QStringLiteral("WA"), 0, true);
}

RampCommandResult EraseRampMemory(SerialLink& link, Operator& op) {
    const RampCommandResult result = released(link, op, QStringLiteral("WD"), EraseWaitMs, false);
    if (result != RampCommandResult::Unanswered)
        return result;
    // Only the reply may have been lost. The ramps left standing are programmed
    // again only into a memory that is known to be empty; anything else is
    // reported and left as the controller holds it.
    if (ReadRampMemoryState(link) == RampMemoryState::Erased)
        return RampCommandResult::Done;
    link.reportFailure(op, MessageId::NoReply);
    return RampCommandResult::Unanswered;
}

bool StoreRampMemory(SerialLink& link, Operator& op) {
    if (PseudoReply::is(link.SendCommand(QStringLiteral("WX"), true, Full))) {
        link.reportFailure(op, MessageId::NoReply);
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
