#include "drive/SfiCard.h"
#include "base/MessageIds.h"

#include "axis/AxisVocabulary.h"
#include "axis/MemoryAreas.h"
#include "base/FileIo.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "link/ReplyFrame.h"
#include "link/SerialLink.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace SfiCard {

namespace {
constexpr int FileTextId = 10158;

bool allHex(QStringView text) {
    for (QChar c : text)
        if (AxisVocabulary::hexValue(c) < 0)
            return false;
    return true;
}

void reportFile(Operator& op, const QStringList& paths) {
    op.show({0,
             Texts::text(FileTextId) + QStringLiteral("\r\n") + paths.join(QStringLiteral("\r\n")),
             0, Operator::Icon::Error, Operator::Buttons::Ok});
}

} // namespace

quint8 configurationByte(const Configuration& c) {
    return quint8((c.steps500 ? 0x10 : 0) | (c.minus ? 0x80 : 0) | (c.encoderIndex & 0x3));
}

QString configurationCommand(const Configuration& c) {
    return QStringLiteral("IM%1").arg(configurationByte(c), 2, 16, QLatin1Char('0')).toUpper();
}

ReadConfiguration parseConfiguration(const QString& reply) {
    ReadConfiguration r;
    if (PseudoReply::is(reply) || reply.isEmpty() || reply == u"FF")
        return r;
    const int first = AxisVocabulary::hexDigitAt(reply, 0);
    r.known = true;
    r.steps500 = first & 0x1;
    r.minus = first & 0x8;
    const int last = AxisVocabulary::hexValue(reply.back());
    if (last >= 0 && last <= 3)
        r.encoderIndex = last;
    return r;
}

std::optional<State> readState(SerialLink& link, Operator& op) {
    const QString active = link.SendCommand(QStringLiteral("PI?"));
    if (PseudoReply::is(active)) {
        link.reportFailure(op, MessageId::NoReply);
        return std::nullopt;
    }
    State state;
    state.active = active == u"1";
    state.configuration = parseConfiguration(link.SendCommand(QStringLiteral("IM?")));
    return state;
}

void setActive(SerialLink& link, bool active) {
    link.SendCommand(active ? QStringLiteral("PI1") : QStringLiteral("PI0"));
}

void clearError(SerialLink& link) {
    link.SendCommand(QStringLiteral("CS"));
}

QString programFileName(const Configuration& c, const QString& suffix) {
    static const char* const encoder[4] = {"0050", "0500", "1000", "0200"};
    return QString::fromLatin1(c.steps500 ? "500" : "200") + (c.minus ? u'N' : u'P') +
           QString::fromLatin1(encoder[c.encoderIndex & 0x3]) + QStringLiteral(".S") + suffix;
}

bool usableSuffix(const QString& reply) {
    if (PseudoReply::is(reply) || reply.contains(u'/') || reply.contains(u'\\') ||
        reply.contains(QLatin1String("..")))
        return false;
    for (QChar c : reply)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    return true;
}

QStringList searchDirectories() {
    const QString appDir = QCoreApplication::applicationDirPath();
    return {QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/SFI",
            QDir::cleanPath(appDir + "/../share/kormak/SFI"), appDir + "/SFI"};
}

QString findProgramFile(const QString& name, const QStringList& dirs, QStringList* tried) {
    tried->clear();
    for (const QString& dir : dirs) {
        const QString path = QDir(dir).filePath(name);
        *tried << path;
        if (QFileInfo(path).isFile())
            return path;
    }
    for (const QString& dir : dirs) {
        const QStringList found = QDir(dir).entryList(QDir::Files);
        for (const QString& f : found)
            if (f.compare(name, Qt::CaseInsensitive) == 0)
                return QDir(dir).filePath(f);
    }
    return {};
}

bool readRecords(const QString& text, QList<Record>* records, qsizetype* badOffset) {
    records->clear();
    const auto damaged = [&](qsizetype at) {
        records->clear();
        if (badOffset)
            *badOffset = at;
        return false;
    };
    // Record by record, one to a line: ":", the byte count, 2 address bytes,
    // the type, the data and a checksum that brings the sum of all to zero.
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = text.indexOf(u'\n', at);
        if (end < 0)
            end = text.size();
        const QStringView line = QStringView(text).mid(at, end - at).trimmed();
        const qsizetype lineAt = at;
        at = end + 1;
        if (line.isEmpty())
            continue;
        if (line.front() != u':' || line.size() % 2 == 0 || line.size() < 11 ||
            !allHex(line.mid(1)))
            return damaged(lineAt);
        QByteArray bytes;
        for (qsizetype i = 1; i < line.size(); i += 2)
            bytes += char(AxisVocabulary::hexValue(line[i]) * 16 +
                          AxisVocabulary::hexValue(line[i + 1]));
        const int count = quint8(bytes[0]);
        quint8 sum = 0;
        for (char b : bytes)
            sum += quint8(b);
        if (bytes.size() != count + 5 || sum != 0)
            return damaged(lineAt);
        const int type = quint8(bytes[3]);
        if (type == 0x01)
            break;
        // The card takes its program in 16-byte pieces: a longer data record
        // (a tool that writes 32-byte ":20" records) goes as consecutive
        // pieces at its own addresses; a piece shorter than 16 bytes (a
        // shorter last record) and any other type are passed over.
        if (type != 0x00)
            continue;
        const int address = quint8(bytes[1]) * 256 + quint8(bytes[2]);
        if (address + count > 0x10000)
            return damaged(lineAt); // runs past the end of the address space
        for (int piece = 0; piece + 16 <= count; piece += 16) {
            const QString data = line.mid(9 + 2 * piece, 32).toString();
            const QString at =
                piece == 0
                    ? line.mid(3, 4).toString()
                    : QStringLiteral("%1").arg(address + piece, 4, 16, QLatin1Char('0')).toUpper();
            *records << Record{at, data};
        }
    }
    return true;
}

