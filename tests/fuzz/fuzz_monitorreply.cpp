// The RS monitor's side of a reply: the cut for each display choice, and the session log
// entry of an exchange whose bytes came from the line. The first byte picks the framing.
#include "FuzzInput.h"
#include "link/RsMonitor.h"

#include <QDateTime>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const int mode = data[0] % 4;
    const QByteArray bytes = fuzzBytes(data + 1, size - 1);
    const QString reply = fromWindows1252(bytes);
    for (int display = -1; display <= 3; ++display)
        RsMonitor::cutReply(reply, display);

    RsMonitor::LogEntry entry;
    entry.time = QDateTime(QDate(2024, 5, 1), QTime(12, 0));
    entry.mode = mode;
    const qsizetype third = bytes.size() / 3;
    entry.sent = bytes.left(third);
    entry.discarded = bytes.mid(third, third);
    entry.received = bytes.mid(2 * third);
    entry.result = reply;
    const QString text = RsMonitor::formatEntry(entry);
    // Every byte is shown as a printable character or a named one: no control character
    // reaches the log file, so a log line is one line.
    for (QChar c : RsMonitor::visibleText(bytes))
        if (c.unicode() < 0x20)
            __builtin_trap();
    if (RsMonitor::hexText(bytes).size() != (bytes.isEmpty() ? 0 : bytes.size() * 3 - 1))
        __builtin_trap();
    (void)text;
    return 0;
}
