// kormak-sim: the simulated controller bus on a pseudo-terminal, for trying the program
// without hardware and for scripted tests.

#include "sim/SimHost.h"
#include "sim/SimPlc.h"
#include "sim/SimStatus.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <utility>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int) {
    stopRequested = 1;
}

const char* const kDescription = R"(Simulated stepper-motor controller bus on a pseudo-terminal.

Prints the path of the terminal to open as the first line on standard output, then
serves until SIGTERM or SIGINT, or until standard input ends.

Standard input takes one line per change, as a machine's PLC or a person at its
panel would make it; each line is answered with the axis's PLC state:
  A inputs N        PLC inputs of axis A: bit 0 STROBE, 1 ENABLE, 2 CLEAR, 3 RESET
                    ("3 inputs 0x3": STROBE and ENABLE on; reported by "II?")
  A program N       program number 0..255 the PLC selects ("3 program 5"; "EI?")
  A slot NN TEXT    PLC slot NN (hex) of axis A holds TEXT
  A outputs         only print the state: mode, READY, ERROR, position
N is decimal, or hexadecimal with "0x". In PLC mode ("PD1") a rising STROBE with
ENABLE runs the cycle program in the selected slot as a move: READY goes off while
it runs and on when it ends; ERROR goes on for an empty slot or a text that is no
cycle program. In mode 0, "IO?" reports what the program last wrote with "IO".

Each axis answers only frames at its own line rate (28800 Baud unless --rate says
otherwise) and only for its own address.

Framing rule. A frame runs from STX to ETX. The bus tells the four framings apart
like this:
  * checksummed: the text ends in ":" and two upper-case hexadecimal digits. If they
    are not the exclusive-or of every byte before them (colon included), the frame
    is damaged and gets no reply.
  * addressed: the text without its checksum starts with 0-9 or A-F. When the
    whole text also starts with a known command mnemonic (letters A-F only), it is
    addressed only if the rest starts with a known mnemonic too, and not if the
    whole text is a well-formed command while the rest is not: "EWA0GA1" writes
    slot A0 on the lowest axis, "CIS?" asks axis C for "IS?", "FR0050" reads the
    lowest axis's ramp memory, "0XY?" is an unknown command for axis 0.
  * a frame without an address goes to the lowest axis present.
Replies always have the full form: STX, address, two status digits, blank, data,
":", checksum, ETX. Setting commands answer with an empty data field; permanent
writes answer "OK", or "NO" when no write release was granted.

Faults (--fault KIND[=PARAM], applied to every reply, or to the next N with
--fault-count N):
  noreply            no reply at all
  late[=MS]          the reply comes MS ms late (default 1500)
  pieces[=N]         the reply comes in N pieces with short gaps (default 3)
  garbage[=N]        N noise bytes before the reply (default 5)
  overflow[=N]       a burst of N bytes before the reply (default 600, at least 451)
  vanish             the terminal disappears instead of replying

Faults aimed at one command or one axis:
  --no-reply-to [A ]CMD   the next command that begins with CMD (on axis A only
                          when given, e.g. "3 PF") is carried out but gets no reply
                          (repeatable: each one strikes once)
  --refuse-release A:N    axis A refuses its N-th write release ("FC"), counted
                          from the start; the others are granted
  --lose-slot A:NN        writes to PLC slot NN (hex) of axis A are answered "OK"
                          but not stored (repeatable)
  --refuse-slot A:NN      writes to PLC slot NN (hex) of axis A use up their
                          release and are answered "NO", not stored (repeatable)
  --refuse-erase LIST     the axes in LIST answer "WE" (erase the PLC area) with
                          "NO" once the release is used up, and erase nothing
)";

bool parseFault(const QString& text, sim::Fault* fault, int* param) {
    const QString kind = text.section(u'=', 0, 0).toLower();
    const QString value = text.section(u'=', 1);
    bool ok = true;
    *param = value.isEmpty() ? 0 : value.toInt(&ok);
    static const QList<std::pair<QString, sim::Fault>> kinds = {
        {"none", sim::Fault::None},       {"noreply", sim::Fault::NoReply},
        {"late", sim::Fault::LateReply},  {"pieces", sim::Fault::Pieces},
        {"garbage", sim::Fault::Garbage}, {"overflow", sim::Fault::Overflow},
        {"vanish", sim::Fault::Vanish},
    };
    for (const auto& [name, f] : kinds)
        if (name == kind) {
            *fault = f;
            return ok;
        }
    return false;
}

