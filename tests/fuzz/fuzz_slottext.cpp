// Slot texts as an axis (or a parameter file's slot lines) may deliver them,
// decoded for the report offline and online, and the device lines of a file
// header read for the offline report.
#include "FuzzInput.h"
#include "axis/CKormakDoc.h"
#include "files/ParameterFile.h"
#include "report/ReportReader.h"
#include "report/SlotDecoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    SlotDecodingContext offline;
    offline.rampList = QStringList{QStringLiteral("5000"), QStringLiteral("37500")};
    DecodeSlot(text, offline);
    FormatCurrent(text, offline);

    // Online, the level table is another reply: the same bytes, and a cut.
    SlotDecodingContext online = offline;
    online.readLevelTable = [&] { return text.left(7); };
    DecodeSlot(text, online);
    FormatCurrent(text, online);
    online.deviceType = QStringLiteral("TKV 3A/50V");
    DecodeSlot(text, online);

    CKormakDoc doc;
    doc.filePath = QStringLiteral("fuzz.OPM");
    doc.lineList = SplitFileLines(fuzzBytes(data, size));
    ReportReader::OfflineDeviceBlock(doc);
    return 0;
}
