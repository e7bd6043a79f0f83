// The simulated controller's reading of the line: bytes as a program or line noise may
// send them, split into frames, decoded, and carried out by the axes. Whatever comes in,
// what goes out is whole reply frames, each with a correct checksum.
#include "FuzzInput.h"
#include "sim/SimBus.h"
#include "sim/SimCommandSyntax.h"
#include "sim/SimFrame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    sim::SimFrame::decode(bytes);
    const QString text = QString::fromLatin1(bytes);
    const QString mnemonic = sim::SimCommandSyntax::mnemonicOf(text);
    if (!mnemonic.isEmpty() && !text.startsWith(mnemonic))
        __builtin_trap();
    if (sim::SimCommandSyntax::wellFormed(text) && mnemonic.isEmpty())
        __builtin_trap();

    sim::SimBus bus(QStringLiteral("03A"));
    bus.axis(u'A').setFamily(QStringLiteral("RZH 2.0"));
    bus.axis(u'3').sfiCard = true;
    bus.axis(u'3').ioCard = true;
    // The same bytes as one read, then as framed requests to each axis.
    QByteArray out = bus.receive(bytes, 0, 28800);
    for (QChar a : {u'0', u'3', u'A'})
        out += bus.receive(sim::SimFrame::request(a, text), 10, 28800);
    for (const QByteArray& frame : out.split(sim::SimFrame::ETX)) {
        if (frame.isEmpty())
            continue;
        // STX, address, two status digits, blank, data, ":", two checksum digits.
        if (frame.size() < 8 || frame.at(0) != sim::SimFrame::STX ||
            frame.at(frame.size() - 3) != ':')
            __builtin_trap();
        bool ok = false;
        const int sum = frame.right(2).toInt(&ok, 16);
        if (!ok || sum != sim::SimFrame::checksum(frame.mid(1, frame.size() - 3)))
            __builtin_trap();
    }
    return 0;
}