// "A=VALUE" with A an address of the bus.
bool splitAxisValue(const QString& text, const QString& axes, QChar* axis, QString* value) {
    if (text.size() < 2 || text[1] != u'=' || !axes.contains(text[0].toUpper()))
        return false;
    *axis = text[0].toUpper();
    *value = text.mid(2);
    return true;
}

// /dev/null on each of the descriptors 0, 1, 2 that is closed, before Qt
// opens anything that would take its place. True when standard input was
// closed.
bool reopenClosedStandardDescriptors() {
    bool inputClosed = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        inputClosed = inputClosed || fd == 0;
        const int opened = ::open("/dev/null", (fd == 0 ? O_RDONLY : O_WRONLY) | O_NOCTTY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
    return inputClosed;
}

// The bus holds texts as the bytes on the line, one character a byte, and
// the line carries code page 1252. Arguments and typed lines come in the
// locale's UTF-8: "€" must be stored as the byte 0x80 a controller would
// hold, not as "?". False for a character that has no byte there.
bool toLineBytes(const QString& text, QString* bytes) {
    // Unicode of the bytes 0x80..0x9F; 0 where code page 1252 has no character.
    static constexpr char16_t high[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    QString out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += c;
            continue;
        }
        int byte = -1;
        for (int i = 0; i < 32 && byte < 0; ++i)
            if (high[i] == u)
                byte = 0x80 + i;
        if (byte < 0)
            return false;
        out += QChar(char16_t(byte));
    }
    *bytes = out;
    return true;
}

