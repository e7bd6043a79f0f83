#include "drive/RampCalculation.h"
#include "base/MessageIds.h"

#include "axis/MemoryAreas.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/SerialLink.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr int NoImageTextId = 10165;
constexpr int SendingTextId = 10168;
constexpr const char* SlopeTooLargeTextId = "ramp.slopeTooLarge";
constexpr int StoreWaitMs = 3000;

bool isHexDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
}

bool allHex(const QString& text) {
    for (QChar c : text)
        if (!isHexDigit(c))
            return false;
    return true;
}

// One half of a directory read: 16 bytes as 32 hexadecimal digits. Anything
// else (a pseudo-reply, a short or garbled reply) would put invented bytes into
// the directory that goes back to the controller.
bool isBlockReply(const QString& reply) {
    return reply.size() == 2 * RampMemoryImage::BlockSize && allHex(reply);
}

// Reads 32 bytes of ramp memory with two "FR" commands into the image.
bool readPair(RampCalculation& c, int address) {
    QString digits;
    for (int half = 0; half < 2; ++half) {
        const int from = address + half * RampMemoryImage::BlockSize;
        const QString reply = c.link.SendCommand(
            QStringLiteral("FR%1").arg(from, 4, 16, QLatin1Char('0')).toUpper(), true, Full);
        if (!isBlockReply(reply))
            return false;
        digits += reply;
    }
    c.image->storeHex(address, digits, 2 * RampMemoryImage::BlockSize);
    return true;
}

// The table start address "IA?" reports: four hexadecimal digits, behind the
// directory. Returns -1 for anything else.
int tableAddress(const QString& reply) {
    if (reply.size() != 4 || !allHex(reply))
        return -1;
    const int address = reply.toInt(nullptr, 16);
    return address >= RampMemoryImage::TableOffset ? address : -1;
}

// The status-bar progress of one programming run: removed on every path out,
// unless the caller takes it over.
class ShownProgress {
public:
    ShownProgress(Operator& op, const QString& text, int range) : op_(op) {
        op_.progressShow(text, range, 1);
    }
    ~ShownProgress() { hide(); }
    ShownProgress(const ShownProgress&) = delete;
    ShownProgress& operator=(const ShownProgress&) = delete;
    void step() { op_.progressStep(); }
    void hide() {
        if (shown_)
            op_.progressHide();
        shown_ = false;
    }
    void handOver() { shown_ = false; }

private:
    Operator& op_;
    bool shown_ = true;
};

bool fail(RampCalculation& c, int textId) {
    c.image.reset();
    if (textId == MessageId::NoReply)
        c.link.reportFailure(c.op, textId);
    else if (textId)
        c.op.error(textId);
    return false;
}

} // namespace

qint64 LeadingDecimal(const QString& text, bool* hasDigits) {
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    qint64 value = 0;
    bool digits = false;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9');
         ++i) {
        digits = true;
        const int digit = text.at(i).unicode() - '0';
        value = value > (max - digit) / 10 ? max : value * 10 + digit;
    }
    if (hasDigits)
        *hasDigits = digits;
    return negative ? -value : value;
}

quint32 TruncateToLow32(double x) {
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (!(x >= -limit && x < limit))
        return 0;
    return quint32(quint64(qint64(x)));
}

