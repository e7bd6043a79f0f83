// Machine manifests from anywhere (a folder copied between machines, edited
// by hand): what is read back must be what restore relies on, every axis an
// address 0..F at most once, every present axis a plain file name inside the
// folder and a 64-digit hash; and written again it reads the same.
#include "FuzzInput.h"
#include "files/MachineBackup.h"

#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace MachineBackup;
    Manifest manifest;
    QString error;
    if (!parseManifest(fuzzBytes(data, size), &manifest, &error))
        return 0;
    QSet<QChar> seen;
    for (const AxisEntry& e : manifest.axes) {
        if (!QStringLiteral("0123456789ABCDEF").contains(e.address) || seen.contains(e.address))
            __builtin_trap();
        seen.insert(e.address);
        if (e.present &&
            (e.file.isEmpty() || e.file.contains(u'/') || e.file == u".." || e.sha256.size() != 64))
            __builtin_trap();
    }
    Manifest again;
    if (!parseManifest(manifestJson(manifest), &again, &error) ||
        again.axes.size() != manifest.axes.size())
        __builtin_trap();
    return 0;
}
