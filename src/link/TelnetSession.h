#pragma once

// The Telnet side of a network serial port with the COM-port option (RFC 2217):
// splits the bytes from the far side into line data and Telnet commands,
// answers the option negotiation, and builds what goes the other way. Knows
// nothing of sockets, so that every byte sequence can be fed to it directly.

#include <QByteArray>
#include <array>
#include <cstdint>

class TelnetSession {
public:
    // Telnet bytes (RFC 854) and the options this client speaks.
    static constexpr uint8_t IAC = 255, DONT = 254, DO = 253, WONT = 252, WILL = 251, SB = 250,
                             SE = 240;
    static constexpr uint8_t OptBinary = 0, OptEcho = 1, OptSuppressGoAhead = 3, OptComPort = 44;
    // COM-port commands of the client; the server answers each with code + 100.
    static constexpr uint8_t SetBaudRate = 1, SetDataSize = 2, SetParity = 3, SetStopSize = 4,
                             SetControl = 5;
    static constexpr uint8_t ServerOffset = 100;
    // A subnegotiation longer than this is no COM-port answer: its rest is dropped.
    static constexpr int SubnegotiationLimit = 64;

    // What the client says first: binary both ways, no go-ahead, and the
    // COM-port option offered.
    QByteArray greeting();

    // Takes bytes from the far side. Returns the line data they carry (IAC
    // IAC unescaped, commands removed) and appends to answer what has to go
    // back for the negotiation. A command split across two calls is
    // completed by the second.
    QByteArray receive(const QByteArray& wire, QByteArray* answer);

    // The line data as it has to go on the wire: IAC doubled (and, while the
    // far side has not agreed to binary, CR followed by NUL).
    QByteArray encode(const QByteArray& data) const;

    // The COM-port settings for rate, 8N1, no flow control. The flow-control
    // request is never waited for: a far side that cannot set control lines
    // may not answer it.
    QByteArray lineSettings(int rate) const;
    QByteArray rateRequest(int rate) const;

    // The far side agreed to the COM-port option (DO COM-PORT-OPTION).
    bool comPortAgreed() const { return local_[OptComPort] == State::On; }
    // The far side refused it (DONT): the rate cannot be set through it.
    bool comPortRefused() const { return comPortRefused_; }
    // Each rate answer counts up: a caller that asked for a rate waits until
    // the count moves past what it was when it asked.
    unsigned rateAnswers() const { return rateAnswers_; }
    // The rate in the last answer (the far side's rate after the request).
    uint32_t answeredRate() const { return answeredRate_; }

    bool localEnabled(uint8_t option) const { return local_[option] == State::On; }
    bool remoteEnabled(uint8_t option) const { return remote_[option] == State::On; }

private:
    enum class State : uint8_t { Off, Asked, On };
    enum class Reading : uint8_t { Data, Iac, Verb, SbOption, SbData, SbIac };

    void handleVerb(uint8_t verb, uint8_t option, QByteArray* answer);
    void handleSubnegotiation();
    static QByteArray comPortCommand(uint8_t code, const QByteArray& value);

    std::array<State, 256> local_{};  // options this side performs
    std::array<State, 256> remote_{}; // options the far side performs
    Reading reading_ = Reading::Data;
    bool dataCr_ = false; // the last data byte was a CR (NUL after it is padding)
    uint8_t verb_ = 0;
    uint8_t sbOption_ = 0;
    QByteArray sb_;
    bool sbTruncated_ = false;
    bool comPortRefused_ = false;
    unsigned rateAnswers_ = 0;
    uint32_t answeredRate_ = 0;
};
