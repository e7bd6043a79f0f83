// Parameter files from anywhere: split into lines and applied to a panel's
// fields as opening an offline configuration does.
#include "FuzzInput.h"
#include "axis/AxisParameters.h"
#include "axis/CKormakDoc.h"
#include "files/ParameterFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines = SplitFileLines(fuzzBytes(data, size));
    AxisParameters params;
    CKormakDoc doc;
    doc.lineList = lines;
    ApplyFileLines(doc.lineList, params, doc);
    return 0;
}
