#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Parameter files and the texts on the serial line are single-byte code page
// 1252 on every platform, so a file written here opens unchanged on the
// machines that commission the axes, and a file line reaches the axis byte for
// byte. The conversion happens only where bytes meet the disk or the wire.
//
// Both directions are byte-transparent: the five byte values that code page
// 1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) and the control range
// U+0080..U+009F map to the bytes of the same value, so a slot text read from
// an axis is stored byte for byte whatever it holds. Characters that have no
// single-byte form become "?". This is the program's one codec for both.
QByteArray toWindows1252(const QString& text);
QString fromWindows1252(QByteArrayView bytes);
