#pragma once

#include <QByteArray>
#include <QString>

// Every file Kormak reads or writes goes through these two functions.
//
// Names are taken as the bytes the file system holds: a name that is not
// valid in the system's encoding (a Latin-1 "é" under UTF-8) has no text form
// that would turn back into the same bytes. The QString overloads are for
// names that came in as text (dialogs, settings) and use QFile::encodeName.
namespace FileIo {

// Writes bytes so that the file holds them whole, or stays as it was.
//
// A regular file, or a name that does not exist yet, is written through a new
// temporary file beside it (created exclusively, never through a link that
// stands at its name), which takes the old file's mode, is written, synced
// and checked at every step, and only then renamed over the old one. A
// symbolic link is written through to the file it names. An existing target
// that is not a regular file (a device, a FIFO: "/dev/null", "/dev/stdout") is
// written into as the shell's ">" would, never replaced. A directory is
// refused. On failure error says why and no temporary file is left.
bool writeFile(const QByteArray& name, const QByteArray& bytes, QString* error);
bool writeFile(const QString& name, const QByteArray& bytes, QString* error);

// Reads a whole file of at most limit bytes. A directory is refused; a
// regular file longer than limit is refused before anything is read; from
// anything else (a pipe, a FIFO, a device) at most limit + 1 bytes are read,
// and more than limit is refused. A FIFO that nobody writes to reads as empty
// at once rather than waiting for a writer.
bool readFile(const QByteArray& name, qint64 limit, QByteArray* bytes, QString* error);
bool readFile(const QString& name, qint64 limit, QByteArray* bytes, QString* error);

// Puts /dev/null on each of the descriptors 0, 1 and 2 that is closed, so
// that no file or pipe the program opens later (Qt's own among them) takes
// the place of its standard input or output. Call it first in main(). With
// failingOutputs, a closed standard output or error gets /dev/null open for
// reading only, so that writes to it fail and are reported rather than
// silently lost. Returns a bit (1 << fd) for each descriptor that was closed.
int reopenClosedStandardDescriptors(bool failingOutputs);

} // namespace FileIo
