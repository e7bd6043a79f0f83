#include "link/RsMonitor.h"

#include "base/FileIo.h"
#include "base/Texts.h"
#include "base/Windows1252.h"

#include <QFile>
#include <QSettings>

namespace RsMonitor {

namespace {
constexpr int FramingCount = 4;
constexpr int DisplayCount = 3;

QSettings store() {
    return QSettings(QStringLiteral("Veltrax GmbH"), QStringLiteral("Kormak"));
}

int storedIndex(const QString& key, int fallback, int count) {
    bool ok = false;
    const int v = store().value(key, fallback).toInt(&ok);
    return ok && v >= 0 && v < count ? v : fallback;
}

// A part of text that may lie partly or wholly outside it: empty then.
QString part(const QString& text, qsizetype position, qsizetype length) {
    if (length <= 0 || position >= text.size())
        return {};
    return text.mid(position, length);
}
QString codePoint(char32_t c) {
    return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
}

// A control character as the operator reads it in a message.
QString controlName(char32_t c) {
    switch (c) {
    case 0x00:
        return QStringLiteral("<NUL>");
    case 0x02:
        return QStringLiteral("<STX>");
    case 0x03:
        return QStringLiteral("<ETX>");
    case 0x09:
        return QStringLiteral("<TAB>");
    case 0x0A:
        return QStringLiteral("<LF>");
    case 0x0D:
        return QStringLiteral("<CR>");
    case 0x1B:
        return QStringLiteral("<ESC>");
    default:
        return codePoint(c);
    }
}

bool isControl(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F);
}

// The one code page 1252 byte of c, false when c has none. A lone surrogate
// is no character at all.
bool singleByte(char32_t c) {
    if (c > 0xFFFF || QChar::isSurrogate(c))
        return false;
    const QString s{QChar(char16_t(c))};
    const QByteArray b = toWindows1252(s);
    return b.size() == 1 && fromWindows1252(b) == s;
}
} // namespace

TypedCommand commandFromTyped(const QString& typed, Case letterCase) {
    QString out;
    out.reserve(typed.size());
    int count = 0;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        char32_t c = typed.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < typed.size() && typed.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(typed.at(i), typed.at(i + 1));
            ++i;
        }
        ++count;
        if (isControl(c))
            return {{}, Texts::text("rsmon.controlCharacter").arg(controlName(c)).arg(count)};
        if (!singleByte(c))
            return {{},
                    Texts::text("rsmon.notCodePage").arg(QString::fromUcs4(&c, 1), codePoint(c))};
        if (letterCase == Case::Upper) {
            const char32_t upper = QChar::toUpper(c);
            if (upper != c && singleByte(upper))
                c = upper;
        }
        out += QChar(char16_t(c));
    }
    if (out.size() > MaxCommandLength)
        return {{}, Texts::text("rsmon.tooLong").arg(MaxCommandLength).arg(out.size())};
    return {out, {}};
}

bool readInputLine(std::FILE* in, QByteArray* line) {
    line->clear();
    int c;
    while ((c = std::fgetc(in)) != EOF) {
        if (c == '\n')
            break;
        line->append(char(c));
    }
    if (c == EOF && line->isEmpty())
        return false;
    if (line->endsWith('\r'))
        line->chop(1);
    return true;
}

bool decodeInputLine(const QByteArray& line, QString* text, QString* refusal) {
    QString out;
    out.reserve(line.size());
    const auto* b = reinterpret_cast<const unsigned char*>(line.constData());
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char lead = b[i];
        char32_t c = 0;
        int more = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            c = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            c = lead & 0x1F;
            more = 1;
            least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            c = lead & 0x0F;
            more = 2;
            least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            c = lead & 0x07;
            more = 3;
            least = 0x10000;
        } else {
            more = -1;
        }
        qsizetype bad = more < 0 ? i : -1;
        for (int k = 1; bad < 0 && k <= more; ++k) {
            if (i + k >= n || (b[i + k] & 0xC0) != 0x80)
                bad = i;
            else
                c = (c << 6) | (b[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are not UTF-8.
        if (bad < 0 && more > 0 && (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)))
            bad = i;
        if (bad >= 0) {
            if (refusal)
                *refusal = Texts::text("rsmon.invalidUtf8")
                               .arg(QStringLiteral("%1")
                                        .arg(uint(b[bad]), 2, 16, QLatin1Char('0'))
                                        .toUpper())
                               .arg(bad + 1);
            return false;
        }
        out += QString::fromUcs4(&c, 1);
        i += 1 + more;
    }
    *text = out;
    return true;
}

int framingOfIndex(int index) {
    return index >= 0 && index < FramingCount ? 3 - index : -1;
}

int framingTextId(int index) {
    return 10137 + index;
}

int displayTextId(int index) {
    return 10141 + index;
}

