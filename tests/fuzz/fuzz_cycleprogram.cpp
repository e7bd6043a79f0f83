// Slot texts as the cycle-program dialog reads them from an axis or a parameter file: a
// text that parses gives a row, and the row's own text parses back to the same row.
#include "FuzzInput.h"
#include "plc/CycleProgram.h"

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
    // A row the dialog shows is written as a text it reads back as the same row.
    if (row.kind != CycleProgram::Unused &&
        (!CycleProgram::parse(again, &reread) || CycleProgram::text(reread) != again))
        __builtin_trap();
    return 0;
}
