#include "axis/AxisReading.h"
#include "base/MessageIds.h"

#include "axis/AxisVocabulary.h"
#include "axis/CKormakDoc.h"
#include "axis/MemoryAreas.h"
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

    const QString address = link.currentAddress();
    if (address.contains(QLatin1String("OFFLINE NEW"))) {
        ApplyNewOfflineDefaults(p);
        return false;
    }
    if (address.contains(QLatin1String("OFFLINE")))
        return false;

    QString reply;
    if (!query(link, op, "IF?", &reply))
        return false;
    p.maxRunFreq = leadingUnsigned(reply);
    p.runFreqList = runFreqListFor(p.maxRunFreq);
    p.maxStartStopFreq = maxStartStopFreqOf(p.maxRunFreq);
    p.startStopList = startStopListFor(p.maxStartStopFreq);

    if (!query(link, op, "PO?", &reply))
        return false;
    p.startStopFreq = reply;
    if (!query(link, op, "DO?", &reply))
        return false;
    p.deviceType = reply;
    if (!query(link, op, "PF?", &reply))
        return false;
    p.runFreq = reply;
    if (!query(link, op, "PL?", &reply))
        return false;
    p.systemType = replyIndex(reply, 10, systemTypeTextIds().size());
    if (!query(link, op, "PD?", &reply))
        return false;
    p.operatingMode = replyIndex(reply, 10, operatingModeTextIds().size());

    QString firstHalf, secondHalf;
    if (!query(link, op, "FR0050", &firstHalf) || !query(link, op, "FR0060", &secondHalf))
        return false;
    p.rampList = rampListFromValueList(firstHalf + secondHalf);

    if (!query(link, op, "PN?", &reply))
        return false;
    p.rampIndex = replyIndex(reply, 16, p.rampList.size());

    struct Field {
        const char* command;
        QString* value;
    };
    const Field registers[] = {{"PC?", &p.position},
                               {"PG?", &p.axisLimit},
                               {"PW?", &p.backlash},
                               {"PP?", &p.zeroOffsetPlus},
                               {"PM?", &p.zeroOffsetMinus}};
    for (const Field& field : registers) {
        if (!query(link, op, field.command, &reply))
            return false;
        *field.value = reply;
    }

    if (!query(link, op, "PI?", &reply))
        return false;
    p.sfiPresent = reply != QLatin1String("-1");
    return true;
}
