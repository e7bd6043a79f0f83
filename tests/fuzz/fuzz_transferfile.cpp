// Parameter files from anywhere, read as a transfer reads them: the panel's
// values, the commands they make, the check for a damaged file, the acceleration table and its
// ramps, the PLC lines; and each pair of lines compared as a file value and an axis's reply are
// compared.
#include "FuzzInput.h"
#include "axis/AxisParameters.h"
#include "axis/CKormakDoc.h"
#include "axis/MemoryAreas.h"
#include "files/AxisComparison.h"
#include "files/ParameterFile.h"
#include "files/Transfer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines = SplitFileLines(fuzzBytes(data, size));
    AxisParameters params;
    CKormakDoc doc;
    doc.lineList = lines;
    ApplyFileLines(doc.lineList, params, doc);
    const QStringList commands = TransferParameterCommands(params, doc);
    for (const QString& c : commands)
        if (c.size() < 2)
            __builtin_trap();
    const QString table = FileRampTable(lines);
    for (quint32 word : RampWords(table))
        if (word > 0xFFFF)
            __builtin_trap();
    TransferSequenceLines(lines);
    // The check before the first write names a line that is in the file.
    const FileDamage damage = CheckTransferInput(commands, lines);
    if (damage.damaged() && (damage.line < 0 || damage.line > lines.size()))
        __builtin_trap();
    if (damage.damaged() && FileDamageWhere(damage).isEmpty())
        __builtin_trap();
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        SameParameterValue(lines.at(i).left(2), lines.at(i).mid(2), lines.at(i + 1));
    return 0;
}
