// Whatever arrives on the line after a request: the reply is cut out of it,
// or the wait goes on, or the line counts as flooded.
#include "FuzzInput.h"
#include "link/DeviceFamily.h"
#include "link/ReplyFrame.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray received = fuzzBytes(data, size);
    for (bool dataOnly : {true, false}) {
        const ReplyFrame::Cut cut = ReplyFrame::cut(received, dataOnly);
        // A reply is never longer than what came in, and a flooded line is
        // never taken for a reply.
        if (cut.state == ReplyFrame::Cut::State::Complete &&
            (cut.text.size() > received.size() || received.size() > ReplyFrame::ReceiveLimit))
            __builtin_trap();
        if (cut.state == ReplyFrame::Cut::State::Overflow &&
            received.size() <= ReplyFrame::ReceiveLimit)
            __builtin_trap();
        // A reply to "DO?": the three rules nest (exact, then begins with,
        // then contains), and the slot count is one of the two areas.
        if (cut.state == ReplyFrame::Cut::State::Complete) {
            using Rule = DeviceFamily::Rule;
            const DeviceFamily family(cut.text);
            const int exact = family.ampereEntryCount(Rule::Exact);
            const int begins = family.ampereEntryCount(Rule::BeginsWith);
            if ((exact > 0 && begins != exact) ||
                (begins > 0 && !family.ampereFamily(Rule::Contains)))
                __builtin_trap();
            if (family.slotCount() != PlcSlotCount && family.slotCount() != PlcSlotCountEight)
                __builtin_trap();
            family.code();
        }
    }
    return 0;
}
