// The readers of numbers in replies and typed fields: decimal leading digits,
// hexadecimal digits at fixed places, list indexes, signed entries.
#include "FuzzInput.h"
#include "axis/AxisVocabulary.h"

using namespace AxisVocabulary;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = fuzzText(data, size);
    const quint32 value = leadingUnsigned(text);
    enteredFrequency(text);
    replyIndex(text, 10, 16);
    replyIndex(text, 16, 8);
    quint32 hex = 0;
    hexReply(text, &hex);
    for (int position : {-1, 0, 1, 3, 7, int(text.size()) - 1, int(text.size())}) {
        hexDigitAt(text, position);
        hexByteAt(text, position);
    }
    ValidateSignedNumber(text);
    validMoveTarget(text);
    parametersChanged(text);
    boundedFrequency(text, value);
    boundedFrequency(text, 1250);
    // A garbled "IF?" reply must not build a list of millions of entries.
    if (startStopListFor(value).size() > 100000 || runFreqListFor(value).size() > 100000)
        __builtin_trap();
    return 0;
}
