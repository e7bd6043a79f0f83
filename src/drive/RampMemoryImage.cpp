#include "drive/RampMemoryImage.h"

#include "axis/AxisVocabulary.h"

#include <cstring>
#include <new>

std::unique_ptr<RampMemoryImage> RampMemoryImage::create() {
    std::unique_ptr<RampMemoryImage> image(new (std::nothrow) RampMemoryImage);
    if (image)
        std::memset(image->bytes_, 0xFF, sizeof image->bytes_);
    return image;
}

void RampMemoryImage::storeHex(int offset, const QString& digits, int count) {
    for (int j = 0; j < count; ++j) {
        const qsizetype at = qsizetype(2) * j;
        const int high = at < digits.size() ? AxisVocabulary::hexValue(digits.at(at)) : -1;
        const int low = at + 1 < digits.size() ? AxisVocabulary::hexValue(digits.at(at + 1)) : -1;
        set(offset + j, high < 0 || low < 0 ? quint8(0xFF) : quint8(high << 4 | low));
    }
}

QString RampMemoryImage::blockHex(int offset) const {
    static const char digits[] = "0123456789ABCDEF";
    QString text(BlockSize * 2, Qt::Uninitialized);
    for (int j = 0; j < BlockSize; ++j) {
        const quint8 b = at(offset + j);
        text[2 * j] = QLatin1Char(digits[b >> 4]);
        text[2 * j + 1] = QLatin1Char(digits[b & 0xF]);
    }
    return text;
}
