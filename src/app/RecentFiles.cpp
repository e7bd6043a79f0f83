#include "app/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace {

QSettings settings() {
    return QSettings(QStringLiteral("Veltrax GmbH"), QStringLiteral("Kormak"));
}

QString key(int i) {
    return QStringLiteral("Recent File List/File%1").arg(i);
}

} // namespace

RecentFiles::RecentFiles() {
    QSettings s = settings();
    for (int i = 1; i <= Max; ++i) {
        const QString f = s.value(key(i)).toString();
        if (!f.isEmpty())
            files_ << f;
    }
}

void RecentFiles::add(const QString& path) {
    const QString abs = QFileInfo(path).absoluteFilePath();
    files_.removeAll(abs);
    files_.prepend(abs);
    while (files_.size() > Max)
        files_.removeLast();
    save();
}

void RecentFiles::remove(int n) {
    if (n < 0 || n >= files_.size())
        return;
    files_.removeAt(n);
    save();
}

void RecentFiles::save() const {
    QSettings s = settings();
    for (int i = 1; i <= Max; ++i) {
        if (i <= files_.size())
            s.setValue(key(i), files_.at(i - 1));
        else
            s.remove(key(i));
    }
}
