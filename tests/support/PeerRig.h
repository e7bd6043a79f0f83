#pragma once

// The program's link to a scripted pty peer instead of the simulator: for the
// link tests, whose replies are the ones no controller gives (torn frames,
// bad checksums, silence, a port that vanishes).
#include "PtyPeer.h"
#include "ScriptedOperator.h"
#include "link/SerialLink.h"

struct PeerRig {
    ScriptedOperator op;
    PtyPeer peer;
    SerialLink link{op};

    bool open(const QString& address = QStringLiteral("0")) {
        if (!peer.open())
            return false;
        link.setPorts({peer.slavePath()});
        link.setCurrentAddress(address);
        return link.TogglePort();
    }
};
