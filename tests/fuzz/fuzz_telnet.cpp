// Whatever a network serial-port server sends on an "rfc2217://" connection:
// Telnet commands in any order, subnegotiations cut off or overlong, IAC in
// the data. The session must take it in any split, answer no more than it
// was asked, and never invent data.
#include "FuzzInput.h"
#include "link/TelnetSession.h"

namespace {

struct Outcome {
    QByteArray data;
    QByteArray answer;
    bool agreed = false;
    bool refused = false;
    unsigned rateAnswers = 0;
    uint32_t rate = 0;
};

Outcome feed(const QByteArray& wire, qsizetype split) {
    TelnetSession session;
    Outcome o;
    session.greeting();
    o.data += session.receive(wire.left(split), &o.answer);
    o.data += session.receive(wire.mid(split), &o.answer);
    o.agreed = session.comPortAgreed();
    o.refused = session.comPortRefused();
    o.rateAnswers = session.rateAnswers();
    o.rate = session.answeredRate();
    return o;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray wire = fuzzBytes(data, size);
    const Outcome whole = feed(wire, wire.size());
    // Data is never longer than what came, and every answer (three bytes)
    // stands for a command of three bytes.
    if (whole.data.size() > wire.size() || whole.answer.size() > wire.size() ||
        whole.answer.size() % 3 != 0)
        __builtin_trap();
    if (whole.rateAnswers > unsigned(wire.size()) / 9)
        __builtin_trap();
    // Where the network cuts the stream makes no difference.
    const qsizetype split = wire.isEmpty() ? 0 : qsizetype(uint8_t(wire.at(0))) % wire.size();
    const Outcome cut = feed(wire, split);
    if (cut.data != whole.data || cut.answer != whole.answer || cut.agreed != whole.agreed ||
        cut.refused != whole.refused || cut.rateAnswers != whole.rateAnswers ||
        cut.rate != whole.rate)
        __builtin_trap();
    // Data the program sends comes back unchanged through the far side's reading.
    TelnetSession sender, receiver;
    if (receiver.receive(sender.encode(wire), nullptr) != wire)
        __builtin_trap();
    return 0;
}
