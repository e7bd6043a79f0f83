#include "sim/SimCommandSyntax.h"

#include <QHash>
#include <QRegularExpression>

namespace sim {

namespace {

// Argument forms, matched against the whole text after the mnemonic.
const char* const kQuery = R"(\?)";
const char* const kNumber = R"(\?|[-+]?[0-9]*)";
const char* const kCurrent = R"(\?\??|[0-9A-Fa-f.]*)";
const char* const kHexValue = R"(\?|[0-9A-Fa-f]*)";
const char* const kNone = "";
const char* const kBlock = "[0-9A-Fa-f]{36}";

const QHash<QString, QRegularExpression>& forms() {
    static const QHash<QString, QRegularExpression> table = [] {
        const QList<std::pair<const char*, const char*>> list = {
            // identification and status
            {"IF", kQuery},
            {"DO", kQuery},
            {"II", kQuery},
            {"IS", kQuery},
            {"IC", kQuery},
            {"IB", kQuery},
            {"IV", kQuery},
            {"ID", kQuery},
            {"IQ", kQuery},
            {"IN", kQuery},
            {"IA", kQuery},
            {"IL", kQuery},
            {"FA", kQuery},
            {"PE", kQuery},
            {"EI", kQuery},
            // parameters
            {"PO", kNumber},
            {"PF", kNumber},
            {"PL", kNumber},
            {"PD", kNumber},
            {"PC", kNumber},
            {"PG", kNumber},
            {"PW", kNumber},
            {"PP", kNumber},
            {"PM", kNumber},
            {"PH", kNumber},
            {"PT", kNumber},
            {"PN", kHexValue},
            {"PA", kCurrent},
            {"PR", kCurrent},
            {"PS", kCurrent},
            {"PI", R"(\?|[01])"},
            {"PB", kNone},
            // outputs
            {"IO", kHexValue},
            {"EO", kHexValue},
            // motion
            {"GI", "[-+]"},
            {"GF", "[-+]"},
            {"GS", "[-+]"},
            {"GA", "[-+]?[0-9]+"},
            {"GR", "[-+]?[0-9]+"},
            {"H", kNone},
            // memory areas and the write release
            {"FR", "[0-9A-Fa-f]{4}"},
            {"FC", ".*"},
            {"ER", "[0-9A-Fa-f]{2}"},
            {"EW", "[0-9A-Fa-f]{2}.*"},
            {"FU", "[0-9A-Fa-f]"},
            {"WU", "[0-9A-Fa-f].*"},
            {"WR", kBlock},
            {"WI", kBlock},
            {"IM", R"(\?|[0-9A-Fa-f]{2})"},
            {"WP", kNone},
            {"WA", kNone},
            {"WD", kNone},
            {"WE", kNone},
            {"WX", kNone},
            // resets and the line rate
            {"CO", kNone},
            {"CA", kNone},
            {"CI", kNone},
            {"CS", kNone},
            {"CR", kNone},
            {"DB", "[0-4]"},
        };
        QHash<QString, QRegularExpression> t;
        for (const auto& [mnemonic, form] : list)
            t.insert(
                QString::fromLatin1(mnemonic),
                QRegularExpression(QRegularExpression::anchoredPattern(QString::fromLatin1(form)),
                                   QRegularExpression::DotMatchesEverythingOption));
        return t;
    }();
    return table;
}

} // namespace

QString SimCommandSyntax::mnemonicOf(QStringView text) {
    if (text.size() >= 2 && forms().contains(text.left(2).toString()))
        return text.left(2).toString();
    if (!text.isEmpty() && text.front() == u'H')
        return QStringLiteral("H");
    return {};
}

bool SimCommandSyntax::wellFormed(QStringView text) {
    const QString mnemonic = mnemonicOf(text);
    if (mnemonic.isEmpty())
        return false;
    return forms().value(mnemonic).match(text.mid(mnemonic.size()).toString()).hasMatch();
}

bool SimCommandSyntax::isAddress(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

} // namespace sim
