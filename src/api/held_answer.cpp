#include "api/held_answer.h"

#include <chrono>
#include <utility>

namespace merovan {

HeldAnswer::HeldAnswer(HttpAnswerPtr answer, qint64 seconds, Ready ready, Respond respond, QObject *parent)
    : QObject(parent), answer_(std::move(answer)), ready_(std::move(ready)), respond_(std::move(respond))
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &HeldAnswer::finish);
    timer_.start(std::chrono::seconds(seconds));
}

void HeldAnswer::wake()
{
    if (!sent_ && ready_())
        finish();
}

void HeldAnswer::finish()
{
    if (sent_)
        return;
    sent_ = true;
    timer_.stop();
    answer_->send(respond_());
    deleteLater();
}

} // namespace merovan
