#include "link/BaudChange.h"

#include "link/DeviceFamily.h"
#include "link/LinkSettings.h"
#include "link/SerialLink.h"

namespace BaudChange {

QString commandOf(int baudIndex) {
    // The controller's own rate codes: "DB0" is 28800, not 9600.
    static const char* const commands[] = {"DB1", "DB2", "DB3", "DB0", "DB4"};
    if (baudIndex < 0 || baudIndex >= int(std::size(commands)))
        return {};
    return QString::fromLatin1(commands[baudIndex]);
}

QList<int> offeredIndexes(const QString& deviceType) {
    if (DeviceFamily(deviceType).fullRateRange())
        return {0, 1, 2, 3, 4};
    return {0, 3};
}

QString readDeviceType(SerialLink& link) {
    return DeviceFamily::read(link).text();
}

namespace {

// Opens the port at rateIndex and asks the axis for its date code with the
// probe's short time-out; true when it answered.
bool answersAt(SerialLink& link, int rateIndex) {
    if (link.portOpen())
        link.TogglePort();
    link.setBaudIndex(rateIndex);
    if (!link.TogglePort())
        return false;
    const unsigned timeout = link.timeoutMs();
    link.setTimeoutMs(SerialLink::ProbeTimeoutMs);
    const bool answered = !PseudoReply::is(link.SendCommand(QStringLiteral("IC?"), true, Full));
    link.setTimeoutMs(timeout);
    return answered;
}

} // namespace

Result ChangeBaudRate(SerialLink& link, int newBaudIndex) {
    const QString command = commandOf(newBaudIndex);
    if (command.isEmpty())
        return Result::Refused;
    const int oldBaudIndex = link.baudIndex();
    const QString reply = link.SendCommand(command, true, Full);
    if (PseudoReply::is(reply)) {
        // The axis may have switched before its reply was lost: saying that
        // the rate stays would leave the operator talking to a silent axis.
        if (answersAt(link, newBaudIndex)) {
            LinkSettings::setBaud(newBaudIndex);
            return Result::LostAtNew;
        }
        if (answersAt(link, oldBaudIndex))
            return Result::LostAtOld;
        return Result::LostNowhere;
    }
    if (reply != QLatin1String("OK"))
        return Result::Refused;
    // The axis listens at the new rate from now on: the link follows it.
    if (link.portOpen())
        link.TogglePort();
    link.setBaudIndex(newBaudIndex);
    LinkSettings::setBaud(newBaudIndex);
    if (!link.TogglePort())
        return Result::ReopenFailed;
    return Result::Changed;
}

} // namespace BaudChange
