#pragma once

// A control's caption where it serves as a window title.

#include <QChar>
#include <QString>

namespace Caption {

// The caption without its mnemonic marker ("&&" stays one "&") and without a
// trailing "..." or "…": "Sa&ve log..." gives "Save log".
inline QString plain(const QString& caption) {
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption.at(i + 1) == QLatin1Char('&'))
                out += caption.at(++i);
            continue;
        }
        out += caption.at(i);
    }
    if (out.endsWith(QLatin1String("...")))
        out.chop(3);
    else if (out.endsWith(QChar(0x2026)))
        out.chop(1);
    return out.trimmed();
}

} // namespace Caption
