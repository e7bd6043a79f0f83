#include "link/LinkTarget.h"

#include "link/SerialLink.h"

LinkPlace& LinkPlace::of(SerialLink& link) {
    if (auto* place = link.findChild<LinkPlace*>(QString(), Qt::FindDirectChildrenOnly))
        return *place;
    return *new LinkPlace(link);
}

LinkPlace::LinkPlace(SerialLink& link) : QObject(&link), link_(link) {
    portOpenChanged(link.portOpen());
    connect(&link, &SerialLink::portOpenChanged, this, &LinkPlace::portOpenChanged);
}

void LinkPlace::portOpenChanged(bool open) {
    // TogglePort opens on the selection of the moment.
    known_ = open;
    portIndex_ = link_.portIndex();
    baudIndex_ = link_.baudIndex();
}

AxisTarget::AxisTarget(SerialLink& link, const AxisAddress& address, int portIndex, int baudIndex,
                       Port port)
    : link_(link), previousAddress_(link.currentAddress()), selectedPort_(link.portIndex()),
      selectedBaud_(link.baudIndex()) {
    link_.setAxisAddress(address);
    if (port == Port::Stay || !link_.portOpen())
        return;
    const LinkPlace& place = LinkPlace::of(link_);
    if (place.isAt(portIndex, baudIndex))
        return;
    if (port == Port::Borrow && place.known()) {
        borrowed_ = true;
        previousPort_ = place.portIndex();
        previousBaud_ = place.baudIndex();
    }
    openAt(portIndex, baudIndex);
}

AxisTarget::~AxisTarget() {
    if (borrowed_)
        openAt(previousPort_, previousBaud_);
    link_.setCurrentAddress(previousAddress_);
}

void AxisTarget::openAt(int portIndex, int baudIndex) {
    if (link_.portOpen())
        link_.TogglePort();
    link_.setPortIndex(portIndex);
    link_.setBaudIndex(baudIndex);
    link_.TogglePort();
    // The bar goes on showing the operator's own choice.
    link_.setPortIndex(selectedPort_);
    link_.setBaudIndex(selectedBaud_);
}
