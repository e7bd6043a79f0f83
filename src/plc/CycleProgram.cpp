#include "plc/CycleProgram.h"

#include "axis/AxisVocabulary.h"

#include <algorithm>

namespace CycleProgram {

namespace {

// The text after key up to the next blank, or to the end of text.
QString field(const QString& text, const QString& key) {
    const qsizetype at = text.indexOf(key);
    if (at < 0)
        return {};
    const qsizetype from = at + key.size();
    const qsizetype blank = text.indexOf(u' ', from);
    return blank < 0 ? text.mid(from) : text.mid(from, blank - from);
}

} // namespace

int kindTextId(int kind) {
    return 10038 + kind;
}

bool hasTarget(int kind) {
    return kind >= InitialisePlus && kind <= MoveRelative;
}

bool hasFrequencies(int kind) {
    return kind >= InitialisePlus && kind <= FreeRunMinus;
}

QString text(const Row& row) {
    static const char* const moves[] = {" GI+ PC", " GI- PC", " GA", " GR", " GF+", " GF-"};
    switch (row.kind) {
    case StepPlus:
        return QStringLiteral("PO5 PF5 GS+ PN0");
    case StepMinus:
        return QStringLiteral("PO5 PF5 GS- PN0");
    case Unused:
        return {};
    default:
        break;
    }
    if (!hasFrequencies(row.kind))
        return {};
    QString t = QStringLiteral("PO") + row.offset + QStringLiteral(" PF") + row.run +
                QLatin1String(moves[row.kind]);
    if (hasTarget(row.kind))
        t += row.target;
    if (!row.ramp.isEmpty())
        t += QStringLiteral(" PN") + row.ramp;
    return t;
}

bool parse(const QString& p, Row* row) {
    *row = Row{};
    if (p.isEmpty())
        return true;
    bool found = false;
    // The first keyword found decides among the targeted moves.
    static const struct {
        const char* key;
        int kind;
    } targeted[] = {{"GR", MoveRelative},
                    {"GA", PositionAbsolute},
                    {"GI+", InitialisePlus},
                    {"GI-", InitialiseMinus}};
    for (const auto& t : targeted) {
        const QString key = QLatin1String(t.key);
        if (!p.contains(key))
            continue;
        row->kind = t.kind;
        // The initialisations carry their new position behind "PC".
        row->target = p.contains(QLatin1String("PC")) ? field(p, QStringLiteral("PC"))
                                                      : field(p, key.left(2));
        found = true;
        break;
    }
    if (p.contains(QLatin1String("GF+")) || p.contains(QLatin1String("GF-"))) {
        row->kind = p.contains(QLatin1String("GF+")) ? FreeRunPlus : FreeRunMinus;
        row->target.clear();
        found = true;
    }
    if (found) {
        row->offset = field(p, QStringLiteral("PO"));
        row->run = field(p, QStringLiteral("PF"));
        const qsizetype pn = p.indexOf(QLatin1String("PN"));
        row->ramp = pn < 0 ? QString() : p.mid(pn + 2);
    }
    if (p.contains(QLatin1String("GS+")) || p.contains(QLatin1String("GS-"))) {
        *row = Row{};
        row->kind = p.contains(QLatin1String("GS+")) ? StepPlus : StepMinus;
        found = true;
    }
    if (!found)
        *row = Row{};
    return found;
}

QString rampText(int index) {
    return index < 0 ? QString() : QString::number(index, 16).toUpper();
}

int rampIndex(const QString& ramp) {
    return int(AxisVocabulary::wholeHex(ramp, 7));
}

bool isExtendedStep(const QString& slotText) {
    return slotText.startsWith(QLatin1String("$&"));
}

bool isCycleText(const QString& slotText) {
    return !slotText.isEmpty() && !isExtendedStep(slotText);
}

bool frequencyValid(const QString& text) {
    return !text.isEmpty() && text.size() <= 10 &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace CycleProgram
