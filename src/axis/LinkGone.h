#pragma once

// What an online dialog does when the operator acts after the port went away:
// it says that the link is gone rather than doing nothing visible.

#include "base/Operator.h"
#include "base/Texts.h"
#include "link/SerialLink.h"

// True, after telling the operator, when the link's port is closed under an
// online axis (lost or closed after an overflow): nothing can reach the axis.
inline bool TellIfLinkGone(const SerialLink& link, Operator& op) {
    if (link.portOpen() || link.axisAddress().isOffline())
        return false;
    op.show({0, Texts::text("link.gone"), 0, Operator::Icon::Error, Operator::Buttons::Ok});
    return true;
}
