// The RS monitor's standard input as a terminal or a script may deliver it:
// lines read, decoded as UTF-8 and made into commands. Whatever is accepted
// must go out byte for byte as it stands, within the frame's length and free
// of control characters; whatever decodes must decode as Qt's UTF-8 decoder
// has it.
#include "FuzzInput.h"
#include "link/RsMonitor.h"

#include <QStringDecoder>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

void tryLine(const QByteArray& line) {
    QString text;
    QString refusal;
    const bool decoded = RsMonitor::decodeInputLine(line, &text, &refusal);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString reference = utf8.decode(line);
    check(decoded != utf8.hasError());
    check(decoded ? text == reference : !refusal.isEmpty());
    if (!decoded)
        return;
    for (auto letterCase : {RsMonitor::Case::Upper, RsMonitor::Case::AsTyped}) {
        const RsMonitor::TypedCommand typed = RsMonitor::commandFromTyped(text, letterCase);
        check(typed.accepted() != typed.command.isEmpty() || text.isEmpty());
        if (!typed.accepted())
            continue;
        const QByteArray wire = toWindows1252(typed.command);
        check(wire.size() == typed.command.size());
        check(wire.size() <= RsMonitor::MaxCommandLength);
        check(fromWindows1252(wire) == typed.command);
        for (char b : wire) {
            const auto u = static_cast<unsigned char>(b);
            check(u >= 0x20 && u != 0x7F && (u < 0x80 || u > 0x9F || u == 0x80 || u >= 0x82));
        }
        // The rule holds again on its own result.
        check(RsMonitor::commandFromTyped(typed.command, letterCase).command == typed.command);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes = fuzzBytes(data, size);
    std::FILE* in = fmemopen(bytes.data(), size_t(bytes.size()), "r");
    if (!in) {
        // fmemopen refuses an empty buffer on some C libraries.
        check(size == 0);
        return 0;
    }
    QByteArray line;
    qsizetype taken = 0;
    while (RsMonitor::readInputLine(in, &line)) {
        check(!line.contains('\n'));
        taken += line.size();
        tryLine(line);
    }
    std::fclose(in);
    check(taken <= bytes.size());
    return 0;
}
