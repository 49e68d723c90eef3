#include "control/job_folder_watch.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <sys/inotify.h>
#include <unistd.h>

#include <utility>

namespace merovan {

namespace {

constexpr uint32_t kFileEvents = IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE;
constexpr uint32_t kFolderGone = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED;

} // namespace

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
                                 kFileEvents | IN_DELETE_SELF | IN_MOVE_SELF);
}

void JobFolderWatch::stop()
{
    if (watch_ >= 0)
        ::inotify_rm_watch(inotify_, watch_);
    watch_ = -1;
    renamedIn_.clear();
}

bool JobFolderWatch::renamedIn(const QString &path)
{
    takeEvents();
    // An arrival read here is told once this call's caller is done.
    if (arrived_)
        QMetaObject::invokeMethod(this, &JobFolderWatch::tellArrivals, Qt::QueuedConnection);
    const QFileInfo file(path);
    return watch_ >= 0 && file.absolutePath() == QFileInfo(folder_).absoluteFilePath() &&
           renamedIn_.contains(file.fileName());
}

void JobFolderWatch::readEvents()
{
    takeEvents();
    tellArrivals();
}

void JobFolderWatch::takeEvents()
{
    if (inotify_ < 0)
        return;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = ::read(inotify_, buffer, sizeof buffer)) > 0;) {
        for (ssize_t at = 0; at < n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            // Events were lost: what was renamed in is not known any more.
            if (event->mask & IN_Q_OVERFLOW)
                renamedIn_.clear();
            if (event->wd != watch_)
                continue;
            if (event->len > 0)
                noteEvent(event->mask, QFile::decodeName(event->name));
            // The folder went away: watch it again when it is back.
            if (event->mask & kFolderGone) {
                watch_ = -1;
                renamedIn_.clear();
            }
        }
    }
}

void JobFolderWatch::noteEvent(uint32_t mask, const QString &name)
{
    // Written in place after it came, or gone: it settles as any other.
    if (mask & (IN_CLOSE_WRITE | IN_DELETE | IN_MOVED_FROM))
        renamedIn_.remove(name);
    if (mask & IN_MOVED_TO)
        renamedIn_.insert(name);
    if (mask & (IN_CLOSE_WRITE | IN_MOVED_TO))
        arrived_ = true;
}

void JobFolderWatch::tellArrivals()
{
    // Told after reading, as a handler may watch another folder.
    if (std::exchange(arrived_, false))
        Q_EMIT fileArrived();
}

} // namespace merovan
