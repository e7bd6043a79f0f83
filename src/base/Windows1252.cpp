#include "base/Windows1252.h"

namespace {

// Unicode of the bytes 0x80..0x9F; 0 marks the five bytes without a character.
constexpr char16_t HighControlRange[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char encodeOne(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int i = 0; i < 32; ++i)
        if (HighControlRange[i] == u)
            return char(0x80 + i);
    // A control character of this range has no meaning in a file; keep its
    // byte rather than lose it.
    if (u >= 0x80 && u <= 0x9F)
        return char(u);
    return '?';
}

} // namespace

QByteArray toWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text)
        bytes.append(encodeOne(c.unicode()));
    return bytes;
}

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u <= 0x9F && HighControlRange[u - 0x80] != 0)
            *out++ = QChar(HighControlRange[u - 0x80]);
        else
            *out++ = QChar(char16_t(u));
    }
    return text;
}
