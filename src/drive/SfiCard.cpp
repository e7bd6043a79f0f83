#include "drive/SfiCard.h"

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

constexpr int TimeoutTextId = 10103;
constexpr int RejectedTextId = 10114;
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
    // ":10", 4 address digits, 2 type digits, 32 data digits.
    constexpr qsizetype AddressAt = 3, DataAt = 9, DataDigits = 32;
    for (qsizetype at = text.indexOf(QLatin1String(":10")); at >= 0;
         at = text.indexOf(QLatin1String(":10"), at + 1)) {
        const QStringView rest = QStringView(text).mid(at);
        if (rest.size() < DataAt + DataDigits || !allHex(rest.mid(AddressAt, DataAt - AddressAt)) ||
            !allHex(rest.mid(DataAt, DataDigits))) {
            records->clear();
            if (badOffset)
                *badOffset = at;
            return false;
        }
        *records << Record{rest.mid(AddressAt, 4).toString(),
                           rest.mid(DataAt, DataDigits).toString()};
    }
    return true;
}

Outcome program(SerialLink& link, Operator& op, const Configuration& c, const QStringList& dirs) {
    const QString suffix = link.SendCommand(QStringLiteral("IL?"));
    if (PseudoReply::is(suffix)) {
        // No answer is a line fault, not a missing file.
        link.reportFailure(op, TimeoutTextId);
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
    // A cut-short record means a damaged file: half a program is worse than
    // the old one, so nothing is sent.
    QList<Record> records;
    if (!readRecords(QString::fromLatin1(bytes), &records)) {
        reportFile(op, {path});
        return Outcome::FileMissing;
    }
    switch (RequestWriteUnlock(link)) {
    case UnlockResult::Granted:
        break;
    case UnlockResult::Refused:
        return Outcome::Refused;
    case UnlockResult::LinkFailed:
        link.reportFailure(op, TimeoutTextId);
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
            link.reportFailure(op, TimeoutTextId);
            outcome = Outcome::LinkFailed;
            return true;
        }
        if (reply == QLatin1String("NO")) {
            op.error(RejectedTextId);
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
