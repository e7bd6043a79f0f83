#include "app/DocumentCommands.h"

#include "app/CChildFrame.h"
#include "app/PanelWindows.h"
#include "axis/CKormakDoc.h"
#include "axis/CKormakView.h"
#include "base/BusyState.h"
#include "base/Operator.h"
#include "base/Texts.h"
#include "files/FileCheck.h"
#include "files/ParameterFile.h"
#include "link/AxisAddress.h"
#include "link/SerialLink.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMimeData>
#include <QWidget>

namespace {

QString fileFilter() {
    // Upper- and lower-case extensions: the file system here tells them apart.
    return QStringLiteral("Kormak Files (*.OPM *.opm)");
}

} // namespace

DocumentCommands::DocumentCommands(QWidget* window, SerialLink& link, Operator& op,
                                   PanelWindows& windows)
    : window_(window), link_(link), operator_(op), windows_(windows) {
    window_->setAcceptDrops(true);
    window_->installEventFilter(this);
}

void DocumentCommands::newDocument() {
    if (BusyState::isBusy())
        return;
    link_.setAxisAddress(AxisAddress::newConfiguration());
    windows_.createPanel(new CKormakDoc);
}

void DocumentCommands::reactivateAfterFailedOpen(const QString& previousAddress) {
    // Nothing was opened: the active panel talks to its axis again.
    link_.setCurrentAddress(previousAddress);
    windows_.reactivate();
}

void DocumentCommands::open() {
    if (BusyState::isBusy())
        return;
    const QString previous = link_.currentAddress();
    openingFile_ = true;
    link_.setAxisAddress(AxisAddress::offline());
    QFileDialog dialog(window_);
    prepareOpenDialog(dialog);
    QString path;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        path = dialog.selectedFiles().constFirst();
    // A name typed without a suffix means the parameter file, as Save adds it.
    if (!path.isEmpty() && !QFileInfo::exists(path) && QFileInfo(path).suffix().isEmpty() &&
        QFileInfo::exists(path + QStringLiteral(".OPM")))
        path += QStringLiteral(".OPM");
    bool opened = false;
    if (!path.isEmpty())
        opened = openFile(path);
    openingFile_ = false;
    if (!opened)
        reactivateAfterFailedOpen(previous);
}

bool DocumentCommands::openFile(const QString& path) {
    if (BusyState::isBusy())
        return false;
    const QString previous = link_.currentAddress();
    // A file that is open already comes to the front instead of twice.
    if (CChildFrame* open = windows_.childOfFile(path)) {
        link_.setCurrentAddress(previous);
        windows_.area()->setActiveSubWindow(open);
        return true;
    }
    auto* doc = new CKormakDoc;
    QString readError;
    if (!ReadFileLines(path, *doc, &readError)) {
        delete doc;
        // The name, and what the system said about it ("File too large").
        QString text = Texts::text(61697) + QLatin1Char('\n') + QDir::toNativeSeparators(path);
        if (!readError.isEmpty())
            text += QStringLiteral(" (%1)").arg(readError);
        operator_.show({61697, text, 0, Operator::Icon::Exclamation, Operator::Buttons::Ok});
        reactivateAfterFailedOpen(previous);
        return false;
    }
    link_.setAxisAddress(AxisAddress::offline());
    doc->filePath = path;
    windows_.createPanel(doc);
    recent_.add(path);
    // The panel shows what could be read; the operator learns at once that
    // this file will not be sent to an axis.
    const FileDamage damage = CheckParameterFileLines(doc->lineList);
    if (damage.damaged())
        operator_.show({0, Texts::text("file.damaged").arg(FileDamageWhere(damage)), 0,
                        Operator::Icon::Warning, Operator::Buttons::Ok});
    return true;
}

void DocumentCommands::openRecent(int n) {
    if (BusyState::isBusy() || n < 0 || n >= recent_.files().size())
        return;
    const QString previous = link_.currentAddress();
    link_.setAxisAddress(AxisAddress::offline());
    const QString path = recent_.files().at(n);
    if (!openFile(path)) {
        // A file that is gone leaves the list.
        if (!QFileInfo::exists(path))
            recent_.remove(n);
        reactivateAfterFailedOpen(previous);
    }
}

void DocumentCommands::prepareOpenDialog(QFileDialog& dialog) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(fileFilter());
    dialog.setDefaultSuffix(QStringLiteral("OPM"));
}

bool DocumentCommands::saveActive(bool askForName) {
    return save(windows_.activeChild(), askForName);
}

bool DocumentCommands::save(CChildFrame* child, bool askForName) {
    if (BusyState::isBusy())
        return false;
    if (!child || !child->view())
        return false;
    CKormakDoc* doc = child->doc();
    QString path = doc->filePath;
    if (askForName || path.isEmpty()) {
        path = QFileDialog::getSaveFileName(window_, QString(), path, fileFilter());
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".OPM");
    }
    QString fileError;
    if (!WriteParameterFile(path, link_, operator_, child->view()->parameters(), *doc,
                            &fileError)) {
        if (!fileError.isEmpty())
            operator_.show({0, Texts::text("file.saveFailed").arg(fileError), 0,
                            Operator::Icon::Exclamation, Operator::Buttons::Ok});
        return false;
    }
    doc->filePath = path;
    doc->setTitle(QFileInfo(path).fileName(), link_.currentAddress(), Texts::text(10000));
    recent_.add(path);
    return true;
}

bool DocumentCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_)
        return false;
    if (event->type() == QEvent::DragEnter) {
        auto* e = static_cast<QDragEnterEvent*>(event);
        if (e->mimeData()->hasUrls())
            e->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* e = static_cast<QDropEvent*>(event);
        if (BusyState::isBusy())
            return true;
        const QList<QUrl> urls = e->mimeData()->urls();
        e->acceptProposedAction();
        for (const QUrl& url : urls)
            if (url.isLocalFile())
                openFile(url.toLocalFile());
        return true;
    }
    return false;
}
