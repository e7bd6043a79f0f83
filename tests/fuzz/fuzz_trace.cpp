// The live trace's reader of position replies, and the trace it builds from a
// series of them: lines "KIND MS TEXT", KIND m (move started), r (read while
// running), s (read that found the motor stopped), i (reads missed), d (time
// runs on); TEXT is the reply as it came.
#include "FuzzInput.h"
#include "axis/AxisTrace.h"

#include <QStringList>
#include <cmath>

// The trace's times come from a monotonic clock: from 0 up to a century of milliseconds.
// Times outside that range in the input are held to it, so that the harness's own step
// of 250 ms never overflows.
constexpr qint64 kLatestMs = qint64(100) * 365 * 24 * 3600 * 1000;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    AxisTrace trace;
    qint64 ms = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString kind = line.left(1);
        const QString rest = line.mid(2);
        const qsizetype blank = rest.indexOf(QLatin1Char(' '));
        bool ok = false;
        const qint64 at = rest.left(blank < 0 ? rest.size() : blank).toLongLong(&ok);
        ms = qBound(qint64(0), ok ? at : ms + 250, kLatestMs);
        const QString reply = blank < 0 ? QString() : rest.mid(blank + 1);

        const std::optional<qint64> position = AxisTrace::parsePosition(reply);
        // Only an optional sign and digits make a position.
        if (position) {
            const QString t = reply.trimmed();
            for (qsizetype i = 0; i < t.size(); ++i)
                if (!t.at(i).isDigit() && !(i == 0 && (t.at(0) == u'-' || t.at(0) == u'+')))
                    __builtin_trap();
        }
        if (kind == QLatin1String("m"))
            trace.addMoveStart(ms, reply);
        else if (kind == QLatin1String("i"))
            trace.interrupt();
        else if (kind == QLatin1String("d"))
            trace.dropBefore(ms);
        else
            trace.addPosition(ms, reply, kind == QLatin1String("r"));
    }
    for (const AxisTrace::Sample& s : trace.samples())
        if (s.speed && !std::isfinite(*s.speed))
            __builtin_trap();
    const QString csv = trace.toCsv();
    if (csv.count(QLatin1Char('\n')) != trace.samples().size() + 1)
        __builtin_trap();
    trace.clear();
    if (!trace.samples().isEmpty() || !trace.marks().isEmpty())
        __builtin_trap();
    return 0;
}
