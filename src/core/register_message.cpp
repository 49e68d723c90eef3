#include "core/register_message.h"

#include "core/clock.h"

#include <cmath>

namespace merovan {

RegisterMessage::RegisterMessage(const Clock &clock, QObject *parent) : QObject(parent), clock_(clock)
{
    counter_.setInterval(1000);
    connect(&counter_, &QTimer::timeout, this, &RegisterMessage::tick);
}

RegisterMessage::~RegisterMessage() = default;

void RegisterMessage::open()
{
    if (opened_)
        return;
    opened_ = true;
    if (!skipTimer_)
        counter_.start();
    openedAt_ = roundedToSecond(clock_.now());
    detail_.clear();
    caption_ = QStringLiteral("Συναλλαγή EFTPOS");
    message_ = QStringLiteral("Αναμονή Απάντησης EFTPOS");
    Q_EMIT changed();
}

void RegisterMessage::setCaption(const QString &text)
{
    open();
    caption_ = text;
    Q_EMIT changed();
}

void RegisterMessage::setMessage(const QString &text)
{
    open();
    message_ = text;
    Q_EMIT changed();
}

void RegisterMessage::setDetail(const QString &text)
{
    open();
    detail_ = text;
    Q_EMIT changed();
}

void RegisterMessage::tick()
{
    if (!isOpen())
        return;
    const auto seconds = std::lround(static_cast<double>(openedAt_.msecsTo(clock_.now())) / 1000.0);
    message_ = QStringLiteral("Αναμονή EFTPOS [%1]").arg(seconds, 2, 10, QLatin1Char('0'));
    Q_EMIT ticked();
}

void RegisterMessage::close()
{
    counter_.stop();
    if (closed_)
        return;
    closed_ = true;
    Q_EMIT closed();
}

} // namespace merovan
