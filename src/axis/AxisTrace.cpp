#include "axis/AxisTrace.h"

#include <limits>

std::optional<qint64> AxisTrace::parsePosition(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-')))
        ++i;
    if (i == t.size())
        return std::nullopt;
    for (qsizetype j = i; j < t.size(); ++j)
        if (t.at(j) < QLatin1Char('0') || t.at(j) > QLatin1Char('9'))
            return std::nullopt;
    bool ok = false;
    const qint64 value = t.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

void AxisTrace::append(qint64 ms, qint64 position) {
    Sample s;
    s.ms = ms;
    s.position = position;
    // Only a later read of the same move gives a speed: across a pause between
    // two moves the difference says nothing about how fast the axis ran.
    if (inMove_ && !samples_.isEmpty() && ms > samples_.last().ms) {
        // In double: a garbled pair of replies must not overflow the difference.
        // The time step is taken exactly first (it is at least 1 ms), as two
        // large times can round to the same double.
        const double elapsedMs = double(quint64(ms) - quint64(samples_.last().ms));
        s.speed = (double(position) - double(samples_.last().position)) * 1000.0 / elapsedMs;
    }
    samples_.append(s);
    dropBefore(ms);
}

bool AxisTrace::addPosition(qint64 ms, const QString& positionText, bool running) {
    if (!running && !inMove_)
        return false;
    const std::optional<qint64> position = parsePosition(positionText);
    if (!position)
        return false;
    // A read that goes back in time (a clock that was reset) starts afresh.
    if (!samples_.isEmpty() && ms < samples_.last().ms)
        inMove_ = false;
    append(ms, *position);
    samples_.last().endsMove = !running;
    inMove_ = running;
    return true;
}

void AxisTrace::addMoveStart(qint64 ms, const QString& positionText) {
    Mark m;
    m.ms = ms;
    m.position = parsePosition(positionText);
    marks_.append(m);
    inMove_ = false;
    if (m.position) {
        append(ms, *m.position);
        inMove_ = true;
    } else {
        dropBefore(ms);
    }
}

void AxisTrace::dropBefore(qint64 now) {
    const qint64 oldest = now < std::numeric_limits<qint64>::min() + WindowMs
                              ? std::numeric_limits<qint64>::min()
                              : now - WindowMs;
    qsizetype n = 0;
    while (n < samples_.size() && samples_.at(n).ms < oldest)
        ++n;
    samples_.remove(0, n);
    // The first sample kept has lost the one its speed was taken from, but
    // the speed itself stays true.
    n = 0;
    while (n < marks_.size() && marks_.at(n).ms < oldest)
        ++n;
    marks_.remove(0, n);
}

void AxisTrace::clear() {
    samples_.clear();
    marks_.clear();
    inMove_ = false;
}

QString AxisTrace::toCsv() const {
    QString csv = QStringLiteral("time_s,position,speed\n");
    for (const Sample& s : samples_) {
        // Whole milliseconds, written without a detour through binary fractions.
        csv += QStringLiteral("%1.%2").arg(s.ms / 1000).arg(s.ms % 1000, 3, 10, QLatin1Char('0')) +
               QLatin1Char(',') + QString::number(s.position) + QLatin1Char(',');
        if (s.speed)
            csv += QString::number(*s.speed, 'f', 1);
        csv += QLatin1Char('\n');
    }
    return csv;
}
