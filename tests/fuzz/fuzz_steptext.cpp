// Extended-sequence step texts as an axis's slots, a parameter file's step
// lines or a level-current reply may deliver them: read into a row, built
// back, taken apart by the test run, merged into a file's lines.
#include "FuzzInput.h"
#include "plc/ExtendedStep.h"
#include "plc/PlcArea.h"

#include <cstdlib>

namespace {

// A row built into a text reads back into a row that builds the same text:
// what the dialog writes is what it shows the next time.
void roundTrip(const QString& text, bool amperes) {
    ExtendedStep::Row row;
    if (!ExtendedStep::parse(text, amperes, &row))
        return;
    QString built;
    if (ExtendedStep::text(row, amperes, &built) != ExtendedStep::Build::Done)
        return;
    ExtendedStep::Row again;
    QString rebuilt;
    if (!ExtendedStep::parse(built, amperes, &again) ||
        ExtendedStep::text(again, amperes, &rebuilt) != ExtendedStep::Build::Done ||
        rebuilt != built)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    for (const QString& t : {text, QStringLiteral("$&") + text}) {
        for (bool amperes : {false, true})
            roundTrip(t, amperes);
        ExtendedStep::action(t);
        ExtendedStep::jumpTarget(t);
        ExtendedStep::pauseMs(t);
        ExtendedStep::command(t);
    }
    ExtendedStep::currentValueList(QStringLiteral("SMC"), false, text);
    QStringList lines = text.split(u'\n');
    for (QString& l : lines)
        l += QStringLiteral("\r\n");
    ExtendedStep::deviceTypeFromLines(lines);
    const PlcArea::Slots area = PlcArea::FromLineList(lines);
    PlcArea::MergeStepsIntoLineList(lines, area.extendedSteps);
    // Merging the file's own steps back changes no step.
    if (PlcArea::FromLineList(lines).extendedSteps != area.extendedSteps)
        std::abort();
    return 0;
}
