// kormakctl transfer and diff: a parameter file into axes, and a parameter
// file beside one axis.
#include "axis/AxisParameters.h"
#include "axis/CKormakDoc.h"
#include "base/Texts.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "files/AxisComparison.h"
#include "files/ParameterFile.h"
#include "files/Transfer.h"

#include <QCommandLineParser>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int ExitUnreadable = 3;
const char AxisDigits[] = "0123456789ABCDEF";

// The offline configuration a panel opened from the file would hold.
bool loadFile(CliContext& ctx, const QString& word, AxisParameters* params, CKormakDoc* doc) {
    const QByteArray bytes = ctx.rawWord(word);
    QString error;
    if (!ReadFileLines(bytes, *doc, &error)) {
        printFileError(bytes, fileErrorText(61697, error));
        return false;
    }
    if (!doc->lineList.isEmpty())
        ApplyFileLines(doc->lineList, *params, *doc);
    return true;
}

// "0,3,A" as address bits; false for an empty list or a word that is no address.
bool parseAddressList(const QString& text, quint16* bits) {
    *bits = 0;
    const QStringList words = text.split(QLatin1Char(','));
    for (const QString& word : words) {
        QString address;
        if (!parseAddress(word.trimmed(), &address))
            return false;
        *bits |= quint16(1u << QString::fromLatin1(AxisDigits).indexOf(address));
    }
    return *bits != 0;
}

// The terminal operator, except that the question about the ramps is put to
// the person at the terminal. Without a terminal nobody can answer: the
// question is refused, and the transfer ends before its first write.
class AskingOperator : public ForwardingOperator {
public:
    explicit AskingOperator(TerminalOperator& inner) : ForwardingOperator(inner) {}
    bool unanswered = false;
    Answer show(const Message& m) override {
        if (m.buttons != Buttons::YesNo)
            return ForwardingOperator::show(m);
        const QString text = m.text.isEmpty() ? Texts::text(m.textId) : m.text;
        if (::isatty(STDIN_FILENO) != 1) {
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
            unanswered = true;
            return Answer::Cancel;
        }
        for (;;) {
            std::fprintf(stderr, "%s [y/n] ", text.toLocal8Bit().constData());
            std::fflush(stderr);
            char line[64];
            if (!std::fgets(line, sizeof line, stdin))
                return Answer::No;
            if (line[0] == 'y' || line[0] == 'Y' || line[0] == 'j' || line[0] == 'J' ||
                line[0] == 'o' || line[0] == 'O')
                return Answer::Yes;
            if (line[0] == 'n' || line[0] == 'N')
                return Answer::No;
        }
    }
};

QString slotName(int slot, bool eightSlots) {
    return QStringLiteral("%1").arg(slot, eightSlots ? 1 : 2, 16, QLatin1Char('0')).toUpper();
}

// One line per item that differs, each starting with the axis.
void printDifferences(const QString& axis, const AxisComparison& c) {
    for (const AxisComparison::Parameter& p : c.parameters)
        if (p.differs)
            printLine(QStringLiteral("%1 %2 file %3 axis %4")
                          .arg(axis, p.code, p.fileValue, p.axisValue));
    if (c.tableCompared && !c.tablesEqual())
        printLine(QStringLiteral("%1 table file %2 axis %3").arg(axis, c.fileTable, c.axisTable));
    for (int slot : c.differingSlots)
        printLine(QStringLiteral("%1 slot %2").arg(axis, slotName(slot, c.eightSlots)));
    for (const QString& line : c.foreignLines)
        printLine(QStringLiteral("%1 line %2").arg(axis, line));
}

