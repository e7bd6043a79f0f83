#include "axis/AxisVocabulary.h"

#include "axis/MemoryAreas.h"

#include <algorithm>
#include <limits>

namespace {

bool isAsciiDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

int digitValue(QChar c, int base) {
    const int v = AxisVocabulary::hexValue(c);
    return v >= 0 && v < base ? v : -1;
}

// Leading digits of text from `from` in base, saturating at the largest
// 32-bit value. *digits receives how many digits were read.
quint32 leadingValue(const QString& text, qsizetype from, int base, int* digits) {
    constexpr quint64 limit = std::numeric_limits<quint32>::max();
    quint64 value = 0;
    int count = 0;
    for (qsizetype i = from; i < text.size(); ++i) {
        const int d = digitValue(text.at(i), base);
        if (d < 0)
            break;
        ++count;
        value = qMin<quint64>(value * base + d, limit);
    }
    if (digits)
        *digits = count;
    return quint32(value);
}

// Walks a list rule: from 0, next(last) gives the next value; values up to
// `bound` are listed. Stepping stops at `stepLimit`, so that a bound no real
// controller reports (a garbled reply read as a huge number) cannot fill a
// list with millions of entries; the bound itself is still appended.
QStringList walkList(quint32 (*next)(quint32), quint32 bound, quint32 stepLimit) {
    QStringList list;
    quint32 last = 0;
    for (;;) {
        const quint32 value = next(last);
        if (value > bound || value > stepLimit)
            break;
        list << QString::number(value);
        last = value;
    }
    if (last != bound)
        list << QString::number(bound);
    return list;
}

quint32 nextStartStop(quint32 last) {
    return last + (last < 500 ? 50 : 100);
}

quint32 nextRunFreq(quint32 last) {
    if (last < 500)
        return last + 50;
    if (last < 1000)
        return last + 100;
    if (last < 5000)
        return last + 250;
    return last + 500;
}

// Far above any controller's top frequency, small enough for a list box.
constexpr quint32 ListStepLimit = 200000;

} // namespace

bool ValidateSignedNumber(const QString& text) {
    if (text.isEmpty())
        return true;
    const QChar first = text.at(0);
    if (!isAsciiDigit(first) && first != QLatin1Char('+') && first != QLatin1Char('-'))
        return false;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (!isAsciiDigit(text.at(i)))
            return false;
    }
    return true;
}

