#pragma once

#include "api/http_types.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace merovan {

// A long poll: an answer held back until what it waits for has happened or
// the wait has run out, whichever comes first; then sent as it stands. It
// never looks by itself: the signals that may have made it ready call wake().
class HeldAnswer : public QObject {
    Q_OBJECT
public:
    using Ready = std::function<bool()>;
    using Respond = std::function<HttpResponse()>;

    // Holds the answer for the given seconds; it deletes itself once sent.
    HeldAnswer(HttpAnswerPtr answer, qint64 seconds, Ready ready, Respond respond, QObject *parent);

    // Sends the answer when it is ready now.
    void wake();

private:
    void finish();

    HttpAnswerPtr answer_;
    Ready ready_;
    Respond respond_;
    QTimer timer_;
    bool sent_ = false;
};

} // namespace merovan
