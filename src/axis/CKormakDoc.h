// CKormakDoc: the panel's document: file lines and title.
// Tests: tests/axis/tst_axisprocedures.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The document behind one axis panel: the lines of the parameter file it was
// opened from, and its title. (The currents an offline panel keeps are part of
// its AxisConfiguration.)
class CKormakDoc : public QObject {
    Q_OBJECT
public:
    explicit CKormakDoc(QObject* parent = nullptr) : QObject(parent) {}

    QStringList lineList; // file lines, each with "\r\n" appended
    QString typeTag;      // file name after opening; device type after applying
    // Where the applied file is damaged ("Zeile 14: „PM“"); empty when whole.
    QString damagedWhere;
    bool retitlePending = false;

    QString filePath; // empty until opened or saved
    bool modified = false;

    QString title() const { return title_; }
    // The framework's title setter, with the decoration after a save.
    void setTitle(const QString& title, const QString& currentAddress, const QString& axisWord);

signals:
    void titleChanged(const QString& title);

private:
    QString title_;
};
