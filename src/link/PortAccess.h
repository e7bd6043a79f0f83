#pragma once

// Why a port could not be opened. A port held by another program and a
// device whose access rights shut the user out fail the same way in the
// serial-port layer; the device file itself tells them apart.

#include <QList>
#include <QString>

namespace PortAccess {

enum class Failure {
    None,
    AccessDenied, // the device's rights deny the user read/write access
    InUse,        // the user may open it, so another program holds it
    Other,        // gone, or refused for a reason the device does not show
};

// The device file's owner and rights and the user's identity.
struct DeviceRights {
    bool exists = false;
    unsigned mode = 0; // permission bits
    unsigned ownerUid = 0;
    unsigned ownerGid = 0;
    QString groupName;        // name of ownerGid, empty when unknown
    unsigned userUid = 0;     // effective uid
    QList<unsigned> userGids; // effective gid and supplementary groups
};

// Reads the rights of devicePath ("/dev/ttyUSB0") and the calling user.
DeviceRights rightsOf(const QString& devicePath);

// The verdict for an open that failed; permissionError: the serial-port
// layer reported a refused open (rights or a lock held by another program).
Failure classify(const DeviceRights& rights, bool permissionError);

// The device path of a port list entry: entries without a path live in /dev.
QString devicePath(const QString& portName);

} // namespace PortAccess
