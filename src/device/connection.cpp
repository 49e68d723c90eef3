#include "device/connection.h"

namespace merovan {

Connection::Connection(TransportFactory factory) : factory_(std::move(factory)) {}

Connection::~Connection() = default;

CommandResult Connection::open(const QString &previousText)
{
    if (!reopen_)
        openedWith_ = connectionText;
    reopen_ = false;
    const bool serial = openedWith_.left(3) == QStringLiteral("com");
    current_ = factory_(serial ? TransportKind::Serial : TransportKind::Network);
    const qint16 code = current_->open(openedWith_);
    return {code, serial ? current_->lastFailure().text : previousText};
}

void Connection::dropLostTransport()
{
    if (current_ && current_->lost()) {
        current_.reset();
        reopen_ = true;
    }
}

void Connection::close(const QString &connectionText)
{
    if (!current_)
        return;
    if (connectionText.left(3).toLower() == QStringLiteral("com")) {
        current_->close();
        current_.reset();
    } else if (current_->isOpen()) {
        current_->close();
    }
}

} // namespace merovan