// A comparison as JSON: every parameter, the table and the PLC slots.
QJsonObject comparisonJson(const QString& axis, const AxisComparison& c) {
    QJsonArray parameters;
    for (const AxisComparison::Parameter& p : c.parameters)
        parameters.append(
            QJsonObject{{QStringLiteral("code"), p.code},
                        {QStringLiteral("file"), p.sent ? QJsonValue(p.fileValue) : QJsonValue()},
                        {QStringLiteral("axis"), p.axisValue},
                        {QStringLiteral("differs"), p.differs}});
    QJsonArray slotList;
    for (int slot : c.differingSlots)
        slotList.append(slotName(slot, c.eightSlots));
    return {{QStringLiteral("address"), axis},
            {QStringLiteral("readable"), true},
            {QStringLiteral("equal"), c.equal()},
            {QStringLiteral("parameters"), parameters},
            {QStringLiteral("table"), QJsonObject{{QStringLiteral("compared"), c.tableCompared},
                                                  {QStringLiteral("equal"), c.tablesEqual()},
                                                  {QStringLiteral("file"), c.fileTable},
                                                  {QStringLiteral("axis"), c.axisTable}}},
            {QStringLiteral("plc"), QJsonObject{{QStringLiteral("equal"), c.plcEqual()},
                                                {QStringLiteral("differingSlots"), slotList},
                                                {QStringLiteral("foreignLines"),
                                                 QJsonArray::fromStringList(c.foreignLines)}}},
            {QStringLiteral("differences"), QJsonArray::fromStringList(c.differences())}};
}

} // namespace

void declareTransfer(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(QStringLiteral("address"),
                                        QStringLiteral("Axes to load, e.g. 0,3,A."),
                                        QStringLiteral("LIST")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("ramps"),
        QStringLiteral("When an axis's ramps differ from the file's: ask (on the terminal; the "
                       "default), yes (program the file's) or no (keep the axis's)."),
        QStringLiteral("ask|yes|no"), QStringLiteral("ask")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("verify"),
        QStringLiteral("Read each loaded axis back and fail naming every item that differs.")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("any-family"),
        QStringLiteral("Load axes of another family than the file's device line names (without "
                       "it, such an axis makes the transfer send nothing).")));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The parameter file (.OPM) to load."));
}

int runTransfer(CliContext& ctx, const QCommandLineParser& parser) {
    const char* usage =
        "transfer --address LIST FILE [--ramps ask|yes|no] [--verify] [--any-family]";
    quint16 ticked = 0;
    if (!parseAddressList(parser.value(QStringLiteral("address")), &ticked))
        return usageError(QString::fromLatin1(usage) +
                              QStringLiteral(" (LIST: addresses 0..9, A..F, e.g. 0,3,A)"),
                          "transfer");
    if (parser.positionalArguments().size() != 1)
        return usageError(QStringLiteral("transfer takes one FILE"), "transfer");
    const QString ramps = parser.value(QStringLiteral("ramps")).toLower();
    TransferToAxes::Ramps choice = TransferToAxes::Ramps::Ask;
    if (ramps == QLatin1String("yes"))
        choice = TransferToAxes::Ramps::Yes;
    else if (ramps == QLatin1String("no"))
        choice = TransferToAxes::Ramps::No;
    else if (ramps != QLatin1String("ask"))
        return usageError(QStringLiteral("--ramps is ask, yes or no"), "transfer");

    AxisParameters params;
    CKormakDoc doc;
    if (!loadFile(ctx, parser.positionalArguments().first(), &params, &doc))
        return ExitFailed;
    if (!ctx.openPort())
        return ExitFailed;
    ctx.link.setAxisAddress(AxisAddress::offline());

    AskingOperator asking(ctx.op);
    TransferToAxes transfer(ctx.link, asking);
    transfer.ramps = choice;
    transfer.otherFamily = parser.isSet(QStringLiteral("any-family"))
                               ? TransferToAxes::OtherFamily::Load
                               : TransferToAxes::OtherFamily::Refuse;
    // Each axis is read back at the rate it answered at during the transfer.
    transfer.readBack = parser.isSet(QStringLiteral("verify"));
    const TransferToAxes::Result result = transfer.run(params, doc, ticked);
    // The ramps question came before anything was sent, and nobody was there.
    if (asking.unanswered)
        return usageError(
            QStringLiteral("--ramps ask needs a terminal to ask on; give --ramps yes or no"),
            "transfer");
    const bool ok = result.allLoaded(ticked);
    if (ctx.json) {
        // One row per axis; with --verify, what the read-back found.
        QJsonArray axes;
        for (int a = 0; a < 16; ++a) {
            if (!(ticked & (1u << a)))
                continue;
            QJsonObject row{{QStringLiteral("address"), QString(QChar(AxisDigits[a]))},
                            {QStringLiteral("loaded"), bool(result.loaded[a])},
                            {QStringLiteral("verified"), false}};
            if (transfer.readBack && result.written[a]) {
                const bool readable = !result.unreadable.contains(a);
                const auto it = result.readBack.constFind(a);
                const QStringList differences =
                    it != result.readBack.cend() ? it->differences() : QStringList();
                row.insert(QStringLiteral("readable"), readable);
                row.insert(QStringLiteral("verified"),
                           readable && it != result.readBack.cend() && differences.isEmpty());
                row.insert(QStringLiteral("differences"), QJsonArray::fromStringList(differences));
            }
            axes.append(row);
        }
        printJson({{QStringLiteral("ok"), ok}, {QStringLiteral("axes"), axes}});
        return ok ? ExitOk : ExitFailed;
    }
    for (auto it = result.readBack.cbegin(); it != result.readBack.cend(); ++it)
        printDifferences(QString(QChar(AxisDigits[it.key()])), *it);
    for (int a : result.unreadable)
        printLine(QStringLiteral("%1 unreadable").arg(QChar(AxisDigits[a])));
    return ok ? ExitOk : ExitFailed;
}