RampTable ComputeRampTable(RampMemoryImage& image, qint32 clockHz, qint32 topFrequency,
                           quint32 ramp, qint32 freeMemory) {
    RampTable result;
    if (ramp >= RampSlopeLimit) {
        result.status = RampTableStatus::SlopeTooLarge;
        return result;
    }
    if (topFrequency <= 0) {
        result.status = RampTableStatus::NoTopFrequency;
        return result;
    }
    const qint32 q = -(clockHz / 12); // timer ticks per second, negated
    if (q >= 0) {
        result.status = RampTableStatus::NoClock;
        return result;
    }
    // More than the image holds would let the check pass entries written past it.
    freeMemory = qBound(0, freeMemory, RampMemoryImage::TableSpace);
    const quint32 end = quint32(freeMemory) + RampMemoryImage::TableOffset;

    // The limit: one step at 1.01 times the top frequency, as 2^32 - ticks.
    const quint32 limit = TruncateToLow32(double(q) / (double(topFrequency) * 1.01));

    // The controller's tables were always made with this arithmetic: the
    // square root of n is followed with one single-precision Newton step per
    // entry rather than computed, and the first "previous" value is 1/sqrt(ramp)
    // rather than 1. Both shape the stored values, so both stay.
    const double r =
        ramp == 0 ? std::numeric_limits<double>::infinity() : std::sqrt(2.0 / double(ramp));
    const float k = float(r) * float(q);
    float prev = float(std::sqrt(0.5) * r);
    float s = float(std::sqrt(2.0));
    quint32 n = 1;
    quint32 w = RampMemoryImage::TableOffset + 2;
    for (;;) {
        if (w + 1 >= quint32(RampMemoryImage::Size)) {
            result.entries = int(n - 1);
            return result; // NoMemory
        }
        ++n;
        const float next = (float(n) / s + s) * 0.5f;
        const float d = (next - prev) * k;
        const quint32 v = TruncateToLow32(double(d));
        // A step of 65536 ticks or more does not fit the timer word: its low
        // 16 bits would name a much shorter step, or even the end mark, and a
        // first step that is too short stalls the motor at start. Such a step
        // gets the longest one the word holds, 65535 ticks ("0001"). The end
        // test below still looks at the real duration.
        const bool tooLong = std::isfinite(d) && d <= -65536.0f;
        image.setWord(int(w), tooLong ? quint16(0x0001) : quint16(v & 0xFFFF));
        s = next;
        prev = next;
        w += 2;
        if (w >= end) {
            result.entries = int(n - 1);
            return result; // NoMemory
        }
        if (v > limit)
            break;
    }
    const int entries = int(n - 1);
    image.setWord(int(w), 0x0000); // end mark
    image.setWord(RampMemoryImage::TableOffset, quint16(entries));
    result.status = RampTableStatus::Fits;
    result.entries = entries;
    result.bytesNeeded = int(w + 1) - 111; // 2k + 4
    return result;
}

bool CalculateRamp(RampCalculation& c) {
    c.image.reset();
    c.clockHz = 0;
    // Refused before anything is sent: such a slope would be stored as another one.
    if (c.ramp >= RampSlopeLimit) {
        fail(c, 0);
        c.op.show({0, Texts::text(SlopeTooLargeTextId), 0, Operator::Icon::Exclamation,
                   Operator::Buttons::Ok});
        return false;
    }
    if (c.topFrequency <= 0)
        return fail(c, MessageId::NoRampRoom);

    const QString clockReply = c.link.SendCommand(QStringLiteral("IQ?"), true, Full);
    if (PseudoReply::is(clockReply))
        return fail(c, MessageId::NoReply);
    const qint64 clock = LeadingDecimal(clockReply);
    const qint32 clockHz = qint32(std::clamp<qint64>(clock, std::numeric_limits<qint32>::min(),
                                                     std::numeric_limits<qint32>::max()));
    c.clockHz = clockHz;
    c.freeMemory = qBound(0, c.freeMemory, RampMemoryImage::TableSpace);

    c.image = RampMemoryImage::create();
    if (!c.image)
        return fail(c, NoImageTextId);

    if (!readPair(c, RampMemoryImage::AddressWords))
        return fail(c, MessageId::NoReply);

    const QString countReply = c.link.SendCommand(QStringLiteral("IN?"), true, Full);
    if (PseudoReply::is(countReply))
        return fail(c, MessageId::NoReply);
    bool hasDigits = false;
    const qint64 number = LeadingDecimal(countReply, &hasDigits);
    // Sixteen ramps leave no directory entry for another one.
    if (!hasDigits || number < 0 || number >= RampMemoryImage::MaxRamps)
        return fail(c, MessageId::NoRampRoom);
    c.rampNumber = int(number);

    const QString addressReply = c.link.SendCommand(QStringLiteral("IA?"), true, Full);
    if (PseudoReply::is(addressReply) || tableAddress(addressReply) < 0)
        return fail(c, MessageId::NoReply);
    const int address = tableAddress(addressReply);
    c.image->storeHex(RampMemoryImage::AddressWords + 2 * c.rampNumber, addressReply, 2);

    const RampTable table =
        ComputeRampTable(*c.image, clockHz, c.topFrequency, c.ramp, c.freeMemory);
    // The table must also end inside the controller's memory behind its start address.
    if (table.status != RampTableStatus::Fits ||
        address + table.bytesNeeded > RampMemoryImage::Size)
        return fail(c, MessageId::NoRampRoom);

    if (!readPair(c, RampMemoryImage::CountWords) || !readPair(c, RampMemoryImage::SlopeWords))
        return fail(c, MessageId::NoReply);
    c.image->setWord(RampMemoryImage::CountWords + 2 * c.rampNumber, quint16(table.entries));
    c.image->setWord(RampMemoryImage::SlopeWords + 2 * c.rampNumber, quint16(c.ramp / 100));

    c.bytesNeeded = table.bytesNeeded;
    return true;
}

