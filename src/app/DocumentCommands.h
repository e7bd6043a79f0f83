// DocumentCommands: new, open, save, recent files and drops of the main window.
// Tests: tests/app/tst_shell, tst_documentcommands.
#pragma once

#include "app/RecentFiles.h"

#include <QObject>
#include <QString>

class CChildFrame;
class Operator;
class PanelWindows;
class QFileDialog;
class QWidget;
class SerialLink;

// The File menu's document commands. Each opened or saved file goes to the
// top of the recent files; a file dropped onto the window opens as File Open
// would open it.
class DocumentCommands : public QObject {
    Q_OBJECT
public:
    // window owns the file dialogs and takes the drops.
    DocumentCommands(QWidget* window, SerialLink& link, Operator& op, PanelWindows& windows);

    // An empty offline configuration.
    void newDocument();
    // The file dialog, then openFile.
    void open();
    // An offline panel for the file at path; a file open already comes to the
    // front instead. False when nothing was opened (the operator was told why).
    bool openFile(const QString& path);
    // Entry n of the recent files; a file that is gone leaves the list.
    void openRecent(int n);
    // Saves the document of child; asks for a name when it has none or askForName.
    bool save(CChildFrame* child, bool askForName);
    bool saveActive(bool askForName);

    // Set while File Open runs: activation and polling do nothing.
    bool openingFile() const { return openingFile_; }
    QStringList recentFiles() const { return recent_.files(); }

    // The file-open dialog: the document filter, and the default suffix
    // added to a name typed without one.
    static void prepareOpenDialog(QFileDialog& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reactivateAfterFailedOpen(const QString& previousAddress);

    QWidget* window_;
    SerialLink& link_;
    Operator& operator_;
    PanelWindows& windows_;
    RecentFiles recent_;
    bool openingFile_ = false;
};