void declareDiff(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(QStringLiteral("address"),
                                        QStringLiteral("Axis 0..9, A..F."), QStringLiteral("A")));
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("The parameter file. Prints CODE file-value axis-value per parameter, "
                       "\"*\" where they differ, then the table and the PLC slotList that differ. "
                       "Exit 0 equal, 1 different, 3 the file or the axis could not be read."));
}

int runDiff(CliContext& ctx, const QCommandLineParser& parser) {
    QString address;
    if (!parseAddress(parser.value(QStringLiteral("address")), &address))
        return usageError(QStringLiteral("diff --address A FILE (A is one of 0..9, A..F)"), "diff");
    if (parser.positionalArguments().size() != 1)
        return usageError(QStringLiteral("diff takes one FILE"), "diff");
    AxisParameters params;
    CKormakDoc doc;
    // A file that cannot be read cannot be compared: that is not "differs".
    const QJsonObject unread{{QStringLiteral("address"), address},
                             {QStringLiteral("readable"), false}};
    if (!loadFile(ctx, parser.positionalArguments().first(), &params, &doc)) {
        if (ctx.json)
            printJson(unread);
        return ExitUnreadable;
    }
    AxisComparison c;
    if (!ctx.connectAxis(address) || !CompareWithAxis(ctx.link, ctx.op, params, doc, &c)) {
        if (ctx.json)
            printJson(unread);
        return ExitUnreadable;
    }
    if (ctx.json) {
        printJson(comparisonJson(address, c));
        return c.equal() ? ExitOk : ExitFailed;
    }

    for (const AxisComparison::Parameter& p : c.parameters) {
        QString line = p.code + QLatin1Char(' ') + (p.sent ? p.fileValue : QStringLiteral("-")) +
                       QLatin1Char(' ') + p.axisValue;
        if (p.differs)
            line += QStringLiteral(" *");
        printLine(line);
    }
    printLine(c.tablesEqual()
                  ? QStringLiteral("table equal")
                  : QStringLiteral("table file %1 axis %2 *").arg(c.fileTable, c.axisTable));
    if (c.plcEqual()) {
        printLine(QStringLiteral("plc equal"));
    } else {
        QStringList slotList;
        for (int slot : c.differingSlots)
            slotList << slotName(slot, c.eightSlots);
        for (const QString& line : c.foreignLines)
            slotList << line;
        printLine(QStringLiteral("plc differs: ") + slotList.join(QStringLiteral(", ")) +
                  QStringLiteral(" *"));
        // What differs, file beside axis; a slot the other side leaves empty
        // shows as "".
        for (int slot : c.differingSlots) {
            const AxisComparison::SlotTexts t = c.differingSlotTexts.value(slot);
            printLine(QStringLiteral("slot %1 file \"%2\" axis \"%3\"")
                          .arg(slotName(slot, c.eightSlots), t.file, t.axis));
        }
    }
    return c.equal() ? ExitOk : ExitFailed;
}
