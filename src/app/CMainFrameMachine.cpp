// The main window's commands for a whole machine: every axis saved into one
// folder, and such a folder put back into the axes.
#include "app/CMainFrame.h"
#include "base/BusyState.h"
#include "base/Texts.h"
#include "files/MachineBackup.h"
#include "link/SerialLink.h"

#include <QFile>
#include <QFileDialog>
#include <QStatusBar>

using namespace MachineBackup;

namespace {

QString listOrDash(const QStringList& list) {
    return list.isEmpty() ? QStringLiteral("-") : list.join(QStringLiteral(", "));
}

} // namespace

QString CMainFrame::chooseMachineFolder(bool restore) {
    if (folderChooser_)
        return folderChooser_(restore);
    return QFileDialog::getExistingDirectory(
        this, Texts::text(restore ? "menu.restoreMachine" : "menu.saveAllAxes"));
}

bool CMainFrame::openLinkForMachine() {
    if (link_.portOpen() || link_.TogglePort())
        return true;
    link_.reportOpenFailure(operator_);
    return false;
}

void CMainFrame::saveAllAxes() {
    if (BusyState::isBusy())
        return;
    const QString folder = chooseMachineFolder(false);
    if (folder.isEmpty() || !openLinkForMachine())
        return;
    // The axes ticked in the axis bar, or every address when none is.
    const quint16 addresses = tickedAxes() ? tickedAxes() : quint16(0xFFFF);
    BackupHooks hooks;
    hooks.axisStarted = [this](QChar address) {
        statusBar()->showMessage(Texts::text("machine.saving").arg(address));
        operator_.pumpEvents();
    };
    const BackupResult result =
        backupMachine(link_, operator_, QFile::encodeName(folder), addresses, hooks);
    statusBar()->clearMessage();

    QStringList saved;
    QStringList absent;
    for (const AxisEntry& e : result.manifest.axes)
        (e.present ? saved : absent) << QString(e.address);
    QString text = Texts::text("machine.saved").arg(listOrDash(saved), listOrDash(absent));
    if (!result.ok) {
        QStringList failed;
        for (QChar a : result.failed)
            failed << QString(a);
        text += QLatin1Char('\n') + Texts::text("machine.notSaved").arg(listOrDash(failed));
        for (const QString& e : result.errors)
            text += QLatin1Char('\n') + e;
    }
    operator_.show({0, text, 0, result.ok ? Operator::Icon::Information : Operator::Icon::Error,
                    Operator::Buttons::Ok});
}

void CMainFrame::restoreMachine() {
    if (BusyState::isBusy())
        return;
    const QString folder = chooseMachineFolder(true);
    if (folder.isEmpty())
        return;
    // The folder is checked whole before the port is even opened.
    const RestorePlan plan = planRestore(QFile::encodeName(folder), 0);
    if (!plan.ok()) {
        operator_.show({0,
                        Texts::text("machine.folderRefused") + QLatin1Char('\n') +
                            plan.problems.join(QLatin1Char('\n')),
                        0, Operator::Icon::Error, Operator::Buttons::Ok});
        return;
    }
    if (!openLinkForMachine())
        return;

    // Every axis is asked who it is; what was found is shown before anything
    // is sent.
    QList<const RestoreItem*> toLoad;
    QStringList lines;
    QStringList silent;
    bool refused = false;
    for (const RestoreItem& item : plan.items) {
        QString type;
        const Identity identity = identifyAxis(link_, item.entry, &type);
        const QChar a = item.entry.address;
        switch (identity) {
        case Identity::Same:
            toLoad << &item;
            lines << QStringLiteral("%1: %2 (%3)").arg(a).arg(item.entry.file, type);
            break;
        case Identity::SameFamily:
            toLoad << &item;
            lines << Texts::text("machine.otherType").arg(a).arg(type, item.entry.deviceType);
            break;
        case Identity::OtherFamily:
            refused = true;
            lines << Texts::text("machine.otherFamily").arg(a).arg(type, item.entry.deviceType);
            break;
        case Identity::Silent:
            silent << QString(a);
            lines << Texts::text("machine.silent").arg(a);
            break;
        }
    }
    if (refused || toLoad.isEmpty()) {
        operator_.show({0,
                        lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n") +
                            Texts::text("machine.restoreRefused"),
                        0, Operator::Icon::Error, Operator::Buttons::Ok});
        return;
    }
    const QString question =
        lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n") + Texts::text("machine.question");
    if (operator_.show({0, question, 0, Operator::Icon::Question, Operator::Buttons::YesNo}) !=
        Operator::Answer::Yes)
        return;

    QStringList restored;
    QStringList failed = silent;
    for (const RestoreItem* item : toLoad) {
        statusBar()->showMessage(Texts::text("machine.restoring").arg(item->entry.address));
        operator_.pumpEvents();
        const RestoreAxisResult r = restoreAxis(link_, operator_, *item);
        (r.verified ? restored : failed) << QString(item->entry.address);
    }
    statusBar()->clearMessage();
    failed.sort();
    operator_.show({0,
                    Texts::text("machine.restored").arg(listOrDash(restored), listOrDash(failed)),
                    0, failed.isEmpty() ? Operator::Icon::Information : Operator::Icon::Error,
                    Operator::Buttons::Ok});
}
