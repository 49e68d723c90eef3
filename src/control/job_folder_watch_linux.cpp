#include "control/job_folder_watch.h"

#include <QFile>
#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

namespace merovan {

JobFolderWatch::JobFolderWatch(QObject *parent) : QObject(parent) {}

JobFolderWatch::~JobFolderWatch()
{
    if (inotify_ >= 0)
        ::close(inotify_);
}

void JobFolderWatch::watch(const QString &folder)
{
    if (watch_ >= 0 && folder == folder_)
        return;
    stop();
    if (inotify_ < 0) {
        inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (inotify_ < 0)
            return;
        // Made here, on the thread that watches, so it is served there.
        notifier_ = new QSocketNotifier(inotify_, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &JobFolderWatch::readEvents);
    }
    folder_ = folder;
    watch_ = ::inotify_add_watch(inotify_, QFile::encodeName(folder).constData(),
                                 IN_CLOSE_WRITE | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF);
}

void JobFolderWatch::stop()
{
    if (watch_ >= 0)
        ::inotify_rm_watch(inotify_, watch_);
    watch_ = -1;
}

void JobFolderWatch::readEvents()
{
    alignas(inotify_event) char buffer[4096];
    QList<std::pair<QString, bool>> arrivals;
    for (ssize_t n; (n = ::read(inotify_, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            if (event->wd == watch_) {
                if (event->len > 0 && (event->mask & (IN_CLOSE_WRITE | IN_MOVED_TO)))
                    arrivals.append({folder_ + QLatin1Char('/') + QFile::decodeName(event->name),
                                     (event->mask & IN_MOVED_TO) != 0});
                // The folder went away: watch it again when it is back.
                if (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED))
                    watch_ = -1;
            }
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
    }
    // Told after reading, as a handler may watch another folder.
    for (const auto &[path, renamedIn] : arrivals)
        Q_EMIT fileArrived(path, renamedIn);
}

} // namespace merovan