namespace AxisVocabulary {

QList<int> moveTypeTextIds() {
    return {10038, 10039, 10040, 10041, 10042, 10043, 10044, 10045};
}

QList<int> systemTypeTextIds() {
    return {10047, 10048};
}

QList<int> operatingModeTextIds() {
    return {10049, 10050};
}

quint32 leadingUnsigned(const QString& text) {
    return leadingValue(text, 0, 10, nullptr);
}

quint32 enteredFrequency(const QString& text) {
    if (text.isEmpty())
        return 0;
    const QChar sign = text.at(0);
    const bool hasSign = sign == QLatin1Char('+') || sign == QLatin1Char('-');
    const quint32 amount = leadingValue(text, hasSign ? 1 : 0, 10, nullptr);
    if (sign == QLatin1Char('-') && amount > 0)
        return std::numeric_limits<quint32>::max();
    return amount;
}

int replyIndex(const QString& reply, int base, int count) {
    int digits = 0;
    const quint32 value = leadingValue(reply, 0, base, &digits);
    if (digits == 0 || value >= quint32(qMax(count, 0)))
        return -1;
    return int(value);
}

bool hexReply(const QString& reply, quint32* value) {
    int digits = 0;
    const quint32 v = leadingValue(reply, 0, 16, &digits);
    if (digits == 0 || digits != reply.size())
        return false;
    if (value)
        *value = v;
    return true;
}

qint64 wholeHex(const QString& text, int maxDigits) {
    quint32 v = 0;
    if (text.size() > qMin(maxDigits, 8) || !hexReply(text, &v))
        return -1;
    return v;
}

int hexDigitAt(const QString& text, int position) {
    if (position < 0 || position >= text.size())
        return 0;
    return qMax(AxisVocabulary::hexValue(text.at(position)), 0);
}

int hexByteAt(const QString& text, int position) {
    if (position < 0 || position >= text.size())
        return 0;
    return int(leadingValue(text.mid(position, 2), 0, 16, nullptr));
}

QStringList defaultStartStopList() {
    QStringList list = walkList(nextStartStop, 1100, ListStepLimit);
    list << QStringLiteral("1250");
    return list;
}

QStringList boundedStartStopList(quint32 maxStartStopFreq) {
    return walkList(nextStartStop, maxStartStopFreq, ListStepLimit);
}

QStringList defaultRunFreqList() {
    return walkList(nextRunFreq, 10000, ListStepLimit);
}

QStringList boundedRunFreqList(quint32 maxRunFreq) {
    return walkList(nextRunFreq, maxRunFreq, ListStepLimit);
}

QStringList startStopListFor(quint32 maxStartStopFreq) {
    return maxStartStopFreq == DefaultMaxStartStopFreq ? defaultStartStopList()
                                                       : boundedStartStopList(maxStartStopFreq);
}

QStringList runFreqListFor(quint32 maxRunFreq) {
    return maxRunFreq == DefaultMaxRunFreq ? defaultRunFreqList() : boundedRunFreqList(maxRunFreq);
}

QStringList offlineRampList() {
    return RampSlopes(DefaultRampValueList);
}

QStringList rampListFromValueList(const QString& rampValueList) {
    return RampSlopes(rampValueList);
}

QString boundedFrequency(const QString& entry, quint32 bound) {
    if (enteredFrequency(entry) > bound)
        return QString::number(bound);
    return entry;
}

QString startStopFreqCommand(const QString& value) {
    return QStringLiteral("PO") + value;
}

QString runFreqCommand(const QString& value) {
    return QStringLiteral("PF") + value;
}

QString positionCommand(const QString& value) {
    return QStringLiteral("PC") + value;
}

QString axisLimitCommand(const QString& value) {
    return QStringLiteral("PG") + value;
}

QString backlashCommand(const QString& value) {
    return QStringLiteral("PW") + value;
}

QString zeroOffsetPlusCommand(const QString& value) {
    return QStringLiteral("PP") + value;
}

QString zeroOffsetMinusCommand(const QString& value) {
    return QStringLiteral("PM") + value;
}

QString stopCommand() {
    return QStringLiteral("H");
}

QString loadDefaultsCommand() {
    return QStringLiteral("PB");
}

QString rampCommand(int index) {
    if (index < 0)
        return {};
    return QStringLiteral("PN") + QString::number(index, 16).toUpper();
}

QString systemTypeCommand(int index) {
    if (index < 0)
        return {};
    return QStringLiteral("PL") + QString::number(index);
}

QString operatingModeCommand(int index) {
    if (index < 0)
        return {};
    return QStringLiteral("PD") + QString::number(index);
}

QString outputCommand(bool a0, bool a1) {
    return QStringLiteral("IO") + QString::number(int(a0) + 2 * int(a1));
}

QString moveCommand(int moveType, const QString& target) {
    switch (moveType) {
    case InitialisePlus:
        return QStringLiteral("GI+");
    case InitialiseMinus:
        return QStringLiteral("GI-");
    case PositionAbsolute:
        return QStringLiteral("GA") + target;
    case MoveRelative:
        return QStringLiteral("GR") + target;
    case FreeRunPlus:
        return QStringLiteral("GF+");
    case FreeRunMinus:
        return QStringLiteral("GF-");
    case StepPlus:
        return QStringLiteral("GS+");
    case StepMinus:
        return QStringLiteral("GS-");
    default:
        return {};
    }
}

bool moveNeedsTarget(int moveType) {
    return moveType == PositionAbsolute || moveType == MoveRelative;
}

bool moveReadsPosition(int moveType) {
    return moveNeedsTarget(moveType) || moveType == StepPlus || moveType == StepMinus;
}

bool validMoveTarget(const QString& target) {
    return ValidateSignedNumber(target) && std::any_of(target.begin(), target.end(), isAsciiDigit);
}

bool parametersChanged(const QString& overallStatusReply) {
    return (hexByteAt(overallStatusReply, 2) & 0x20) != 0;
}

} // namespace AxisVocabulary

int AxisVocabulary::hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}
