#include "link/PortAccess.h"

#include <QFile>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PortAccess {

DeviceRights rightsOf(const QString& devicePath) {
    DeviceRights r;
    struct stat st {};
    if (::stat(QFile::encodeName(devicePath).constData(), &st) != 0)
        return r;
    r.exists = true;
    r.mode = st.st_mode & 07777;
    r.ownerUid = st.st_uid;
    r.ownerGid = st.st_gid;
    if (const struct group* g = ::getgrgid(st.st_gid))
        r.groupName = QString::fromLocal8Bit(g->gr_name);
    r.userUid = ::geteuid();
    r.userGids << ::getegid();
    const int n = ::getgroups(0, nullptr);
    if (n > 0) {
        QList<gid_t> groups(n);
        const int got = ::getgroups(n, groups.data());
        for (int i = 0; i < got; ++i)
            r.userGids << groups.at(i);
    }
    return r;
}

Failure classify(const DeviceRights& rights, bool permissionError) {
    if (!rights.exists)
        return Failure::Other;
    // Read and write, as the link opens it; the superuser is never refused.
    bool allowed = true;
    if (rights.userUid != 0) {
        unsigned bits = rights.mode & 07; // others
        if (rights.userUid == rights.ownerUid)
            bits = (rights.mode >> 6) & 07;
        else if (rights.userGids.contains(rights.ownerGid))
            bits = (rights.mode >> 3) & 07;
        allowed = (bits & 06) == 06;
    }
    if (!allowed)
        return Failure::AccessDenied;
    return permissionError ? Failure::InUse : Failure::Other;
}

QString devicePath(const QString& portName) {
    return portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
}

} // namespace PortAccess
