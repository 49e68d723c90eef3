#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace merovan {

// Tells at once when a file is renamed into the job folder or closed there
// after writing (inotify on Linux), so that the job tick runs when a job
// appears instead of at the next second. The job timer stays as the
// fallback for folders whose changes are not notified (network shares).
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

Q_SIGNALS:
    // The file's path, and whether it was renamed in (else closed after
    // writing).
    void fileArrived(const QString &path, bool renamedIn);

private:
    void readEvents();

    int inotify_ = -1;
    int watch_ = -1;
    QString folder_;
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace merovan
