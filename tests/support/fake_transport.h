#pragma once

#include "device/transport/transport.h"
#include "fake_clock.h"

#include <QStringList>

#include <deque>
#include <functional>

namespace merovan::test {

// A register on a script: every command sent is recorded (with its
// terminator) and handed to onSend, which schedules what arrives and when.
// A read blocks on the fake clock: it jumps to the next arrival or, when
// none comes in time, to the end of the wait.
class FakeTransport final : public Transport {
public:
    explicit FakeTransport(FakeClock &clock) : clock_(clock) {}

    qint16 open(const QString &connectionText) override;
    bool send(const QString &text) override;
    QString receive(int waitMs) override;
    bool waitForData(int waitMs) override;
    void close() override { open_ = false; ++shutdowns; }
    bool isOpen() const override { return open_; }
    bool lost() const override { return lost_; }
    int readTimeoutMs() const override { return readTimeout; }

    // The device goes away (a USB adapter pulled).
    void loseDevice();

    // Text that arrives delayMs after now, as one read.
    void arrive(qint64 delayMs, const QString &text);

    int readTimeout = 0; // 256 for a serial line
    qint16 openCode = 0;
    QString openMessage;
    QStringList opened;
    QStringList sent;
    int reads = 0;
    int shutdowns = 0;
    std::function<void(const QString &command)> onSend;

private:
    struct Arrival {
        qint64 at;
        QString text;
    };
    FakeClock &clock_;
    std::deque<Arrival> arrivals_;
    bool open_ = false;
    bool lost_ = false;
};

// Replies with a register's usual ending: CR and EOT.
QString reply(const QString &text);

} // namespace merovan::test
