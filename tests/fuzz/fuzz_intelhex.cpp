// SFI program files and the controller replies that choose and configure
// them, as a damaged file or line noise may deliver them.
#include "FuzzInput.h"
#include "drive/OverallStatus.h"
#include "drive/SfiCard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    QList<SfiCard::Record> records;
    qsizetype bad = -1;
    if (SfiCard::readRecords(text, &records, &bad)) {
        for (const SfiCard::Record& r : records)
            if (r.address.size() != 4 || r.data.size() != 32)
                __builtin_trap();
    } else if (!records.isEmpty() || bad < 0 || bad >= text.size()) {
        __builtin_trap();
    }
    SfiCard::parseConfiguration(text);
    if (SfiCard::usableSuffix(text) && text.contains(u'/'))
        __builtin_trap();
    const OverallStatus::Reading status = OverallStatus::decode(text);
    OverallStatus::lampColours(status.value);
    return 0;
}
