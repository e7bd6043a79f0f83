#pragma once

#include <QByteArray>
#include <QString>

// Files named by the bytes the file system holds. A name that is not valid
// in the system's encoding (a Latin-1 "é" under UTF-8) has no text form that
// QFile would turn back into the same bytes: it would open another file. Such
// names go through these, by their bytes.

// The whole file; false when it cannot be opened or read.
bool readRawFile(const QByteArray& name, QByteArray* bytes);

// Writes bytes to a new file beside name and renames it over name, so that
// a failed write leaves the old file as it was. On failure error says why.
bool writeRawFile(const QByteArray& name, const QByteArray& bytes, QString* error);
