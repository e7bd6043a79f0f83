#include "app/PortWatcher.h"

#include "base/BusyState.h"
#include "base/MessageIds.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/LinkSettings.h"
#include "link/NetworkPort.h"
#include "link/PortDiscovery.h"
#include "link/SerialLink.h"

#include <QFileInfo>
#include <QTimer>

namespace {

constexpr int PortWatchMs = 3000;

} // namespace

PortWatcher::PortWatcher(SerialLink& link, Operator& op, const QStringList& ports,
                         const QString& selectPort, std::function<bool()> panelOnline)
    : link_(link), operator_(op), panelOnline_(std::move(panelOnline)) {
    // This start's ports and those remembered from earlier starts that still exist.
    QStringList extra = ports;
    for (const QString& p : LinkSettings::rememberedPorts())
        if (looksLikeNetworkPort(p) || QFileInfo::exists(p))
            extra << p;
    candidates_ = extra;
    QStringList given;
    for (const QString& p : ports)
        if (p.startsWith(QLatin1Char('/')) || looksLikeNetworkPort(p))
            given << p;
    if (!given.isEmpty())
        LinkSettings::rememberPorts(given);
    link_.setPorts(DiscoverPorts(extra));
    int portIndex = LinkSettings::activeCom();
    if (!selectPort.isEmpty()) {
        const int i = int(link_.ports().indexOf(selectPort));
        if (i >= 0)
            portIndex = i;
    }
    link_.setPortIndex(portIndex);

    // Adapters come and go: the list is taken again now and then.
    auto* watch = new QTimer(this);
    watch->setObjectName(QStringLiteral("portWatch"));
    connect(watch, &QTimer::timeout, this, &PortWatcher::refresh);
    watch->start(PortWatchMs);
}

void PortWatcher::addCandidate(const QString& path) {
    if (!candidates_.contains(path))
        candidates_ << path;
}

void PortWatcher::addTyped(const QString& name) {
    // Online panels hold indexes into the list: it stays as it is while they do.
    const bool network = looksLikeNetworkPort(name);
    if (!listMayChange()) {
        emit portsChanged();
        return;
    }
    if (network && !parseNetworkPort(name)) {
        emit portsChanged();
        operator_.show({0, Texts::text("link.badNetworkName").arg(name), 0, Operator::Icon::Error,
                        Operator::Buttons::Ok});
        return;
    }
    if (!network && !(name.startsWith(QLatin1Char('/')) && QFileInfo::exists(name))) {
        emit portsChanged();
        operator_.error(MessageId::PortNotOpened);
        return;
    }
    addCandidate(name);
    LinkSettings::rememberPorts({name});
    const QStringList fresh = DiscoverPorts(existingCandidates());
    const int index = int(fresh.indexOf(name));
    link_.setPorts(fresh);
    link_.setPortIndex(index);
    emit portsChanged();
    LinkSettings::setActiveCom(link_.portIndex());
}

QStringList PortWatcher::existingCandidates() const {
    QStringList list;
    for (const QString& p : candidates_)
        if (!p.startsWith(QLatin1Char('/')) || QFileInfo::exists(p))
            list << p;
    return list;
}

bool PortWatcher::listMayChange() const {
    // Online panels and the stored "ActiveCOM" hold indexes into the list.
    if (link_.portOpen() || BusyState::isBusy())
        return false;
    return !(panelOnline_ && panelOnline_());
}

void PortWatcher::refresh() {
    if (!listMayChange())
        return;
    const QStringList fresh = DiscoverPorts(existingCandidates());
    if (fresh == link_.ports())
        return;
    const int index = portIndexAfterRefresh(link_.ports(), link_.portIndex(), fresh);
    // The stored choice follows its port when the port changed places; a
    // port that went away leaves it alone for when it comes back.
    const bool moved = fresh.contains(link_.selectedPort()) && index != link_.portIndex();
    link_.setPorts(fresh);
    link_.setPortIndex(index);
    emit portsChanged();
    if (moved)
        LinkSettings::setActiveCom(index);
}
