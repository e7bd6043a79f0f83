#include "link/ProbeAxis.h"
#include "base/MessageIds.h"

#include "base/Operator.h"
#include "link/SerialLink.h"

namespace {

// Puts the time-out back on every way out of the probe.
class ProbeTimeout {
public:
    explicit ProbeTimeout(SerialLink& link) : link_(link) {
        link_.setTimeoutMs(SerialLink::ProbeTimeoutMs);
    }
    ~ProbeTimeout() { link_.setTimeoutMs(SerialLink::DefaultTimeoutMs); }

private:
    SerialLink& link_;
};

} // namespace

namespace {

bool probe(SerialLink& link, bool reportSilence) {
    const int entries = int(SerialLink::baudEntries().size());
    // A raw network socket runs at the far side's rate: only that is tried.
    const bool setsRate = link.portSetsRate();
    const int rates = setsRate ? entries : 1;
    const int start = link.baudIndex();
    bool answered = false;
    bool portLost = false;
    {
        ProbeTimeout timeout(link);
        for (int t = 1; t <= rates; ++t) {
            const QString reply = link.SendCommand(QStringLiteral("IC?"), true, Full);
            if (reply == PseudoReply::Error) {
                // The port is closed (or vanished): no rate can answer.
                portLost = true;
                break;
            }
            if (reply != PseudoReply::Timeout) {
                answered = true;
                break;
            }
            if (setsRate)
                link.changeRate((start + t) % entries);
        }
    }
    if (answered)
        return true;
    // A flooded or vanished port has been reported by the link already.
    if (!link.lastFailureShown() && (portLost || reportSilence))
        link.op().error(portLost ? MessageId::PortNotOpened : MessageId::NoReply);
    return false;
}

} // namespace

bool ProbeAxis(SerialLink& link) {
    return probe(link, true);
}

bool ProbeAxisQuietly(SerialLink& link) {
    return probe(link, false);
}
