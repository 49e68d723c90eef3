#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace merovan {

// Time as the bridge sees it. Everything that waits or stamps goes through
// this seam so that tests can run a 28-second exchange in no real time.
class Clock {
public:
    virtual ~Clock() = default;

    // Local date and time of day (result-file stamps, log stamps, the
    // seconds counter of the register message window).
    virtual QDateTime now() const = 0;

    // Milliseconds on a clock that never jumps; deadlines are measured here.
    virtual qint64 monotonicMs() const = 0;

    // Blocks the calling thread; the protocol's fixed pauses.
    virtual void pause(int ms) = 0;

    // The decimal separator of the user's locale: job-file numbers and the
    // VAT boxes are written with it.
    virtual QChar decimalSeparator() const = 0;
};

class SystemClock final : public Clock {
public:
    SystemClock();
    QDateTime now() const override;
    qint64 monotonicMs() const override;
    void pause(int ms) override;
    QChar decimalSeparator() const override;

private:
    qint64 origin_;
};

// "DD/MM/YYYY hh:mm:ss", the stamp of every result-file line.
QString resultStamp(const QDateTime &t);

// The moment rounded to the nearest whole second; the waits and counters
// that the operator sees count whole seconds from such moments.
QDateTime roundedToSecond(const QDateTime &t);

// "mm:ss", the stamp that starts every log line.
QString logStamp(const QDateTime &t);

} // namespace merovan
