#include "link/DeviceFamily.h"

#include "link/SerialLink.h"

DeviceFamily DeviceFamily::read(SerialLink& link) {
    return DeviceFamily(link.SendCommand(QStringLiteral("DO?"), true, Full));
}

bool DeviceFamily::replied() const {
    return !PseudoReply::is(text_);
}

QString DeviceFamily::code() const {
    QString letters;
    for (QChar c : text_.trimmed()) {
        if (!c.isLetter())
            break;
        letters += c.toUpper();
    }
    return letters;
}

bool DeviceFamily::is(const char* code, Rule rule) const {
    const QLatin1String c(code);
    switch (rule) {
    case Rule::BeginsWith:
        return text_.startsWith(c);
    case Rule::Contains:
        return text_.contains(c);
    case Rule::Exact:
        return text_ == c;
    }
    return false;
}

bool DeviceFamily::ampereFamily(Rule rule) const {
    return ampereEntryCount(rule) > 0;
}

int DeviceFamily::ampereEntryCount(Rule rule) const {
    if (is("TKV", rule))
        return TkvAmpereEntries;
    if (is("TMW", rule))
        return TmwAmpereEntries;
    return 0;
}
