#include "link/TelnetSession.h"

namespace {

bool performedHere(uint8_t option) {
    return option == TelnetSession::OptBinary || option == TelnetSession::OptSuppressGoAhead ||
           option == TelnetSession::OptComPort;
}

// Echo stays refused: an echoed request frame would read as its own reply.
bool acceptedFromFarSide(uint8_t option) {
    return option == TelnetSession::OptBinary || option == TelnetSession::OptSuppressGoAhead;
}

QByteArray verb(uint8_t v, uint8_t option) {
    QByteArray b;
    b += char(TelnetSession::IAC);
    b += char(v);
    b += char(option);
    return b;
}

} // namespace

QByteArray TelnetSession::greeting() {
    QByteArray out;
    for (uint8_t option : {OptBinary, OptSuppressGoAhead, OptComPort}) {
        local_[option] = State::Asked;
        out += verb(WILL, option);
    }
    for (uint8_t option : {OptBinary, OptSuppressGoAhead}) {
        remote_[option] = State::Asked;
        out += verb(DO, option);
    }
    return out;
}

QByteArray TelnetSession::receive(const QByteArray& wire, QByteArray* answer) {
    QByteArray data;
    data.reserve(wire.size());
    for (const char c : wire) {
        const auto b = static_cast<uint8_t>(c);
        switch (reading_) {
        case Reading::Data:
            if (b == IAC) {
                reading_ = Reading::Iac;
            } else if (dataCr_ && b == 0 && !remoteEnabled(OptBinary)) {
                dataCr_ = false; // the NUL that pads a CR outside binary mode
            } else {
                dataCr_ = b == '\r';
                data += c;
            }
            break;
        case Reading::Iac:
            if (b == IAC) {
                data += c;
                dataCr_ = false;
                reading_ = Reading::Data;
            } else if (b >= WILL && b <= DONT) {
                verb_ = b;
                reading_ = Reading::Verb;
            } else if (b == SB) {
                reading_ = Reading::SbOption;
            } else {
                reading_ = Reading::Data; // NOP, GA, a stray SE and the like
            }
            break;
        case Reading::Verb:
            handleVerb(verb_, b, answer);
            reading_ = Reading::Data;
            break;
        case Reading::SbOption:
            sbOption_ = b;
            sb_.clear();
            sbTruncated_ = false;
            reading_ = Reading::SbData;
            break;
        case Reading::SbData:
            if (b == IAC) {
                reading_ = Reading::SbIac;
            } else if (sb_.size() < SubnegotiationLimit) {
                sb_ += c;
            } else {
                sbTruncated_ = true;
            }
            break;
        case Reading::SbIac:
            if (b == IAC) {
                if (sb_.size() < SubnegotiationLimit)
                    sb_ += c;
                else
                    sbTruncated_ = true;
                reading_ = Reading::SbData;
            } else if (b == SE) {
                handleSubnegotiation();
                reading_ = Reading::Data;
            } else if (b >= WILL && b <= DONT) {
                // An unfinished subnegotiation is dropped; the command that
                // cut it short counts.
                verb_ = b;
                reading_ = Reading::Verb;
            } else if (b == SB) {
                reading_ = Reading::SbOption;
            } else {
                reading_ = Reading::Data;
            }
            break;
        }
    }
    return data;
}

void TelnetSession::handleVerb(uint8_t v, uint8_t option, QByteArray* answer) {
    // Answer only what changes a state, so that two sides never bounce the
    // same request back and forth (RFC 854's rule against loops).
    QByteArray reply;
    switch (v) {
    case DO:
        if (!performedHere(option))
            reply = verb(WONT, option);
        else if (local_[option] == State::Off)
            reply = verb(WILL, option);
        if (performedHere(option))
            local_[option] = State::On;
        break;
    case DONT:
        if (local_[option] == State::On)
            reply = verb(WONT, option);
        if (option == OptComPort && local_[option] != State::Off)
            comPortRefused_ = true;
        local_[option] = State::Off;
        break;
    case WILL:
        if (!acceptedFromFarSide(option))
            reply = verb(DONT, option);
        else if (remote_[option] == State::Off)
            reply = verb(DO, option);
        if (acceptedFromFarSide(option))
            remote_[option] = State::On;
        break;
    case WONT:
        if (remote_[option] == State::On)
            reply = verb(DONT, option);
        remote_[option] = State::Off;
        break;
    default:
        break;
    }
    if (answer)
        *answer += reply;
}

void TelnetSession::handleSubnegotiation() {
    if (sbOption_ != OptComPort || sbTruncated_ || sb_.isEmpty())
        return;
    const auto code = static_cast<uint8_t>(sb_.at(0));
    if (code == SetBaudRate + ServerOffset && sb_.size() >= 5) {
        uint32_t rate = 0;
        for (int i = 1; i <= 4; ++i)
            rate = (rate << 8) | static_cast<uint8_t>(sb_.at(i));
        answeredRate_ = rate;
        ++rateAnswers_;
    }
    // The line and modem state notifications and the answers to the other
    // settings carry nothing the link waits for.
}

QByteArray TelnetSession::encode(const QByteArray& data) const {
    const bool binary = localEnabled(OptBinary);
    QByteArray out;
    out.reserve(data.size() + 8);
    for (const char c : data) {
        out += c;
        if (static_cast<uint8_t>(c) == IAC)
            out += c;
        else if (c == '\r' && !binary)
            out += '\0';
    }
    return out;
}

QByteArray TelnetSession::comPortCommand(uint8_t code, const QByteArray& value) {
    QByteArray out;
    out += char(IAC);
    out += char(SB);
    out += char(OptComPort);
    out += char(code);
    for (const char c : value) {
        out += c;
        if (static_cast<uint8_t>(c) == IAC)
            out += c;
    }
    out += char(IAC);
    out += char(SE);
    return out;
}

QByteArray TelnetSession::rateRequest(int rate) const {
    const auto r = static_cast<uint32_t>(rate);
    QByteArray value;
    value += char((r >> 24) & 0xFF);
    value += char((r >> 16) & 0xFF);
    value += char((r >> 8) & 0xFF);
    value += char(r & 0xFF);
    return comPortCommand(SetBaudRate, value);
}

QByteArray TelnetSession::lineSettings(int rate) const {
    // 8 data bits, parity NONE (1), one stop bit (1), no flow control (1).
    return rateRequest(rate) + comPortCommand(SetDataSize, QByteArray(1, char(8))) +
           comPortCommand(SetParity, QByteArray(1, char(1))) +
           comPortCommand(SetStopSize, QByteArray(1, char(1))) +
           comPortCommand(SetControl, QByteArray(1, char(1)));
}
