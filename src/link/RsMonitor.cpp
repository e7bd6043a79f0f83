#include "link/RsMonitor.h"

#include "base/Texts.h"
#include "base/Windows1252.h"

#include <QSaveFile>
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
} // namespace

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
    const QString text = command.toUpper();
    const int mode = framingOfIndex(framingIndex);
    QString reply;
    if (mode >= 0 && text.size() <= MaxCommandLength)
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

bool Session::saveLog(const QString& path, QString* error) const {
    QSaveFile file(path);
    QString text = logText();
    if (!text.isEmpty())
        text += QLatin1Char('\n');
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace RsMonitor
