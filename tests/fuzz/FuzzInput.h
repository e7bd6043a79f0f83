#pragma once

#include "base/Windows1252.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// The fuzzer's bytes as the program meets them: single-byte text from a file
// or the wire.
inline QByteArray fuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}
inline QString fuzzText(const uint8_t* data, size_t size) {
    return fromWindows1252(fuzzBytes(data, size));
}
