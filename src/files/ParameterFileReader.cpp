#include "axis/AxisConfiguration.h"
#include "axis/AxisVocabulary.h"
#include "axis/CKormakDoc.h"
#include "axis/MemoryAreas.h"
#include "axis/ParameterTable.h"
#include "base/FileIo.h"
#include "base/Windows1252.h"
#include "files/FileCheck.h"
#include "files/ParameterFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString Crlf = QStringLiteral("\r\n");

// The writer puts the table marker in the current language; a file saved in
// any of the three must open in any other.
const QString TableMarkers[] = {QStringLiteral("[Beschleunigungstabelle]"),
                                QStringLiteral("[Acceleration table]"),
                                QStringLiteral("[Tableau d'acc\u00e9l\u00e9ration]"),
                                // Files written by hand or by older tools.
                                QStringLiteral("[accelerations]")};

// A stored line's value: the text after its two-letter code, up to its line end.
QString valueOf(const QString& line) {
    QString value = line.mid(2);
    const qsizetype end = value.indexOf(Crlf);
    if (end >= 0)
        value.truncate(end);
    return value;
}

// The third character as a decimal digit of a two-entry list; a missing or
// non-digit character gives 0 and a digit beyond the list no selection.
int listSelection(const QString& line, int count) {
    int value = 0;
    if (line.size() > 2) {
        const char16_t c = line.at(2).unicode();
        if (c >= '0' && c <= '9')
            value = c - '0';
    }
    return value < count ? value : -1;
}

int hexDigit(const QString& line, qsizetype at) {
    return at < line.size() ? AxisVocabulary::hexValue(line.at(at)) : -1;
}

bool hasTableMarker(const QString& line) {
    for (const QString& marker : TableMarkers)
        if (line.contains(marker))
            return true;
    return false;
}

// The hexadecimal words of a table line: after its first "]: ", or from its
// third character when it has none, up to the line end.
QString tableText(const QString& line) {
    QString text = line;
    if (text.endsWith(Crlf))
        text.chop(2);
    const qsizetype colon = text.indexOf(QLatin1String("]: "));
    return text.mid(colon >= 0 ? colon + 3 : 2);
}

} // namespace

qsizetype FileRampTableLine(const QStringList& lines) {
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (hasTableMarker(lines.at(i)))
            return i + 2 < lines.size() ? i + 2 : -1;
    return -1;
}

QString FileRampTable(const QStringList& lines, bool* found) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!hasTableMarker(lines.at(i)))
            continue;
        // A marker too close to the end has no table line.
        if (i + 2 >= lines.size())
            break;
        if (found)
            *found = true;
        return tableText(lines.at(i + 2));
    }
    if (found)
        *found = false;
    return DefaultRampValueList;
}

QStringList SplitFileLines(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool lastWithoutEnd = end < 0;
        if (lastWithoutEnd)
            end = bytes.size();
        qsizetype length = end - start;
        if (!lastWithoutEnd && length > 0 && bytes.at(end - 1) == '\r')
            --length;
        lines << fromWindows1252(bytes.mid(start, length)) + Crlf;
        start = end + 1;
    }
    return lines;
}

bool ReadFileLines(const QByteArray& name, CKormakDoc& doc, QString* error) {
    // A device (/dev/zero), an endless pipe or a huge file is refused after
    // at most one byte beyond the limit: the window would freeze and the
    // memory fill up.
    QByteArray bytes;
    if (!FileIo::readFile(name, MaxParameterFileBytes, &bytes, error))
        return false;
    const QString path = QFile::decodeName(name);
    doc.lineList = SplitFileLines(bytes);
    doc.typeTag = QFileInfo(path).fileName();
    doc.filePath = path;
    doc.modified = false;
    return true;
}

bool ReadFileLines(const QString& path, CKormakDoc& doc, QString* error) {
    return ReadFileLines(QFile::encodeName(path), doc, error);
}

ApplyResult ApplyFileLines(const QStringList& lines, AxisConfiguration& params, CKormakDoc& doc,
                           const CurrentSettings& dialogFields) {
    ApplyResult result;
    result.currents = dialogFields;
    // Kept with the document, for the report and whoever shows the file.
    const FileDamage damage = CheckParameterFileLines(lines);
    doc.damagedWhere = damage.damaged() ? FileDamageWhere(damage) : QString();
    params.slotLines = AxisConfiguration::slotLinesOf(lines);
    // A file without lines names no device and no values: the document keeps
    // the file's name as its type tag, as the panel shows it.
    if (lines.isEmpty())
        return result;
    CurrentSettings& currents = result.currents;
    // The current texts the dialog holds, unless the file has lines for them.
    params.boostCurrent = currents.boostCurrent;
    params.runCurrent = currents.runCurrent;
    params.stopCurrent = currents.stopCurrent;
    params.boostTime = currents.boostTime;
    // No "PN" line before the table: no ramp is selected rather than a guess.
    int rampIndex = -1;

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);

        if (line.startsWith(QLatin1String("; [TKV]")) ||
            line.startsWith(QLatin1String("; [TMW]"))) {
            params.deviceType = line.mid(3, 3);
            currents.typeText = params.deviceType;
        }

        const ParameterTable::Row* row = line.startsWith(QLatin1Char(';'))
                                             ? nullptr
                                             : ParameterTable::find(QStringView(line).left(2));
        if (row && line.size() >= 2) {
            switch (row->form) {
            case ParameterTable::Form::Text:
                *ParameterTable::textField(*row, params) = valueOf(line);
                break;
            case ParameterTable::Form::Selection:
                *ParameterTable::selectionField(*row, params) = listSelection(line, row->listSize);
                break;
            case ParameterTable::Form::HexSelection: {
                // The ramp is selected once the table is known.
                const int digit = hexDigit(line, 2);
                if (digit >= 0)
                    rampIndex = digit;
                break;
            }
            case ParameterTable::Form::Fixed:
                break;
            }
        }

        // The table stands two lines below its marker (a lone ";" between).
        // A marker too close to the end has no table and is passed over.
        if (hasTableMarker(line) && i + 2 < lines.size()) {
            params.rampList << RampSlopes(tableText(lines.at(i + 2)));
            params.rampIndex = rampIndex < params.rampList.size() ? rampIndex : -1;
            result.tableFound = true;
        }
    }

    currents.boostCurrent = params.boostCurrent;
    currents.runCurrent = params.runCurrent;
    currents.stopCurrent = params.stopCurrent;
    currents.boostTime = params.boostTime;
    doc.typeTag = currents.typeText;
    return result;
}
