// A file handed to "plc load": a listing, a parameter file, or anything else.
// Whatever is accepted must fit the wire byte for byte (one frame a slot
// write, every character a code page 1252 byte, no control character), and
// its dump must read back as the same area; whatever is refused says why.
#include "FuzzInput.h"
#include "axis/MemoryAreas.h"
#include "plc/PlcListing.h"

#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzBytes(data, size);
    PlcListing::Listing listing;
    QString error;
    if (!PlcListing::Read(bytes, &listing, &error)) {
        check(!error.isEmpty());
        return 0;
    }
    check(listing.texts.size() == plcSlotCount(false));
    check(listing.highest >= -1 && listing.highest < plcSlotCount(false));
    check(listing.erase == (listing.highest < 0));
    QByteArray dump = PlcListing::DumpHeader(QStringLiteral("0")).toUtf8() + '\n';
    for (int slot = 0; slot < listing.texts.size(); ++slot) {
        const QString& text = listing.texts.at(slot);
        check(slot <= listing.highest || text.isEmpty());
        if (text.isEmpty())
            continue;
        const QByteArray wire = toWindows1252(plcSlotWriteCommand(slot, text, false));
        check(wire.size() <= PlcListing::maxWriteCommandLength());
        check(fromWindows1252(wire.mid(4)) == text);
        for (char b : wire)
            check(static_cast<unsigned char>(b) >= 0x20);
        dump += PlcListing::DumpLine(slot, text).toUtf8() + '\n';
    }
    // What dump would print of the area loads as the same area.
    PlcListing::Listing again;
    check(PlcListing::Read(dump, &again, &error));
    check(again.texts == listing.texts);
    return 0;
}
