#pragma once

#include "PtyPeer.h"
#include "Referee.h"
#include "ScriptedOperator.h"
#include "SimLine.h"
#include "link/SerialLink.h"
#include "sim/SimBus.h"

#include <QElapsedTimer>
#include <QStringList>
#include <mutex>

// One simulated axis "0" on a real pty, opened through the program's link.
struct SimRig : SimLine {
    ScriptedOperator op;
    SerialLink link{op};

    explicit SimRig(const QString& axes = QStringLiteral("0")) : SimLine(axes) {}

    bool open(const QString& address = QStringLiteral("0")) { return openLink(link, address); }
    using SimLine::axis;
    void axis(const std::function<void(sim::SimAxis&)>& fn) { SimLine::axis(u'0', fn); }
    // The commands the axis received, without the address.
    QStringList commands() const {
        QStringList list;
        for (const QString& line : host.log())
            list << line.mid(2);
        return list;
    }
};

// The simulator's bus behind a scripted pty peer, so that the reply to one
// chosen command can be lost or replaced while every other command is
// answered by the simulated controller as usual.
struct TamperedSim {
    PtyPeer peer;
    ScriptedOperator op;
    SerialLink link{op};

    std::mutex mutex;
    sim::SimBus bus{QStringLiteral("0")};
    QStringList received;
    Referee referee;

    ~TamperedSim() {
        std::lock_guard<std::mutex> lock(mutex);
        referee.judge(bus.refusals(), __FILE__, __LINE__);
    }

    // One reply to tamper with.
    struct Rule {
        QString target;        // command (prefix) whose reply is tampered with
        int occurrence = 0;    // which of its occurrences, counted from 0
        bool drop = true;      // lose the reply; otherwise answer replacement
        QString replacement;   // data field of the replacement reply
        bool executed = false; // the controller carries the command out all the same
    };
    QList<Rule> rules;

    static QByteArray frame(const QByteArray& data) {
        const QByteArray body = "000 " + data + ":";
        unsigned char sum = 0;
        for (char c : body)
            sum ^= static_cast<unsigned char>(c);
        return '\x02' + body + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper() +
               '\x03';
    }

    bool open() {
        if (!peer.open())
            return false;
        QElapsedTimer clock;
        clock.start();
        peer.setResponder([this, clock](const QByteArray& request) {
            std::lock_guard<std::mutex> lock(mutex);
            // STX, address, command, ":", two checksum digits, ETX.
            const QString command = QString::fromLatin1(request.mid(2, request.size() - 6));
            received << command;
            for (Rule& rule : rules) {
                if (!command.startsWith(rule.target) || rule.occurrence-- != 0)
                    continue;
                if (rule.executed)
                    bus.receive(request, clock.elapsed(), 28800);
                if (rule.drop)
                    return QList<PtyPeer::Piece>{};
                return QList<PtyPeer::Piece>{{0, frame(rule.replacement.toLatin1())}};
            }
            return QList<PtyPeer::Piece>{{0, bus.receive(request, clock.elapsed(), 28800)}};
        });
        link.setPorts({peer.slavePath()});
        link.setBaudIndex(3);
        link.setCurrentAddress(QStringLiteral("0"));
        link.setTimeoutMs(400); // the lost reply is the subject; keep its wait short
        return link.TogglePort();
    }
    // The only reply tampered with.
    void tamper(const QString& command, int nth, bool dropReply, const QString& data = {}) {
        std::lock_guard<std::mutex> lock(mutex);
        rules = {{command, nth, dropReply, data, false}};
    }
    // One more, which may also let the controller carry the command out.
    void alsoTamper(const QString& command, int nth, bool dropReply, const QString& data = {},
                    bool executed = false) {
        std::lock_guard<std::mutex> lock(mutex);
        rules << Rule{command, nth, dropReply, data, executed};
    }
    void axis(const std::function<void(sim::SimAxis&)>& fn) {
        std::lock_guard<std::mutex> lock(mutex);
        fn(bus.axis(u'0'));
    }
    QStringList commands() {
        std::lock_guard<std::mutex> lock(mutex);
        return received;
    }
    void clearCommands() {
        std::lock_guard<std::mutex> lock(mutex);
        received.clear();
    }
};

// The addresses of the "WR" blocks among commands, as 4-digit texts.
inline QStringList writtenBlocks(const QStringList& commands) {
    QStringList blocks;
    for (const QString& c : commands)
        if (c.startsWith(QLatin1String("WR")))
            blocks << c.mid(2, 4);
    return blocks;
}
