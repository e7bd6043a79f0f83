// kormakctl backup and restore: every axis of the bus into one folder with
// its manifest, and the folder back into the axes.
#include "base/Texts.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "files/MachineBackup.h"
#include "link/SerialLink.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <unistd.h>

using namespace MachineBackup;

namespace {

const QString kAxisDigits = QStringLiteral("0123456789ABCDEF");

// "0,3,A" or "all" as address bits; false for a word that is no address.
bool parseAxisList(const QString& text, bool allowAll, quint16* bits) {
    *bits = 0;
    if (allowAll && text.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
        *bits = 0xFFFF;
        return true;
    }
    for (const QString& word : text.split(QLatin1Char(','))) {
        QString address;
        if (!parseAddress(word.trimmed(), &address))
            return false;
        *bits |= quint16(1u << kAxisDigits.indexOf(address));
    }
    return *bits != 0;
}

QJsonObject manifestObject(const Manifest& manifest) {
    return QJsonDocument::fromJson(manifestJson(manifest)).object();
}

QString identityName(Identity identity) {
    switch (identity) {
    case Identity::Same:
        return QStringLiteral("same");
    case Identity::SameFamily:
        return QStringLiteral("same-family");
    case Identity::OtherFamily:
        return QStringLiteral("other-family");
    case Identity::Silent:
        return QStringLiteral("silent");
    }
    return {};
}

// Asks on the terminal; a run without one (or with --json) is asked nothing
// and takes the cautious answer, unless --yes gave it.
bool confirm(CliContext& ctx, const QString& question) {
    if (ctx.op.assumeYes)
        return true;
    if (ctx.json || ::isatty(STDIN_FILENO) != 1) {
        ctx.op.note(question);
        return false;
    }
    for (;;) {
        std::fprintf(stderr, "%s [y/n] ", question.toLocal8Bit().constData());
        std::fflush(stderr);
        char line[64];
        if (!std::fgets(line, sizeof line, stdin))
            return false;
        if (line[0] == 'y' || line[0] == 'Y' || line[0] == 'j' || line[0] == 'J' ||
            line[0] == 'o' || line[0] == 'O')
            return true;
        if (line[0] == 'n' || line[0] == 'N')
            return false;
    }
}

} // namespace

void declareBackup(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(QStringLiteral("address"),
                                        QStringLiteral("Axes to save, e.g. 0,3,A, or all."),
                                        QStringLiteral("LIST|all")));
    parser.addPositionalArgument(
        QStringLiteral("DIR"),
        QStringLiteral("The folder: AXISa.OPM for every axis that answers, then machine.json. "
                       "Axes that do not answer are listed as absent; exit 1 when an axis that "
                       "answered could not be saved (no manifest is written then)."));
}

int runBackup(CliContext& ctx, const QCommandLineParser& parser) {
    quint16 addresses = 0;
    if (!parseAxisList(parser.value(QStringLiteral("address")), true, &addresses))
        return usageError(QStringLiteral("backup --address LIST|all DIR (LIST: addresses 0..9, "
                                         "A..F, e.g. 0,3,A)"),
                          "backup");
    if (parser.positionalArguments().size() != 1)
        return usageError(QStringLiteral("backup takes one DIR"), "backup");
    const QByteArray folder = ctx.rawWord(parser.positionalArguments().first());
    if (!QDir().mkpath(QFile::decodeName(folder))) {
        printFileError(folder, Texts::text("machine.noFolder"));
        return ExitFailed;
    }
    if (!ctx.openPort())
        return ExitFailed;

    const BackupResult result = backupMachine(ctx.link, ctx.op, folder, addresses);

    for (const QString& error : result.errors)
        printFileError(folder, error);
    for (QChar a : result.failed)
        ctx.op.note(Texts::text("machine.backupFailed").arg(a));
    if (ctx.json) {
        QJsonObject out = manifestObject(result.manifest);
        out.insert(QStringLiteral("ok"), result.ok);
        QJsonArray failed;
        for (QChar a : result.failed)
            failed.append(QString(a));
        out.insert(QStringLiteral("failed"), failed);
        printJson(out);
    } else {
        for (int a = 0; a < 16; ++a) {
            const QChar address = kAxisDigits.at(a);
            if (result.failed.contains(address))
                printLine(QStringLiteral("%1 failed").arg(address));
            for (const AxisEntry& e : result.manifest.axes)
                if (e.address == address)
                    printLine(e.present ? QStringLiteral("%1 %2 %3 %4")
                                              .arg(e.address)
                                              .arg(e.rate)
                                              .arg(e.file, e.deviceType)
                                        : QStringLiteral("%1 absent").arg(e.address));
        }
    }
    return result.ok ? ExitOk : ExitFailed;
}

void declareRestore(QCommandLineParser& parser) {
    parser.addOption(QCommandLineOption(
        QStringLiteral("address"),
        QStringLiteral("Axes to restore, e.g. 0,3,A (default: every axis of the manifest)."),
        QStringLiteral("LIST")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("any-family"),
        QStringLiteral("Load a file also into an axis of another device family.")));
    parser.addPositionalArgument(
        QStringLiteral("DIR"),
        QStringLiteral("A folder written by backup. Nothing is sent unless every file is there "
                       "with the SHA-256 of the manifest."));
}

