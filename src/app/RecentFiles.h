// RecentFiles: the files last opened or saved, as the File menu lists them.
// Tests: tests/app/tst_documentcommands.
#pragma once

#include <QStringList>

// At most four absolute paths, the latest first, kept in the settings
// ("Recent File List/File1" ... "File4") from one start to the next.
class RecentFiles {
public:
    static constexpr int Max = 4;

    // Reads the list from the settings.
    RecentFiles();

    QStringList files() const { return files_; }
    // path goes to the top (once), the oldest falls off; stored at once.
    void add(const QString& path);
    // Entry n leaves the list (its file is gone); stored at once.
    void remove(int n);

private:
    void save() const;

    QStringList files_;
};
