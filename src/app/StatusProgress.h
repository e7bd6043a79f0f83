#pragma once

#include <QString>

class QLabel;
class QProgressBar;
class QStatusBar;

// The main window's status bar: the message pane ("Ready", status tips, the
// text of a running operation) and the progress bar laid over the pane beside
// it while an operation runs, with the busy cursor for as long as the bar shows.
// This is what the operator's progress calls end in.
class StatusProgress {
public:
    explicit StatusProgress(QStatusBar* bar);

    void show(const QString& text, int range, int step);
    void step();
    void hide();
    bool running() const { return progress_ != nullptr; }
    QString text() const;

    // A message of its own in the pane; ignored while an operation runs, whose
    // text is never covered. An empty text puts "Ready" back.
    void showMessage(const QString& text);
    // The idle text again, in the language now chosen.
    void retranslate();

private:
    QStatusBar* bar_;
    QLabel* messagePane_;
    QLabel* progressPane_;
    QProgressBar* progress_ = nullptr;
    int step_ = 1;
    int cursorDepth_ = 0;
};
