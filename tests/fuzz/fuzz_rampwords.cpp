// Ramp value lists, directory reads and memory blocks as a controller (or
// line noise) may deliver them.
#include "FuzzInput.h"
#include "axis/AxisVocabulary.h"
#include "axis/MemoryAreas.h"
#include "drive/RampMemoryImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    RampWords(text);
    RampSlopes(text);
    AxisVocabulary::rampListFromValueList(text);
    static std::unique_ptr<RampMemoryImage> image = RampMemoryImage::create();
    if (image) {
        // Blocks at the directory, in the middle and across the end.
        for (int offset : {0, RampMemoryImage::TableOffset, RampMemoryImage::Size - 8}) {
            image->storeHex(offset, text, RampMemoryImage::BlockSize);
            image->blockHex(offset);
        }
    }
    return 0;
}
