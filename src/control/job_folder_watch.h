#pragma once

#include <QSet>
#include <QObject>
#include <QString>

#include <cstdint>

class QSocketNotifier;

namespace merovan {

// Watches the job folder (inotify on Linux): tells at once when a file is
// renamed into it or closed there after writing, so that the job tick runs
// when a job appears instead of at the next second, and remembers which
// files were renamed in: those are complete by the host's contract and need
// no look through the other processes' open files. The job timer stays as
// the fallback for folders whose changes are not notified (network shares).
//
// The notices cannot count who holds a file open: the kernel merges two
// like events in a row (two opens read as one), so a count would take a
// file that is still held.
class JobFolderWatch : public QObject {
    Q_OBJECT
public:
    explicit JobFolderWatch(QObject *parent = nullptr);
    ~JobFolderWatch() override;

    // Watches this folder from now on. Asking again for the same folder
    // costs nothing; a folder that cannot be watched (missing) is tried
    // again at the next call.
    void watch(const QString &folder);
    void stop();

    bool watching() const { return watch_ >= 0; }

    // Whether the file at path was renamed into the folder and not written
    // there since, as far as the notices up to this moment tell.
    bool renamedIn(const QString &path);

Q_SIGNALS:
    // A file was renamed in or closed after writing.
    void fileArrived();

private:
    void readEvents();
    void takeEvents();
    void noteEvent(uint32_t mask, const QString &name);
    void tellArrivals();

    int inotify_ = -1;
    int watch_ = -1;
    QString folder_;
    QSocketNotifier *notifier_ = nullptr;
    QSet<QString> renamedIn_;          // by name
    bool arrived_ = false;             // read but not told yet
};

} // namespace merovan
