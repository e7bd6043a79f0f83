// Slot texts as the cycle-program dialog reads them from an axis or a parameter file: a
// text that parses gives a row, and the row's own text parses back to the same row.
#include "FuzzInput.h"
#include "plc/CycleProgram.h"

#include <QRegularExpression>

namespace {
// The fields as the dialog lets the operator fill them: a whole number, a hexadecimal ramp.
bool dialogFields(const CycleProgram::Row& row) {
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+$"));
    static const QRegularExpression hex(QStringLiteral("^[0-9A-F]*$"));
    const bool target = !CycleProgram::hasTarget(row.kind) || number.match(row.target).hasMatch();
    return target && number.match(row.offset).hasMatch() && number.match(row.run).hasMatch() &&
           hex.match(row.ramp).hasMatch();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    CycleProgram::isCycleText(text);
    CycleProgram::isExtendedStep(text);
    CycleProgram::Row row;
    if (!CycleProgram::parse(text, &row))
        return 0;
    if (row.kind < 0 || row.kind >= CycleProgram::KindCount)
        __builtin_trap();
    CycleProgram::rampIndex(row.ramp);
    const QString again = CycleProgram::text(row);
    CycleProgram::Row reread;
    // A row whose fields the dialog would take is written as a text it reads back as the
    // same row. (Fields read from an arbitrary text may hold blanks or keywords; the dialog
    // checks those before it writes anything.)
    if (CycleProgram::hasFrequencies(row.kind) && dialogFields(row) &&
        (!CycleProgram::parse(again, &reread) || CycleProgram::text(reread) != again))
        __builtin_trap();
    return 0;
}
