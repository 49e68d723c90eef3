#include "fake_transport.h"

#include <algorithm>

namespace merovan::test {

qint16 FakeTransport::open(const QString &connectionText)
{
    opened << connectionText;
    fail(openCode, openMessage);
    open_ = openCode == 0;
    return openCode;
}

bool FakeTransport::send(const QString &text)
{
    sent << withTerminator(text);
    if (onSend)
        onSend(text);
    return true;
}

void FakeTransport::loseDevice()
{
    open_ = false;
    lost_ = true;
    fail(-1, QStringLiteral("Πρόβλημα στην Θύρα :") + opened.value(opened.size() - 1));
}

void FakeTransport::arrive(qint64 delayMs, const QString &text)
{
    Arrival a{clock_.monotonicMs() + delayMs, text};
    auto pos = std::upper_bound(arrivals_.begin(), arrivals_.end(), a.at,
                                [](qint64 at, const Arrival &x) { return at < x.at; });
    arrivals_.insert(pos, a);
}

QString FakeTransport::receive(int waitMs)
{
    ++reads;
    const qint64 limit = clock_.monotonicMs() + std::max(waitMs, 0);
    if (arrivals_.empty() || arrivals_.front().at > limit) {
        clock_.advance(limit - clock_.monotonicMs());
        return {};
    }
    const Arrival next = arrivals_.front();
    arrivals_.pop_front();
    if (next.at > clock_.monotonicMs())
        clock_.advance(next.at - clock_.monotonicMs());
    return next.text;
}

bool FakeTransport::waitForData(int waitMs)
{
    return !arrivals_.empty() && arrivals_.front().at <= clock_.monotonicMs() + waitMs;
}

QString reply(const QString &text) { return text + QStringLiteral("\r\x04"); }

} // namespace merovan::test