int runRestore(CliContext& ctx, const QCommandLineParser& parser) {
    quint16 only = 0;
    if (parser.isSet(QStringLiteral("address")) &&
        !parseAxisList(parser.value(QStringLiteral("address")), false, &only))
        return usageError(QStringLiteral("restore DIR [--address LIST] (LIST: addresses 0..9, "
                                         "A..F, e.g. 0,3,A)"),
                          "restore");
    if (parser.positionalArguments().size() != 1)
        return usageError(QStringLiteral("restore takes one DIR"), "restore");
    const QByteArray folder = ctx.rawWord(parser.positionalArguments().first());
    const bool anyFamily = parser.isSet(QStringLiteral("any-family"));

    QJsonObject out;
    QJsonArray axesOut;
    auto finish = [&](bool ok) {
        if (ctx.json) {
            out.insert(QStringLiteral("ok"), ok);
            out.insert(QStringLiteral("axes"), axesOut);
            printJson(out);
        }
        return ok ? ExitOk : ExitFailed;
    };

    // The folder first, whole: a missing or changed file stops the restore
    // before the port is even opened.
    const RestorePlan plan = planRestore(folder, only);
    if (!plan.ok()) {
        QJsonArray problems;
        for (const QString& p : plan.problems) {
            printFileError(folder, p);
            problems.append(p);
        }
        out.insert(QStringLiteral("problems"), problems);
        ctx.op.note(Texts::text("machine.restoreRefused"));
        return finish(false);
    }
    if (!ctx.openPort())
        return finish(false);

    // Every axis is asked who it is before any of them is written.
    QList<const RestoreItem*> toLoad;
    QStringList silent;
    bool refused = false;
    QHash<QChar, QJsonObject> rows;
    for (const RestoreItem& item : plan.items) {
        QString type;
        const Identity identity = identifyAxis(ctx.link, item.entry, &type);
        QJsonObject row{{QStringLiteral("address"), QString(item.entry.address)},
                        {QStringLiteral("file"), item.entry.file},
                        {QStringLiteral("recordedDeviceType"), item.entry.deviceType},
                        {QStringLiteral("deviceType"), type},
                        {QStringLiteral("identity"), identityName(identity)}};
        switch (identity) {
        case Identity::Same:
            toLoad << &item;
            break;
        case Identity::SameFamily:
            if (confirm(ctx, Texts::text("machine.otherType")
                                 .arg(item.entry.address)
                                 .arg(type, item.entry.deviceType))) {
                toLoad << &item;
            } else {
                refused = true;
                row.insert(QStringLiteral("refused"), true);
            }
            break;
        case Identity::OtherFamily:
            if (anyFamily) {
                toLoad << &item;
            } else {
                ctx.op.note(Texts::text("machine.otherFamily")
                                .arg(item.entry.address)
                                .arg(type, item.entry.deviceType));
                refused = true;
                row.insert(QStringLiteral("refused"), true);
            }
            break;
        case Identity::Silent:
            ctx.op.note(Texts::text("machine.silent").arg(item.entry.address));
            silent << QString(item.entry.address);
            break;
        }
        rows.insert(item.entry.address, row);
    }
    if (refused) {
        for (const RestoreItem& item : plan.items)
            axesOut.append(rows.value(item.entry.address));
        ctx.op.note(Texts::text("machine.restoreRefused"));
        return finish(false);
    }

    bool ok = silent.isEmpty();
    for (const RestoreItem& item : plan.items) {
        QJsonObject row = rows.value(item.entry.address);
        if (!toLoad.contains(&item)) {
            row.insert(QStringLiteral("loaded"), false);
            row.insert(QStringLiteral("verified"), false);
            axesOut.append(row);
            if (!ctx.json)
                printLine(QStringLiteral("%1 silent").arg(item.entry.address));
            continue;
        }
        const RestoreAxisResult r = restoreAxis(ctx.link, ctx.op, item);
        row.insert(QStringLiteral("loaded"), r.loaded);
        row.insert(QStringLiteral("verified"), r.verified);
        row.insert(QStringLiteral("differences"), QJsonArray::fromStringList(r.differences));
        axesOut.append(row);
        QString line;
        if (r.verified)
            line = QStringLiteral("%1 restored %2").arg(item.entry.address).arg(item.entry.file);
        else if (!r.loaded)
            line = QStringLiteral("%1 failed: not loaded").arg(item.entry.address);
        else if (!r.readBack)
            line = QStringLiteral("%1 failed: not read back").arg(item.entry.address);
        else
            line = QStringLiteral("%1 failed: differs: %2")
                       .arg(item.entry.address)
                       .arg(r.differences.join(QStringLiteral(", ")));
        if (!r.verified) {
            ok = false;
            ctx.op.note(Texts::text("machine.axisFailed").arg(item.entry.address));
        }
        if (!ctx.json)
            printLine(line);
    }
    return finish(ok);
}
