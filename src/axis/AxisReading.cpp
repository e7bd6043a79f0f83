#include "axis/AxisReading.h"
#include "base/MessageIds.h"

#include "axis/AxisVocabulary.h"
#include "axis/CKormakDoc.h"
#include "axis/MemoryAreas.h"
#include "axis/ParameterTable.h"
#include "base/Operator.h"
#include "link/SerialLink.h"

using namespace AxisVocabulary;

namespace {

// One query of the read; false (and the message) when it brought no reply.
bool query(SerialLink& link, Operator& op, const char* command, QString* reply) {
    *reply = link.SendCommand(QLatin1String(command), true, Full);
    if (PseudoReply::is(*reply)) {
        link.reportFailure(op, MessageId::NoReply);
        return false;
    }
    return true;
}

} // namespace

void ApplyNewOfflineDefaults(AxisParameters& p) {
    p.startStopList = defaultStartStopList();
    p.runFreqList = defaultRunFreqList();
    p.rampList = offlineRampList();
    p.rampIndex = 0;
    p.systemType = 0;
    p.operatingMode = 0;
    p.startStopFreq = QStringLiteral("400");
    p.runFreq = QStringLiteral("2000");
    p.position = QStringLiteral("0");
    p.axisLimit = QStringLiteral("1000000");
    p.backlash = QStringLiteral("0");
    p.zeroOffsetPlus = QStringLiteral("0");
    p.zeroOffsetMinus = QStringLiteral("0");
    p.boostCurrent = QStringLiteral("0");
    p.runCurrent = QStringLiteral("4");
    p.stopCurrent = QStringLiteral("2");
    p.boostTime = QStringLiteral("20");
}

bool ReadAxisConfiguration(SerialLink& link, Operator& op, AxisParameters& p) {
    p.startStopList = defaultStartStopList();
    p.runFreqList = defaultRunFreqList();
    p.rampList.clear();
    p.rampIndex = -1;

    const AxisAddress address = link.axisAddress();
    if (address.isNewConfiguration()) {
        ApplyNewOfflineDefaults(p);
        return false;
    }
    if (address.isOffline())
        return false;

    QString reply;
    if (!query(link, op, "IF?", &reply))
        return false;
    p.maxRunFreq = leadingUnsigned(reply);
    p.runFreqList = runFreqListFor(p.maxRunFreq);
    p.maxStartStopFreq = maxStartStopFreqOf(p.maxRunFreq);
    p.startStopList = startStopListFor(p.maxStartStopFreq);

    // The parameters in the order the panel reads them, with the device type,
    // the ramp list and the position between them where the panel needs them:
    // the ramp list before the ramp's index into it.
    const auto parameter = [&](const char* code) {
        const ParameterTable::Row& row = *ParameterTable::find(QString::fromLatin1(code));
        if (!query(link, op, ParameterTable::query(row, false).toLatin1().constData(), &reply))
            return false;
        if (QString* text = ParameterTable::textField(row, p)) {
            *text = reply;
        } else if (int* index = ParameterTable::selectionField(row, p)) {
            const bool hex = row.form == ParameterTable::Form::HexSelection;
            // The ramp list is the axis's own, read just before.
            const int entries = row.field == ParameterTable::Field::RampIndex
                                    ? int(p.rampList.size())
                                    : row.listSize;
            *index = replyIndex(reply, hex ? 16 : 10, entries);
        }
        return true;
    };
    if (!parameter("PO"))
        return false;
    if (!query(link, op, "DO?", &reply))
        return false;
    p.deviceType = reply;
    for (const char* code : {"PF", "PL", "PD"})
        if (!parameter(code))
            return false;

    QString firstHalf, secondHalf;
    if (!query(link, op, "FR0050", &firstHalf) || !query(link, op, "FR0060", &secondHalf))
        return false;
    p.rampList = rampListFromValueList(firstHalf + secondHalf);
    if (!parameter("PN"))
        return false;

    // The position is no parameter of the file; it is read with them.
    if (!query(link, op, "PC?", &reply))
        return false;
    p.position = reply;
    for (const char* code : {"PG", "PW", "PP", "PM"})
        if (!parameter(code))
            return false;

    if (!query(link, op, "PI?", &reply))
        return false;
    p.sfiPresent = reply != QLatin1String("-1");
    return true;
}
