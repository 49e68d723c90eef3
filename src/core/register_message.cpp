#include "core/register_message.h"

#include "core/clock.h"

#include <QMutexLocker>

#include <cmath>

namespace merovan {

RegisterMessage::RegisterMessage(const Clock &clock, QObject *parent) : QObject(parent), clock_(clock) {}

RegisterMessage::~RegisterMessage() = default;

void RegisterMessage::open()
{
    {
        QMutexLocker lock(&mutex_);
        if (opened_)
            return;
        opened_ = true;
        openedAt_ = roundedToSecond(clock_.now());
        detail_.clear();
        caption_ = QStringLiteral("Συναλλαγή EFTPOS");
        message_ = QStringLiteral("Αναμονή Απάντησης EFTPOS");
    }
    Q_EMIT changed();
}

QString RegisterMessage::caption() const
{
    QMutexLocker lock(&mutex_);
    return caption_;
}

QString RegisterMessage::message() const
{
    QMutexLocker lock(&mutex_);
    return message_;
}

QString RegisterMessage::detail() const
{
    QMutexLocker lock(&mutex_);
    return detail_;
}

void RegisterMessage::setText(QString &field, const QString &text)
{
    open();
    {
        QMutexLocker lock(&mutex_);
        field = text;
    }
    Q_EMIT changed();
}

void RegisterMessage::setCaption(const QString &text) { setText(caption_, text); }

void RegisterMessage::setMessage(const QString &text) { setText(message_, text); }

void RegisterMessage::setDetail(const QString &text) { setText(detail_, text); }

void RegisterMessage::tick()
{
    if (!isOpen())
        return;
    {
        QMutexLocker lock(&mutex_);
        const auto seconds = std::lround(static_cast<double>(openedAt_.msecsTo(clock_.now())) / 1000.0);
        message_ = QStringLiteral("Αναμονή EFTPOS [%1]").arg(seconds, 2, 10, QLatin1Char('0'));
    }
    Q_EMIT ticked();
}

void RegisterMessage::close()
{
    if (closed_.exchange(true))
        return;
    Q_EMIT closed();
}

} // namespace merovan