QString cutReply(const QString& reply, int displayIndex) {
    const qsizetype n = reply.size();
    switch (displayIndex) {
    case DataOnly:
        return part(reply, 4, n - 7);
    case StatusAndData:
        return part(reply, 1, n - 4);
    default:
        return reply;
    }
}

bool addToHistory(QStringList& history, const QString& sent) {
    const QString upper = sent.toUpper();
    for (const QString& entry : history)
        if (entry.toUpper() == upper)
            return false;
    history.prepend(sent);
    return true;
}

Choices loadChoices() {
    Choices c;
    c.framingIndex = storedIndex(QStringLiteral("Settings/RSMon_Protokoll"), 3, FramingCount);
    c.displayIndex = storedIndex(QStringLiteral("Settings/RSMon_Anzeige"), 0, DisplayCount);
    return c;
}

void storeChoices(const Choices& choices) {
    QSettings s = store();
    s.setValue(QStringLiteral("Settings/RSMon_Protokoll"), choices.framingIndex);
    s.setValue(QStringLiteral("Settings/RSMon_Anzeige"), choices.displayIndex);
}

QString visibleText(const QByteArray& bytes) {
    QString text;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        switch (b) {
        case 0x00:
            text += QStringLiteral("<NUL>");
            break;
        case 0x02:
            text += QStringLiteral("<STX>");
            break;
        case 0x03:
            text += QStringLiteral("<ETX>");
            break;
        case 0x0A:
            text += QStringLiteral("<LF>");
            break;
        case 0x0D:
            text += QStringLiteral("<CR>");
            break;
        default:
            if (b < 0x20 || b == 0x7F)
                text += QStringLiteral("<%1>").arg(b, 2, 16, QLatin1Char('0')).toUpper();
            else
                text += fromWindows1252(QByteArray(1, c));
        }
    }
    return text;
}

QString hexText(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString formatEntry(const LogEntry& entry) {
    const int index = 3 - entry.mode;
    const QString framing =
        index >= 0 && index < FramingCount ? Texts::text(framingTextId(index)) : QString();
    QStringList lines;
    lines << entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + QStringLiteral("  ") +
                 framing;
    const auto bytesLines = [&lines](const QString& marker, const QByteArray& bytes) {
        lines << QStringLiteral("  %1 %2").arg(marker, visibleText(bytes));
        lines << QStringLiteral("     %1").arg(hexText(bytes));
    };
    if (!entry.discarded.isEmpty()) {
        lines << QStringLiteral("  ") + Texts::text("rsmon.logDiscarded");
        bytesLines(QStringLiteral("x "), entry.discarded);
    }
    if (entry.sent.isEmpty())
        lines << QStringLiteral("  -> ");
    else
        bytesLines(QStringLiteral("->"), entry.sent);
    bytesLines(QStringLiteral("<-"), entry.received);
    // A pseudo-reply is the link's word, not bytes from the axis.
    if (PseudoReply::is(entry.result))
        lines << QStringLiteral("  = ") + entry.result.trimmed();
    return lines.join(QLatin1Char('\n'));
}

Session::Session(SerialLink& link) : link_(link) {
    link_.setExchangeObserver([this](const SerialLink::Exchange& e) {
        last_ = e;
        seen_ = true;
    });
}

Session::~Session() {
    link_.setExchangeObserver({});
}

QString Session::exchange(const QString& command, bool dataOnly, int mode) {
    seen_ = false;
    LogEntry entry;
    entry.time = QDateTime::currentDateTime();
    entry.mode = mode;
    const QString reply = link_.SendCommand(command, dataOnly, mode);
    if (seen_) {
        entry.sent = last_.sent;
        entry.discarded = last_.discarded;
        entry.received = last_.received;
    }
    entry.result = reply;
    log_ << entry;
    return reply;
}

QString Session::send(const QString& command, int framingIndex, int displayIndex) {
    const TypedCommand typed = commandFromTyped(command);
    if (!typed.accepted())
        return {};
    const QString& text = typed.command;
    const int mode = framingOfIndex(framingIndex);
    QString reply;
    if (mode >= 0)
        reply = exchange(text, false, mode);
    if (!text.isEmpty())
        addToHistory(history_, text);
    return cutReply(reply, displayIndex);
}

void Session::stop() {
    exchange(QStringLiteral("H"), true, Full);
}

QString Session::logText() const {
    QStringList entries;
    for (const LogEntry& e : log_)
        entries << formatEntry(e);
    return entries.join(QLatin1Char('\n'));
}

bool Session::saveLog(const QByteArray& name, QString* error) const {
    QString text = logText();
    if (!text.isEmpty())
        text += QLatin1Char('\n');
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QString reason;
    if (!FileIo::writeFile(name, text.toUtf8(), &reason)) {
        if (error)
            *error = reason;
        return false;
    }
    return true;
}

bool Session::saveLog(const QString& path, QString* error) const {
    return saveLog(QFile::encodeName(path), error);
}

} // namespace RsMonitor
