#include "plc/PlcArea.h"
#include "base/MessageIds.h"

#include "axis/AxisConfiguration.h"
#include "axis/AxisVocabulary.h"
#include "axis/MemoryAreas.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/SerialLink.h"
#include "plc/CycleProgram.h"

namespace PlcArea {

namespace {

// Slot number and text of a slot line; false when it is none.
bool splitSlotLine(const QString& line, int* slot, QString* text, bool* eight) {
    const bool ew = line.startsWith(QLatin1String("EW"));
    const bool wu = line.startsWith(QLatin1String("WU"));
    if (!ew && !wu)
        return false;
    const int digits = ew ? 2 : 1;
    int value = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = 2 + i < line.size() ? AxisVocabulary::hexValue(line.at(2 + i)) : -1;
        if (d < 0)
            return false;
        value = value * 16 + d;
    }
    QString t = line.mid(2 + digits);
    const qsizetype end = t.indexOf(QLatin1String("\r\n"));
    if (end >= 0)
        t.truncate(end);
    *slot = value;
    *text = t;
    *eight = wu;
    return true;
}

} // namespace

int slotCount(bool eightSlots) {
    return plcSlotCount(eightSlots);
}

bool isSlotLine(const QString& line) {
    return AxisConfiguration::isSlotLine(line);
}

bool isCycleLine(const QString& line) {
    int slot = 0;
    QString text;
    bool eight = false;
    if (!isSlotLine(line))
        return false;
    // A line whose slot number cannot be read still counts by its kind.
    if (!splitSlotLine(line, &slot, &text, &eight))
        return !line.mid(line.startsWith(QLatin1String("EW")) ? 4 : 3).startsWith(u"$&");
    return !CycleProgram::isExtendedStep(text);
}

bool isStepLine(const QString& line) {
    return isSlotLine(line) && !isCycleLine(line);
}

Slots FromLineList(const QStringList& lineList) {
    Slots s;
    for (const QString& line : lineList) {
        int slot = 0;
        QString text;
        bool eight = false;
        if (!splitSlotLine(line, &slot, &text, &eight))
            continue;
        if (eight)
            s.eightSlots = true;
        if (slot >= SlotCount)
            continue;
        if (CycleProgram::isExtendedStep(text))
            s.extendedSteps[slot] = text;
        else
            s.programs[slot] = text;
    }
    return s;
}

void MergeIntoLineList(QStringList& lineList, const QStringList& programs, bool eightSlots) {
    qsizetype at = -1;
    QStringList kept;
    for (const QString& line : lineList) {
        if (isCycleLine(line)) {
            if (at < 0)
                at = kept.size();
            continue;
        }
        kept << line;
    }
    if (at < 0) {
        at = kept.size();
        for (qsizetype i = 0; i < kept.size(); ++i) {
            if (isSlotLine(kept.at(i))) {
                at = i;
                break;
            }
        }
    }
    QStringList fresh;
    const int count = slotCount(eightSlots);
    for (int i = 0; i < count && i < programs.size(); ++i) {
        if (!programs.at(i).isEmpty())
            fresh << plcSlotWriteCommand(i, programs.at(i), eightSlots) + QStringLiteral("\r\n");
    }
    for (qsizetype i = 0; i < fresh.size(); ++i)
        kept.insert(at + i, fresh.at(i));
    lineList = kept;
}

void MergeStepsIntoLineList(QStringList& lineList, const QStringList& steps) {
    qsizetype at = -1;
    qsizetype afterLastSlotLine = -1;
    QStringList kept;
    for (const QString& line : lineList) {
        if (isStepLine(line)) {
            if (at < 0)
                at = kept.size();
            continue;
        }
        kept << line;
        if (isSlotLine(line))
            afterLastSlotLine = kept.size();
    }
    if (at < 0)
        at = afterLastSlotLine >= 0 ? afterLastSlotLine : kept.size();
    QStringList fresh;
    for (int i = 0; i < SlotCount && i < steps.size(); ++i) {
        if (!steps.at(i).isEmpty())
            fresh << plcSlotWriteCommand(i, steps.at(i), false) + QStringLiteral("\r\n");
    }
    for (qsizetype i = 0; i < fresh.size(); ++i)
        kept.insert(at + i, fresh.at(i));
    lineList = kept;
}

