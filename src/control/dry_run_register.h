#pragma once

#include "core/clock.h"
#include "device/transport/transport.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace merovan {

// Time in a dry run: it moves only when something waits, so the protocol's
// pauses and a card terminal's 270 seconds cost nothing. Dates and the
// decimal separator are the machine's, as the bridge's would be.
class DryRunClock final : public Clock {
public:
    DryRunClock();
    QDateTime now() const override { return start_.addMSecs(ms_); }
    qint64 monotonicMs() const override { return ms_; }
    void pause(int ms) override { advance(ms); }
    QChar decimalSeparator() const override { return separator_; }
    void advance(qint64 ms) { ms_ += std::max<qint64>(ms, 0); }

private:
    QDateTime start_;
    QChar separator_;
    qint64 ms_ = 0;
};

// The register of a dry run: it takes every command and answers "00 OK" at
// once; the card terminals behind it never answer, and it reports no
// receipt open. Tables are the one thing a job checks after it has sent
// them, so it remembers the table opened last and answers which one is
// open ("TO:5") and what a table holds ("TBL:5:0"), and table lines run on
// as they would. Each command, as the bridge sends it without its line
// end, goes to onCommand.
class AcceptingTransport final : public Transport {
public:
    AcceptingTransport(DryRunClock &clock, std::function<void(const QString &)> onCommand);

    qint16 open(const QString &) override { return 0; }
    bool send(const QString &text) override;
    QString receive(int waitMs) override;
    bool waitForData(int waitMs) override;
    void close() override {}
    bool isOpen() const override { return true; }

private:
    DryRunClock &clock_;
    std::function<void(const QString &)> onCommand_;
    std::optional<QString> reply_;
    int openTable_ = 0;
};

} // namespace merovan
