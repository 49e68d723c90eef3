#include "core/window_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace merovan {

void runOnWindowThread(const std::function<void()> &work)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(app, work, Qt::BlockingQueuedConnection);
}

} // namespace merovan
