#include "report/SlotDecoding.h"

#include "axis/AxisVocabulary.h"
#include "base/Texts.h"
#include "drive/Currents.h"
#include "link/DeviceFamily.h"
#include "link/ReplyFrame.h"

namespace {

QString t(int id) {
    return Texts::text(id);
}

const QString Crlf = QStringLiteral("\r\n");

// The text after the token up to the next blank or the end.
QString valueAfter(const QString& text, qsizetype tokenAt, qsizetype tokenLength) {
    const qsizetype from = tokenAt + tokenLength;
    const qsizetype blank = text.indexOf(QLatin1Char(' '), from);
    return text.mid(from, blank < 0 ? -1 : blank - from);
}

// A whole hexadecimal number, or -1 when the text is empty, holds anything
// else, or is too long to index a list.
int wholeHex(const QString& text) {
    return int(AxisVocabulary::wholeHex(text, 4));
}

bool amperesFamily(const QString& deviceType) {
    return DeviceFamily(deviceType).ampereFamily(DeviceFamily::Rule::Contains);
}

} // namespace

QString FormatCurrent(const QString& stepText, const SlotDecodingContext& context) {
    const QString v = stepText.mid(4);
    if (!context.readLevelTable)
        return t(10173) + QLatin1Char(' ') + v;
    const QString table = context.readLevelTable();
    const int level = wholeHex(v);
    if (PseudoReply::is(table) || level < 0)
        return v;
    const qsizetype at = 2 * qsizetype(level);
    if (at + 1 >= table.size())
        return v;
    const int high = AxisVocabulary::hexValue(table.at(at));
    const int low = AxisVocabulary::hexValue(table.at(at + 1));
    if (high < 0 || low < 0)
        return v;
    const float amperes = float(high * 16 + low) / 10.0f;
    return QString::asprintf("%.1f A", double(amperes));
}

QString DecodeSlot(const QString& slotText, const SlotDecodingContext& context) {
    const bool step = slotText.startsWith(QLatin1String("$&"));
    QString text = slotText;
    if (text.contains(Crlf))
        text.chop(2);
    QString r = t(step ? 10282 : 10228);

    struct Token {
        const char* token;
        int textId;
        enum { Sign, Value, Steps } form;
        const char* sign;
    };
    // In this order; each token found adds its line.
    static const Token tokens[] = {
        {"GI+", 10230, Token::Sign, "+"}, {"GI-", 10230, Token::Sign, "-"},
        {"GA", 10231, Token::Value, ""},  {"GR", 10232, Token::Steps, ""},
        {"GF+", 10233, Token::Sign, "+"}, {"GF-", 10233, Token::Sign, "-"},
    };
    for (const Token& k : tokens) {
        const qsizetype at = text.indexOf(QLatin1String(k.token));
        if (at < 0)
            continue;
        const QString value = valueAfter(text, at, qsizetype(qstrlen(k.token)));
        switch (k.form) {
        case Token::Sign:
            r += t(k.textId) + QLatin1String(k.sign) + Crlf;
            break;
        case Token::Value:
            r += t(k.textId) + value + Crlf;
            break;
        case Token::Steps:
            r += t(k.textId) + value + QLatin1Char(' ') + t(10213) + Crlf;
            break;
        }
    }
    // A single step ends the text: the program's other values do not apply.
    if (text.contains(QLatin1String("GS+")))
        return r + t(10234) + QLatin1Char('+');
    if (text.contains(QLatin1String("GS-")))
        return r + t(10234) + QLatin1Char('-');

    if (const qsizetype at = text.indexOf(QLatin1String("PC")); at >= 0) {
        if (step)
            r += t(10283) + text.mid(4) + QLatin1Char(' ') + t(10213) + Crlf;
        else
            r += t(10226) + valueAfter(text, at, 2) + QLatin1Char(' ') + t(10213) + Crlf;
    }
    if (const qsizetype at = text.indexOf(QLatin1String("PO")); at >= 0)
        r += t(10227) + valueAfter(text, at, 2) + QStringLiteral(" Hz\r\n");
    if (const qsizetype at = text.indexOf(QLatin1String("PF")); at >= 0)
        r += t(10205) + valueAfter(text, at, 2) + QStringLiteral(" Hz\r\n");
    if (const qsizetype at = text.indexOf(QLatin1String("PN")); at >= 0) {
        const QString value = valueAfter(text, at, 2);
        const int index = wholeHex(value);
        const QString slope = index >= 0 && index < context.rampList.size()
                                  ? context.rampList.at(index)
                                  : QStringLiteral("?");
        r += t(10229) + t(10235) + value + t(10236) + slope + QStringLiteral(" Hz/sec)\r\n");
    }

    if (!step) {
        r.chop(2);
        return r;
    }

    const QString current =
        amperesFamily(context.deviceType) ? text.mid(4) + QStringLiteral(" A") : QString();
    auto currentText = [&] { return current.isEmpty() ? FormatCurrent(text, context) : current; };
    const QString code = text.mid(2, 2);
    if (code.startsWith(QLatin1Char('T'))) {
        r += t(10284) + text.mid(3) + QStringLiteral(" ms");
    } else if (code.startsWith(QLatin1Char('N'))) {
        const QString digits = text.mid(3, 2);
        const int target = digits.size() == 2 ? wholeHex(digits) : -1;
        r += t(10285) + (target >= 0 ? QString::number(target) : digits);
    } else if (code == QLatin1String("PS")) {
        r += t(10286) + currentText();
    } else if (code == QLatin1String("PR")) {
        r += t(10287) + currentText();
    } else if (code == QLatin1String("PA")) {
        r += t(10288) + currentText();
    } else if (code == QLatin1String("PT")) {
        r += t(10289) + text.mid(4) + QStringLiteral(" ms");
    } else {
        static const struct {
            const char* code;
            int textId;
        } resets[] = {{"CA", 10290}, {"CI", 10291}, {"CO", 10292}, {"CR", 10293}, {"CS", 10294}};
        for (const auto& reset : resets)
            if (code == QLatin1String(reset.code)) {
                r += t(reset.textId);
                break;
            }
    }
    return r;
}