int fail(const QString& message) {
    std::fprintf(stderr, "kormak-sim: %s\n", message.toLocal8Bit().constData());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // Started with standard input closed, the simulator serves until it is
    // stopped by a signal, as with --ignore-stdin.
    const bool inputClosed = reopenClosedStandardDescriptors();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kormak-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription) +
                                     sim::SimStatus::lineHelp());
    const QCommandLineOption help(QStringList{"h", "help"}, "Show this help.");
    const QCommandLineOption axesOpt("axes", "Axes present, e.g. 0,3,A (default: all sixteen).",
                                     "LIST");
    const QCommandLineOption familyOpt("family", "Family text of axis A for \"DO?\" (repeatable).",
                                       "A=TEXT");
    const QCommandLineOption rateOpt("rate", "Line rate of axis A (default 28800; repeatable).",
                                     "A=BAUD");
    const QCommandLineOption faultOpt("fault", "Inject a fault, see below.", "KIND[=PARAM]");
    const QCommandLineOption faultCountOpt("fault-count",
                                           "Apply the fault to the next N replies only.", "N");
    const QCommandLineOption slotOpt("slot",
                                     "Preload PLC slot NN (hex) of axis A with TEXT, held as the "
                                     "code page 1252 bytes a controller stores (repeatable).",
                                     "A:NN=TEXT");
    const QCommandLineOption sfiOpt("sfi", "Axes that carry an SFI card, e.g. 0,2.", "LIST");
    const QCommandLineOption ioOpt("io-card", "Axes that carry the I/O extension card.", "LIST");
    const QCommandLineOption wireTimeOpt(
        "wire-time", "Take as long as the bytes would take on the line (10 bits a byte, both "
                     "directions, at the rate the program has set).");
    const QCommandLineOption answerDelayOpt(
        "answer-delay", "Each axis starts its answer MS ms after a request is complete.", "MS");
    const QCommandLineOption logOpt(
        "log", "Print every received command on standard error, and \"refused A CMD: cause\" "
               "for each command an axis refused.");
    const QCommandLineOption keepOpt(
        "ignore-stdin", "Keep serving when standard input ends (stop by signal only).");
    const QCommandLineOption noReplyOpt(
        "no-reply-to", "The next command beginning with CMD gets no reply, see below.", "[A ]CMD");
    const QCommandLineOption refuseOpt("refuse-release",
                                       "Axis A refuses its N-th write release, see below.", "A:N");
    const QCommandLineOption loseSlotOpt(
        "lose-slot", "Writes to slot NN of axis A are acknowledged, not stored (repeatable).",
        "A:NN");
    const QCommandLineOption refuseSlotOpt(
        "refuse-slot", "Writes to slot NN of axis A are answered \"NO\" (repeatable).", "A:NN");
    const QCommandLineOption refuseEraseOpt(
        "refuse-erase", "Axes that answer \"WE\" with \"NO\", e.g. 0,2.", "LIST");
    parser.addOptions({help, axesOpt, familyOpt, rateOpt, faultOpt, faultCountOpt, slotOpt, sfiOpt,
                       ioOpt, wireTimeOpt, answerDelayOpt, logOpt, keepOpt, noReplyOpt, refuseOpt,
                       loseSlotOpt, refuseSlotOpt, refuseEraseOpt});
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(parser.helpText().toLocal8Bit().constData(), stdout);
        return 0;
    }

    auto listOf = [](const QString& text) {
        QString out;
        for (QChar c : text)
            if (c != u',' && c != u' ')
                out += c.toUpper();
        return out;
    };
    const QString axes =
        parser.isSet(axesOpt) ? listOf(parser.value(axesOpt)) : QStringLiteral("0123456789ABCDEF");
    for (QChar c : axes)
        if (!QStringLiteral("0123456789ABCDEF").contains(c))
            return fail(QStringLiteral("not an axis address: %1").arg(c));

    sim::SimHost host(axes);
    QString error;
    bool ok = true;
    host.withBus([&](sim::SimBus& bus) {
        for (const QString& f : parser.values(familyOpt)) {
            QChar a;
            QString text;
            if (!splitAxisValue(f, axes, &a, &text)) {
                error = QStringLiteral("bad --family %1").arg(f);
                ok = false;
                return;
            }
            bus.axis(a).setFamily(text);
        }
        for (const QString& r : parser.values(rateOpt)) {
            QChar a;
            QString text;
            static const QList<int> rates = {9600, 14400, 19200, 28800, 38400};
            if (!splitAxisValue(r, axes, &a, &text) || !rates.contains(text.toInt())) {
                error = QStringLiteral("bad --rate %1").arg(r);
                ok = false;
                return;
            }
            bus.axis(a).baud = text.toInt();
        }
        for (const QString& s : parser.values(slotOpt)) {
            const QString where = s.section(u'=', 0, 0);
            const QChar a = where.isEmpty() ? QChar() : where[0].toUpper();
            bool hexOk = false;
            const int slot = where.section(u':', 1).toInt(&hexOk, 16);
            QString text;
            if (!axes.contains(a) || !hexOk || slot < 0 || slot >= bus.axis(a).slotCount() ||
                !toLineBytes(s.section(u'=', 1), &text)) {
                error = QStringLiteral("bad --slot %1").arg(s);
                ok = false;
                return;
            }
            bus.axis(a).plcSlots[slot] = text;
        }
        for (const QString& r : parser.values(refuseOpt)) {
            const QChar a = r.isEmpty() ? QChar() : r[0].toUpper();
            bool numberOk = false;
            const int n = r.section(u':', 1).toInt(&numberOk);
            if (r.size() < 3 || r[1] != u':' || !axes.contains(a) || !numberOk || n < 1) {
                error = QStringLiteral("bad --refuse-release %1").arg(r);
                ok = false;
                return;
            }
            bus.axis(a).plc.refuseReleaseNth = n;
        }
        for (const QCommandLineOption* o : {&loseSlotOpt, &refuseSlotOpt}) {
            for (const QString& l : parser.values(*o)) {
                const QChar a = l.isEmpty() ? QChar() : l[0].toUpper();
                bool hexOk = false;
                const int slot = l.section(u':', 1).toInt(&hexOk, 16);
                if (l.size() < 3 || l[1] != u':' || !axes.contains(a) || !hexOk || slot < 0 ||
                    slot >= bus.axis(a).slotCount()) {
                    error = QStringLiteral("bad --%1 %2").arg(o->names().constFirst(), l);
                    ok = false;
                    return;
                }
                (o == &loseSlotOpt ? bus.axis(a).unstoredSlots : bus.axis(a).refusedSlots)
                    .insert(slot);
            }
        }
        for (QChar a : listOf(parser.value(refuseEraseOpt)))
            if (axes.contains(a))
                bus.axis(a).refuseErase = true;
        for (QChar a : listOf(parser.value(sfiOpt)))
            if (axes.contains(a))
                bus.axis(a).sfiCard = true;
        for (QChar a : listOf(parser.value(ioOpt)))
            if (axes.contains(a))
                bus.axis(a).ioCard = true;
    });
    if (!ok)
        return fail(error);
    if (parser.isSet(faultOpt)) {
        sim::Fault f = sim::Fault::None;
        int param = 0;
        if (!parseFault(parser.value(faultOpt), &f, &param))
            return fail(QStringLiteral("bad --fault %1").arg(parser.value(faultOpt)));
        const int count = parser.isSet(faultCountOpt) ? parser.value(faultCountOpt).toInt() : -1;
        host.setFault(f, param, count);
    }
    for (const QString& value : parser.values(noReplyOpt)) {
        const QString target = value.trimmed();
        const bool aimed = target.size() > 2 && target[1] == u' ';
        const QString command = aimed ? target.mid(2).trimmed() : target;
        if (command.isEmpty() || command.contains(u' ') ||
            (aimed && !axes.contains(target[0].toUpper())))
            return fail(QStringLiteral("bad --no-reply-to %1").arg(target));
        host.setFaultFor(aimed ? QString(target[0].toUpper()) + u' ' + command : command,
                         sim::Fault::NoReply);
    }
    if (parser.isSet(answerDelayOpt)) {
        bool delayOk = false;
        const int delay = parser.value(answerDelayOpt).toInt(&delayOk);
        if (!delayOk || delay < 0 || delay > 60000)
            return fail(QStringLiteral("bad --answer-delay %1").arg(parser.value(answerDelayOpt)));
        host.setAnswerDelay(delay);
    }
    host.setWireTime(parser.isSet(wireTimeOpt));
    if (parser.isSet(logOpt))
        host.setLogStream(stderr);

    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);

    if (!host.start(&error))
        return fail(error);
    std::printf("%s\n", host.slavePath().toLocal8Bit().constData());
    std::fflush(stdout);

    bool watchStdin = !parser.isSet(keepOpt) && !inputClosed;
    // The longest line the simulator takes from standard input: a slot line of a long text
    // fits many times over, a stream without line ends does not grow without bound.
    constexpr qsizetype kMaxLine = 4096;
    QByteArray typed;
    bool skipping = false; // within a line that was too long, up to its end
    while (!stopRequested) {
        pollfd p{STDIN_FILENO, POLLIN, 0};
        if (!watchStdin) {
            ::poll(nullptr, 0, 100);
            continue;
        }
        if (::poll(&p, 1, 100) > 0) {
            char buf[256];
            const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
            if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
                break; // standard input ended
            if (n > 0)
                typed.append(buf, n);
            qsizetype end;
            while ((end = typed.indexOf('\n')) >= 0) {
                QString line;
                const bool lineOk =
                    toLineBytes(QString::fromLocal8Bit(typed.left(end)).trimmed(), &line);
                typed.remove(0, end + 1);
                if (std::exchange(skipping, false))
                    continue;
                if (!lineOk) {
                    std::fprintf(stderr, "kormak-sim: the line holds a character that code page "
                                         "1252 does not have; nothing changed\n");
                    continue;
                }
                // Faults and the program-number inputs belong to the status
                // lines; inputs, program, outputs and slots to the PLC lines,
                // which answer with the axis's PLC state.
                const QString word = line.simplified().section(u' ', 1, 1);
                const bool statusLine = word == u"fault" || word == u"clear" || word == u"prog";
                QString answer, problem;
                host.withBus([&](sim::SimBus& bus) {
                    if (statusLine)
                        problem = sim::SimStatus::applyLine(bus, line);
                    else
                        answer = sim::applyOperatorLine(bus, line);
                });
                if (!problem.isEmpty())
                    std::fprintf(stderr, "kormak-sim: %s\n", problem.toLocal8Bit().constData());
                if (!answer.isEmpty()) {
                    std::printf("%s\n", answer.toLocal8Bit().constData());
                    std::fflush(stdout);
                }
            }
            if (typed.size() > kMaxLine) {
                if (!skipping)
                    std::fprintf(stderr, "kormak-sim: line longer than %lld bytes ignored\n",
                                 static_cast<long long>(kMaxLine));
                typed.clear();
                skipping = true;
            }
        }
    }
    host.stop();
    return 0;
}
