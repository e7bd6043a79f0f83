#include "axis/MemoryAreas.h"

#include "base/Operator.h"
#include "link/SerialLink.h"

#include <algorithm>

const QString DefaultRampValueList =
    QStringLiteral("0032007D00FA017701F4027102EE036B03E804B0FFFFFFFFFFFFFFFFFFFFFFFF");

UnlockResult RequestWriteUnlock(SerialLink& link) {
    const QString dateCode = link.SendCommand(QStringLiteral("IC?"), true, Full);
    if (PseudoReply::is(dateCode))
        return UnlockResult::LinkFailed;
    const QString answer = link.SendCommand(QStringLiteral("FC") + dateCode, true, Full);
    if (answer == QLatin1String("OK"))
        return UnlockResult::Granted;
    return PseudoReply::is(answer) ? UnlockResult::LinkFailed : UnlockResult::Refused;
}

bool WriteUnlock(SerialLink& link) {
    return RequestWriteUnlock(link) == UnlockResult::Granted;
}

namespace {

bool isHexDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
}

bool slotInArea(int n, bool eightSlots) {
    return n >= 0 && n < plcSlotCount(eightSlots);
}

QString slotNumber(int n, bool eightSlots) {
    return QStringLiteral("%1").arg(n, eightSlots ? 1 : 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QString plcSlotReadCommand(int n, bool eightSlots) {
    if (!slotInArea(n, eightSlots))
        return {};
    return (eightSlots ? QStringLiteral("FU") : QStringLiteral("ER")) + slotNumber(n, eightSlots);
}

QString plcSlotWriteCommand(int n, const QString& text, bool eightSlots) {
    if (!slotInArea(n, eightSlots))
        return {};
    return (eightSlots ? QStringLiteral("WU") : QStringLiteral("EW")) + slotNumber(n, eightSlots) +
           text;
}

QString ReadPlcSlot(SerialLink& link, int n, bool eightSlots) {
    const QString command = plcSlotReadCommand(n, eightSlots);
    if (command.isEmpty())
        return PseudoReply::Error;
    return link.SendCommand(command, true, Full);
}

QString WritePlcSlot(SerialLink& link, int n, const QString& text, bool eightSlots) {
    const QString command = plcSlotWriteCommand(n, text, eightSlots);
    if (command.isEmpty())
        return PseudoReply::Error;
    return link.SendCommand(command, true, Full);
}

SlotAreaEnd ReadPlcSlotArea(SerialLink& link, Operator& op, const SlotAreaRead& how,
                            const SlotVisitor& visit, int* lostSlot) {
    QList<int> slotList = how.only;
    if (slotList.isEmpty())
        for (int n = 0; n < how.count; ++n)
            slotList << n;
    const QString address = link.currentAddress();
    int read = 0;
    for (int n : slotList) {
        if (how.holdAddress && link.currentAddress() != address)
            link.setCurrentAddress(address);
        const QString text = ReadPlcSlot(link, n, how.eightSlots);
        if (PseudoReply::is(text)) {
            if (lostSlot)
                *lostSlot = n;
            return SlotAreaEnd::Lost;
        }
        ++read;
        if (visit && !visit(n, text))
            return SlotAreaEnd::Stopped;
        if (how.pumpEvery > 0 && n % how.pumpEvery == how.pumpEvery - 1)
            op.pumpEvents();
        if (how.keepGoing && !how.keepGoing(read, int(slotList.size())))
            return SlotAreaEnd::Stopped;
    }
    return SlotAreaEnd::Complete;
}

QString ErasePlcArea(SerialLink& link) {
    return link.SendCommand(QStringLiteral("WE"), true, Full);
}

QString ReadRampValueList(SerialLink& link) {
    const QString first = link.SendCommand(QStringLiteral("FR0050"), true, Full);
    const QString second = link.SendCommand(QStringLiteral("FR0060"), true, Full);
    return first + second;
}

QList<quint32> RampWords(const QString& text) {
    QList<quint32> words;
    for (qsizetype at = 0; at < text.size(); at += 4) {
        const QString group = text.mid(at, 4);
        if (group.compare(QLatin1String("FFFF"), Qt::CaseInsensitive) == 0)
            break;
        // toUInt accepts a sign or blanks; a word is hexadecimal digits only.
        if (!std::all_of(group.begin(), group.end(), isHexDigit))
            break;
        words << group.toUInt(nullptr, 16);
    }
    return words;
}

QStringList RampSlopes(const QString& rampValueList) {
    QStringList slopes;
    for (quint32 word : RampWords(rampValueList))
        slopes << QString::number(quint64(word) * 100);
    return slopes;
}
