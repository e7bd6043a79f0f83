#pragma once

class SerialLink;

// The link probe with baud-rate search: asks the axis at currentAddress for
// its date code ("IC?") with the short time-out, stepping through the five
// rates of the baud list (wrapping) until it answers. The rate found stays
// selected. A network port with the COM-port option changes the rate on the
// open connection; a raw network socket is asked at its one rate. Shows 10103 when no rate gets an
// answer, 10104 when the port is closed or cannot be reopened.
bool ProbeAxis(SerialLink& link);

// The same for a search over many addresses, where an axis that does not
// answer is an expected result rather than a fault: no rate answering shows
// nothing (a closed or vanished port is still reported).
bool ProbeAxisQuietly(SerialLink& link);