bool ProgramRamp(RampCalculation& c, bool finish) {
    BusyGuard busy;
    if (!c.image || c.rampNumber < 0)
        return false;
    // The image goes on every path out: a second ProgramRamp needs a new calculation.
    std::unique_ptr<RampMemoryImage> image = std::move(c.image);

    const qint64 bytes = std::clamp<qint64>(c.bytesNeeded, 0, RampMemoryImage::TableSpace);

    switch (RequestWriteUnlock(c.link)) {
    case UnlockResult::Granted:
        break;
    case UnlockResult::Refused:
        return false;
    case UnlockResult::LinkFailed:
        c.link.reportFailure(c.op, MessageId::NoReply);
        return false;
    }

    // The table goes where the directory entry says it is; an address that
    // differs from the one the calculation stored would leave the directory
    // pointing elsewhere.
    const QString addressReply = c.link.SendCommand(QStringLiteral("IA?"), true, Full);
    const int address = tableAddress(addressReply);
    if (PseudoReply::is(addressReply) || address < 0 ||
        address != image->word(RampMemoryImage::AddressWords + 2 * c.rampNumber))
        return false;

    const int blocks = int((bytes + RampMemoryImage::TableOffset) / RampMemoryImage::BlockSize);
    ShownProgress progress(c.op, Texts::text(SendingTextId) + QString::number(c.ramp), blocks);

    int target = RampMemoryImage::CountWords;
    int from = RampMemoryImage::CountWords;
    for (int block = 0; block < blocks; ++block) {
        const QString data = image->blockHex(from);
        from += RampMemoryImage::BlockSize;
        // Erased memory needs no writing: a block that starts with an empty
        // word is left as it is, in the directory as in the table.
        if (!data.startsWith(QLatin1String("FFFF"))) {
            const QString command =
                QStringLiteral("WR%1").arg(target, 4, 16, QLatin1Char('0')).toUpper() + data;
            if (PseudoReply::is(c.link.SendCommand(command, true, Full))) {
                progress.hide();
                c.link.reportFailure(c.op, MessageId::NoReply);
                return false;
            }
        }
        target += RampMemoryImage::BlockSize;
        if (target == RampMemoryImage::TableOffset)
            target = address;
        progress.step();
        c.op.pumpEvents();
    }

    if (finish) {
        const QString stored = c.link.SendCommand(QStringLiteral("WX"), true, Full);
        if (PseudoReply::is(stored)) {
            // The blocks went out but the controller was never told to keep them.
            progress.hide();
            c.link.reportFailure(c.op, MessageId::NoReply);
            return false;
        }
        c.op.wait(StoreWaitMs);
        progress.hide();
    } else {
        // The caller stores the memory and removes the display itself.
        progress.handOver();
    }
    return true;
}