Outcome program(SerialLink& link, Operator& op, const Configuration& c, const QStringList& dirs) {
    const QString suffix = link.SendCommand(QStringLiteral("IL?"));
    if (PseudoReply::is(suffix)) {
        // No answer is a line fault, not a missing file.
        link.reportFailure(op, MessageId::NoReply);
        return Outcome::LinkFailed;
    }
    if (!usableSuffix(suffix)) {
        // A name the controller chose that could leave the program folders is
        // no program file; show where it would have been looked for.
        QStringList paths;
        for (const QString& dir : dirs)
            paths << QDir(dir).filePath(programFileName(c, QString()));
        reportFile(op, paths);
        return Outcome::FileMissing;
    }
    QStringList tried;
    const QString path = findProgramFile(programFileName(c, suffix), dirs, &tried);
    if (path.isEmpty()) {
        reportFile(op, tried);
        return Outcome::FileMissing;
    }
    QByteArray bytes;
    if (!FileIo::readFile(path, MaxFileBytes, &bytes, nullptr)) {
        reportFile(op, {path});
        return Outcome::FileMissing;
    }
    // A cut-short record or a wrong checksum means a damaged file: half a
    // program, or a wrong one, is worse than the old one, so nothing is sent.
    // Nor is a file without a single 16-byte piece: "WX" would store an
    // empty program.
    QList<Record> records;
    const QString text = QString::fromLatin1(bytes);
    qsizetype badOffset = 0;
    if (!readRecords(text, &records, &badOffset)) {
        const qsizetype line = QStringView(text).left(badOffset).count(u'\n') + 1;
        op.show({0, Texts::text("sfi.damagedFile").arg(QDir::toNativeSeparators(path)).arg(line), 0,
                 Operator::Icon::Error, Operator::Buttons::Ok});
        return Outcome::FileDamaged;
    }
    if (records.isEmpty()) {
        op.show({0, Texts::text("sfi.noRecords").arg(QDir::toNativeSeparators(path)), 0,
                 Operator::Icon::Error, Operator::Buttons::Ok});
        return Outcome::FileDamaged;
    }
    switch (RequestWriteUnlock(link)) {
    case UnlockResult::Granted:
        break;
    case UnlockResult::Refused:
        return Outcome::Refused;
    case UnlockResult::LinkFailed:
        link.reportFailure(op, MessageId::NoReply);
        return Outcome::LinkFailed;
    }
    // "ERROR" as well as "TIMEOUT": after an overflow every later command
    // answers "ERROR". A configuration, record or store whose reply did not
    // come may not have been taken, and the card must not be reported as
    // programmed. A "NO" is a write the card did not take: the store would
    // make a program with a hole in it permanent, so nothing more is sent.
    Outcome outcome = Outcome::Programmed;
    const auto failed = [&](const QString& command) {
        const QString reply = link.SendCommand(command);
        if (PseudoReply::is(reply)) {
            outcome = Outcome::LinkFailed;
            if (command == QLatin1String("WX")) {
                link.reportFailure(op, MessageId::NoReply);
                return true;
            }
            // Stopped before "WX": the card holds part of a new program
            // that was never stored, and must be programmed again.
            QString text = Texts::text("sfi.notStored");
            if (!link.lastFailureShown())
                text = Texts::text(MessageId::NoReply) + QStringLiteral("\r\n") + text;
            op.show({0, text, 0, Operator::Icon::Error, Operator::Buttons::Ok});
            return true;
        }
        if (reply == QLatin1String("NO")) {
            op.error(MessageId::ProgramFailed);
            outcome = Outcome::Rejected;
            return true;
        }
        return false;
    };
    if (failed(configurationCommand(c)))
        return outcome;
    for (const Record& r : records) {
        if (failed(QStringLiteral("WI") + r.address + r.data))
            return outcome;
        op.pumpEvents();
    }
    if (failed(QStringLiteral("WX")))
        return outcome;
    return Outcome::Programmed;
}

} // namespace SfiCard
