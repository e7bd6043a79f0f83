#include "link/PortDiscovery.h"

#include "link/SerialLink.h"

#include <QCollator>
#include <QSerialPortInfo>
#include <algorithm>
#include <future>
#include <mutex>

bool naturalLess(const QString& a, const QString& b) {
    int i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            int ei = i, ej = j;
            while (ei < a.size() && a.at(ei).isDigit())
                ++ei;
            while (ej < b.size() && b.at(ej).isDigit())
                ++ej;
            // Compare the numbers by value without overflowing on long runs.
            QStringView na = QStringView(a).mid(i, ei - i), nb = QStringView(b).mid(j, ej - j);
            while (na.size() > 1 && na.front() == u'0')
                na = na.mid(1);
            while (nb.size() > 1 && nb.front() == u'0')
                nb = nb.mid(1);
            if (na.size() != nb.size())
                return na.size() < nb.size();
            const int c = na.compare(nb);
            if (c != 0)
                return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        if (a.at(i) != b.at(j))
            return a.at(i) < b.at(j);
        ++i;
        ++j;
    }
    return (a.size() - i) < (b.size() - j);
}

namespace {
QStringList systemPorts() {
    QStringList system;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        system << info.portName();
    std::sort(system.begin(), system.end(), naturalLess);
    system.removeDuplicates();
    return system;
}

std::mutex prefetchMutex;
std::future<QStringList> prefetched;
} // namespace

void PrefetchSystemPorts() {
    const std::lock_guard<std::mutex> lock(prefetchMutex);
    if (!prefetched.valid())
        prefetched = std::async(std::launch::async, systemPorts);
}

QStringList DiscoverPorts(const QStringList& extraPorts) {
    std::future<QStringList> early;
    {
        const std::lock_guard<std::mutex> lock(prefetchMutex);
        early = std::move(prefetched);
    }
    const QStringList system = early.valid() ? early.get() : systemPorts();

    QStringList ports = system;
    for (const QString& p : extraPorts) {
        const QString t = p.trimmed();
        if (t.isEmpty() || t == SerialLink::simulatorEntry() || ports.contains(t))
            continue;
        // A device path and the system name of a listed port are the same port.
        if (t.startsWith(QLatin1String("/dev/")) && ports.contains(t.mid(5)))
            continue;
        ports << t;
    }
#ifdef KORMAK_WITH_SIMULATOR
    ports << SerialLink::simulatorEntry();
#endif
    return ports;
}

int portIndexAfterRefresh(const QStringList& before, int selected, const QStringList& fresh) {
    if (selected < 0 || selected >= before.size())
        return 0;
    const int i = int(fresh.indexOf(before.at(selected)));
    return i >= 0 ? i : 0;
}
