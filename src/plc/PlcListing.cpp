#include "plc/PlcListing.h"

#include "axis/AxisVocabulary.h"
#include "axis/MemoryAreas.h"
#include "base/Texts.h"
#include "base/Windows1252.h"
#include "link/RsMonitor.h"
#include "link/SerialLink.h"

namespace PlcListing {

namespace {

constexpr int FrameOverhead = 6; // STX, address, ":", two checksum digits, ETX
constexpr qsizetype ShownLineLength = 60;

constexpr char HeaderStart[] = "; PLC area of axis ";
constexpr qsizetype HeaderStartLength = sizeof HeaderStart - 1;

bool isHex(char c) {
    return AxisVocabulary::hexValue(QChar(QLatin1Char(c))) >= 0;
}

// A line as the operator reads it in a message: cut where it would fill the
// terminal, and without control characters that the terminal would act on.
QString shown(const QByteArray& line) {
    QString text = QString::fromUtf8(line);
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F ||
            (c.unicode() >= 0x80 && c.unicode() <= 0x9F))
            c = QChar::ReplacementCharacter;
    if (text.size() > ShownLineLength)
        text = text.left(ShownLineLength) + QChar(0x2026);
    return text;
}

QString slotNumber(int slot) {
    return QStringLiteral("%1").arg(slot, 2, 16, QLatin1Char('0')).toUpper();
}

// "Line n: what".
QString atLine(qsizetype n, const QString& what) {
    return Texts::text("plc.listingLine").arg(n).arg(what);
}

// The "; PLC area of axis A" line of a dump.
bool isHeader(const QByteArray& line) {
    if (line.size() != HeaderStartLength + 1 || !line.startsWith(HeaderStart))
        return false;
    const char axis = line.back();
    return (axis >= '0' && axis <= '9') || (axis >= 'A' && axis <= 'F');
}

// A command line of a parameter file ("PO400", "PA1.2"): two capitals and a
// value without blanks. Every line a parameter file holds that is not a
// comment has this shape; prose does not.
bool isCommandLine(const QByteArray& line) {
    if (line.size() < 2 || line[0] < 'A' || line[0] > 'Z' || line[1] < 'A' || line[1] > 'Z')
        return false;
    for (char c : line)
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F)
            return false;
    return true;
}

// One slot line found in the file.
struct SlotLine {
    int slot = -1;
    QString text;
};

// The slot line of a parameter file ("EW1Atext", "WU3text", code page 1252)
// or of a listing ("1A text", UTF-8). Returns false with *error set for a
// line that looks like one and is not; *isSlot false for any other line.
bool slotLine(const QByteArray& line, bool* isSlot, SlotLine* out, QString* error) {
    const bool ew = line.startsWith("EW");
    const bool wu = line.startsWith("WU");
    if (ew || wu) {
        *isSlot = true;
        const int digits = ew ? 2 : 1;
        int slot = 0;
        for (int i = 0; i < digits; ++i) {
            if (2 + i >= line.size() || !isHex(line.at(2 + i))) {
                *error = Texts::text("plc.listingNotSlotLine").arg(shown(line));
                return false;
            }
            slot = slot * 16 + AxisVocabulary::hexValue(QChar(QLatin1Char(line.at(2 + i))));
        }
        out->slot = slot;
        out->text = fromWindows1252(line.mid(2 + digits));
        return true;
    }
    if (line.size() >= 3 && isHex(line[0]) && isHex(line[1]) && line[2] == ' ') {
        *isSlot = true;
        QString decoded;
        if (!RsMonitor::decodeInputLine(line, &decoded, error))
            return false;
        out->slot = decoded.left(2).toInt(nullptr, 16);
        out->text = decoded.mid(3);
        return true;
    }
    *isSlot = false;
    return true;
}

// A slot text goes out in one frame, byte for byte: nothing that code page
// 1252 cannot carry (the encoder would send "?", which turns a setting into a
// query) and no control character (STX or ETX would end the frame early).
bool fitsTheWire(const SlotLine& s, QString* error) {
    // Which family the file goes to is not known yet: the longer "EW" form
    // must fit, and then the "WU" form does too.
    const qsizetype longest =
        maxWriteCommandLength() - plcSlotWriteCommand(0, QString(), false).size();
    if (s.text.size() > longest) {
        *error = Texts::text("plc.listingTooLong")
                     .arg(slotNumber(s.slot))
                     .arg(s.text.size())
                     .arg(longest);
        return false;
    }
    const RsMonitor::TypedCommand typed =
        RsMonitor::commandFromTyped(s.text, RsMonitor::Case::AsTyped);
    if (!typed.accepted()) {
        *error = typed.refusal;
        return false;
    }
    return true;
}

} // namespace

int maxWriteCommandLength() {
    return SerialLink::SendBufferSize - 1 - FrameOverhead;
}

bool Read(const QByteArray& bytes, Listing* listing, QString* error) {
    Listing read;
    read.texts = QStringList(plcSlotCount(false));
    QList<qsizetype> namedIn(plcSlotCount(false), 0);
    bool header = false;
    bool anySlot = false;

    QByteArray all = bytes;
    // An editor on another system may have put a byte order mark in front.
    if (all.startsWith("\xEF\xBB\xBF"))
        all.remove(0, 3);
    QList<QByteArray> lines = all.split('\n');
    // The line end of the last line starts no line of its own.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype n = i + 1;
        QByteArray line = lines.at(i);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        if (line.startsWith(';')) {
            header = header || isHeader(line);
            continue;
        }
        bool isSlot = false;
        SlotLine s;
        QString problem;
        if (!slotLine(line, &isSlot, &s, &problem)) {
            *error = atLine(n, problem);
            return false;
        }
        if (!isSlot) {
            // The other lines of a parameter file; anything else is not
            // what the operator meant to load.
            if (isCommandLine(line))
                continue;
            *error = atLine(n, Texts::text("plc.listingNotSlotLine").arg(shown(line)));
            return false;
        }
        if (namedIn.at(s.slot) != 0) {
            *error = atLine(n, Texts::text("plc.listingSlotTwice")
                                   .arg(slotNumber(s.slot))
                                   .arg(namedIn.at(s.slot)));
            return false;
        }
        if (!fitsTheWire(s, &problem)) {
            *error = atLine(n, problem);
            return false;
        }
        namedIn[s.slot] = n;
        read.texts[s.slot] = s.text;
        read.highest = qMax(read.highest, s.slot);
        anySlot = true;
    }
    if (!anySlot && !header) {
        *error = Texts::text("plc.listingNoSlot");
        return false;
    }
    read.erase = !anySlot;
    *listing = read;
    return true;
}

QString DumpHeader(const QString& axis) {
    return QString::fromLatin1(HeaderStart, HeaderStartLength) + axis.toUpper();
}

QString DumpLine(int slot, const QString& text) {
    return slotNumber(slot) + u' ' + text;
}

} // namespace PlcListing
