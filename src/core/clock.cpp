#include "core/clock.h"

#include <QLocale>
#include <QThread>

#include <chrono>

namespace merovan {

namespace {
qint64 steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

SystemClock::SystemClock() : origin_(steadyMs()) {}

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }

qint64 SystemClock::monotonicMs() const { return steadyMs() - origin_; }

void SystemClock::pause(int ms)
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

QChar SystemClock::decimalSeparator() const
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

QString resultStamp(const QDateTime &t) { return t.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")); }

QDateTime roundedToSecond(const QDateTime &t)
{
    const int ms = t.time().msec();
    return t.addMSecs(ms >= 500 ? 1000 - ms : -ms);
}

QString logStamp(const QDateTime &t) { return t.toString(QStringLiteral("mm:ss")); }

} // namespace merovan