bool ParsePositionReply(const QString& reply, QString* position, QString* statusText,
                        int* statusByte) {
    if (PseudoReply::is(reply) || reply.size() < 3)
        return false;
    const int high = AxisVocabulary::hexValue(reply.at(1));
    const int low = AxisVocabulary::hexValue(reply.at(2));
    if (high < 0 || low < 0)
        return false;
    const qsizetype colon = reply.indexOf(u':', 4);
    *position = colon < 0 ? reply.mid(4) : reply.mid(4, colon - 4);
    *statusText = reply.mid(1, 2) + u'h';
    *statusByte = high * 16 + low;
    return true;
}

QStringList ReadRestoreCommands(SerialLink& link) {
    QStringList commands;
    for (const char* m : {"PO", "PF", "PN", "PD"}) {
        const QString reply = link.SendCommand(QLatin1String(m) + u'?', true, Full);
        // A reply that is no value must never be sent back to the axis.
        commands << (PseudoReply::is(reply) ? QString() : QLatin1String(m) + reply);
    }
    return commands;
}

void SendRestoreCommands(SerialLink& link, const QStringList& restoreCommands) {
    for (const QString& c : restoreCommands) {
        if (!c.isEmpty())
            link.SendCommand(c, true, Full);
    }
}

QString restoreValue(const QStringList& restoreCommands, int index) {
    return restoreCommands.value(index).mid(2);
}

int restoreRampIndex(const QStringList& restoreCommands) {
    return CycleProgram::rampIndex(restoreValue(restoreCommands, 2));
}

QStringList TextsToProgram(const Slots& area) {
    QStringList texts(SlotCount);
    for (int i = 0; i < SlotCount; ++i) {
        const QString program = area.programs.value(i);
        texts[i] = program.isEmpty() ? area.extendedSteps.value(i) : program;
    }
    return texts;
}

QStringList StepTextsToProgram(const Slots& area) {
    QStringList texts(SlotCount);
    for (int i = 0; i < SlotCount; ++i) {
        const QString step = area.extendedSteps.value(i);
        texts[i] = step.isEmpty() ? area.programs.value(i) : step;
    }
    return texts;
}

ReadResult ReadOpening(SerialLink& link, Operator& op, Opening& o, const SlotProgress& read) {
    BusyGuard busy;
    const auto fail = [&] {
        // A reply that did not come, or a port that is gone.
        link.reportFailure(op, link.lastFailure() == SerialLink::Failure::Timeout
                                   ? MessageId::NoReply
                                   : MessageId::PortNotOpened);
        return ReadResult::Failed;
    };
    const DeviceFamily family = DeviceFamily::read(link);
    if (!family.replied())
        return fail();
    o.area.eightSlots = family.eightSlots();
    {
        ProgressGuard progress(op, Texts::text(MessageId::ReadingSlots), family.slotCount() - 1, 1);
        SlotAreaRead how;
        how.eightSlots = o.area.eightSlots;
        how.count = family.slotCount();
        how.pumpEvery = 1;
        how.keepGoing = read;
        const SlotAreaEnd end = ReadPlcSlotArea(link, op, how, [&](int i, const QString& reply) {
            if (CycleProgram::isExtendedStep(reply))
                o.area.extendedSteps[i] = reply;
            else
                o.area.programs[i] = reply;
            progress.step();
            return true;
        });
        if (end == SlotAreaEnd::Lost)
            return fail();
        if (end == SlotAreaEnd::Stopped)
            return ReadResult::Cancelled;
    }
    o.rampSlopes = RampSlopes(ReadRampValueList(link));
    o.restoreCommands = ReadRestoreCommands(link);
    link.SendCommand(QStringLiteral("PD0"), true, Full);
    int status = 0;
    if (!ParsePositionReply(link.SendCommand(QStringLiteral("PC?"), false, Full), &o.position,
                            &o.shortStatus, &status)) {
        o.position.clear();
        o.shortStatus.clear();
    }
    return ReadResult::Done;
}

bool EraseOnAxis(SerialLink& link, Operator& op) {
    BusyGuard busy;
    const UnlockResult unlock = RequestWriteUnlock(link);
    if (unlock == UnlockResult::LinkFailed) {
        link.reportFailure(op, MessageId::NoReply);
        return false;
    }
    if (unlock == UnlockResult::Refused || PseudoReply::is(ErasePlcArea(link))) {
        op.error(MessageId::ProgramFailed);
        return false;
    }
    return true;
}

} // namespace PlcArea
