#include "link/BaudChange.h"

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
    if (deviceType.startsWith(QLatin1String("TKV")) || deviceType.startsWith(QLatin1String("TMW")))
        return {0, 1, 2, 3, 4};
    return {0, 3};
}

QString readDeviceType(SerialLink& link) {
    return link.SendCommand(QStringLiteral("DO?"), true, Full);
}

Result ChangeBaudRate(SerialLink& link, int newBaudIndex) {
    const QString command = commandOf(newBaudIndex);
    if (command.isEmpty())
        return Result::Refused;
    if (link.SendCommand(command, true, Full) != QLatin1String("OK"))
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
