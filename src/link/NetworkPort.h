#pragma once

// Port names that reach a serial line over the network, as pyserial spells
// them: "rfc2217://HOST:PORT" (Telnet with the COM-port option: the rate
// travels) and "socket://HOST:PORT" (raw bytes at whatever rate the far side
// is set to). An IPv6 host stands in brackets; options after "?" are
// accepted and ignored.

#include <QString>
#include <optional>

struct NetworkPort {
    enum class Kind { Rfc2217, Socket };
    Kind kind = Kind::Rfc2217;
    QString host; // without brackets
    quint16 port = 0;

    // "HOST:PORT" as a person reads it, brackets around an IPv6 host.
    QString endpoint() const;
};

// The network port a name stands for; nothing for a malformed name or a
// local port.
std::optional<NetworkPort> parseNetworkPort(const QString& name);

// The name starts like a network port (whether or not the rest is right):
// such a name is never looked for among the system's serial ports.
bool looksLikeNetworkPort(const QString& name);
