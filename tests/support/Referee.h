#pragma once

// The simulated controller as the suite's referee. The program takes only the data field of
// most replies, so a wrong command it sends passes every test that looks at replies alone;
// the controller refuses it all the same. A test during which the program sent a command the
// simulated controller refused fails, unless the test said it would send it, or the refusal
// is one the program provokes knowingly (allowedRefusals() below).
#include "sim/SimBus.h"
#include "sim/SimHost.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QTest>

// A refusal the program provokes knowingly, with the reason in plain words. `command` is a
// pattern for the whole command text, `cause` for the refusal's cause.
struct AllowedRefusal {
    const char* command;
    const char* cause;
    const char* why;
};

inline const QList<AllowedRefusal>& allowedRefusals() {
    static const QList<AllowedRefusal> list = {
        {"ER[0-9A-F]{2}", "not now",
         "the printed report reads all 256 slots with the 256-slot query, whatever the device "
         "type; an axis with eight slots, read with another query, refuses it"},
    };
    return list;
}

inline bool isAllowedRefusal(const sim::Refusal& r) {
    for (const AllowedRefusal& a : allowedRefusals()) {
        const QRegularExpression command(
            QRegularExpression::anchoredPattern(QLatin1String(a.command)));
        const QRegularExpression cause(QRegularExpression::anchoredPattern(QLatin1String(a.cause)));
        if (command.match(r.command).hasMatch() && cause.match(r.cause).hasMatch())
            return true;
    }
    return false;
}

// Parses a "refused 3 EW5GA1: bad value" line of kormak-sim's --log output; false for any
// other line.
inline bool parseRefusalLine(const QString& line, sim::Refusal* r) {
    static const QRegularExpression re(QStringLiteral("^refused (\\S) (.*): ([a-z ,]+)$"));
    const QRegularExpressionMatch m = re.match(line.trimmed());
    if (!m.hasMatch())
        return false;
    *r = sim::Refusal{m.captured(1).at(0), m.captured(2), m.captured(3)};
    return true;
}

// The refusals kormak-sim has written to its --log file (its standard error) since byte
// *seen; moves *seen past them.
inline QList<sim::Refusal> refusalsInLog(const QString& path, qint64* seen) {
    QList<sim::Refusal> list;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || !f.seek(*seen))
        return list;
    const QByteArray bytes = f.readAll();
    // Only whole lines: the simulator may be writing the next one.
    const qsizetype end = bytes.lastIndexOf('\n') + 1;
    *seen += end;
    for (const QByteArray& line : bytes.left(end).split('\n')) {
        sim::Refusal r;
        if (parseRefusalLine(QString::fromLatin1(line), &r))
            list << r;
    }
    return list;
}

class Referee {
public:
    // The test sends commands beginning with `command` that an axis refuses on purpose.
    // "3 EW" limits it to axis 3.
    void expect(const QString& command) { expected_ << command; }
    // The test may provoke any refusal (it feeds the bus arbitrary text, or a fault it sets
    // up may make the program send what it never sends on a sound line).
    void expectAny() { any_ = true; }
    void clearExpected() {
        expected_.clear();
        any_ = false;
    }

    // The refusals that are neither expected nor allowed, as texts.
    QStringList faults(const QList<sim::Refusal>& refusals) const {
        QStringList out;
        for (const sim::Refusal& r : refusals)
            if (!any_ && !expected(r) && !isAllowedRefusal(r))
                out << r.text();
        return out;
    }
    // Fails the running test if the program sent a refused command.
    void judge(const QList<sim::Refusal>& refusals, const char* file, int line) const {
        const QStringList wrong = faults(refusals);
        if (wrong.isEmpty())
            return;
        const QByteArray message = "The simulated controller refused what the program sent: " +
                                   wrong.join(QStringLiteral("; ")).toLatin1();
        if (QTest::currentTestFunction())
            QTest::qFail(message.constData(), file, line);
        else
            qFatal("%s", message.constData());
    }

private:
    bool expected(const sim::Refusal& r) const {
        const QString full = QString(r.address) + u' ' + r.command;
        for (const QString& e : expected_)
            if (r.command.startsWith(e) || full.startsWith(e))
                return true;
        return false;
    }

    QStringList expected_;
    bool any_ = false;
};

// A simulated bus whose refusals are judged when it goes: at the end of the test (or of the
// rig) that holds it. A test that sends a refused command on purpose says so through
// `referee`.
class RefereedHost : public sim::SimHost {
public:
    using sim::SimHost::SimHost;
    ~RefereedHost() { referee.judge(refusals(), __FILE__, __LINE__); }

    Referee referee;
};
