#pragma once

#include <QString>
#include <QStringView>

namespace sim {

// The forms of the commands the simulated controller understands. The bus needs them
// before any axis sees a frame: frames without an address or without a checksum cannot
// be told apart from full frames by their bytes alone, so the decision rests on whether
// the text reads as a command.
class SimCommandSyntax {
public:
    // The mnemonic at the start of text ("PF", "GI", the single-letter "H"), or an empty
    // string when text does not start with a known mnemonic.
    static QString mnemonicOf(QStringView text);
    // True when text is a known mnemonic followed by an argument of that mnemonic's form.
    static bool wellFormed(QStringView text);
    // True for "0".."9" and "A".."F".
    static bool isAddress(QChar c);
};

} // namespace sim
