#pragma once

// What the operator is told about a device whose rights shut them out.

#include "base/Texts.h"
#include "link/PortAccess.h"

namespace PortAccess {

// Join the owning group only when that group may read and write the device;
// otherwise only its owner may open it, and no group membership would help
// (telling a technician to join "root" would be bad advice).
inline QString accessHint(const DeviceRights& rights, const QString& device) {
    if ((rights.mode & 060) == 060) {
        const QString group =
            rights.groupName.isEmpty() ? QString::number(rights.ownerGid) : rights.groupName;
        return Texts::text("link.accessDenied").arg(device, group);
    }
    return Texts::text("link.ownerOnly").arg(device);
}

} // namespace PortAccess
