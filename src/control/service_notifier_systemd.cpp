#include "control/service_notifier.h"

#include "control/bridge.h"
#include "control/console_operator.h"

#include <systemd/sd-daemon.h>

namespace merovan {

ServiceNotifier::ServiceNotifier(Bridge &bridge, ConsoleOperator &console, QObject *parent) : QObject(parent)
{
    // The bridge and the console run on the worker; the notices go out from
    // this object's thread, in the order they were made.
    connect(&bridge, &Bridge::started, this, [this] { tell(QStringLiteral("READY=1")); });
    connect(&console, &ConsoleOperator::statusShown, this,
            [this](const QString &status) { tell(QStringLiteral("STATUS=") + status); });
    connect(&bridge, &Bridge::programEnded, this, [this] { tell(QStringLiteral("STOPPING=1")); });
}

void ServiceNotifier::tell(const QString &state)
{
    // A status line is one line: a CR inside a message would end it early.
    QString text = state;
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    sd_notify(0, text.toUtf8().constData());
}

} // namespace merovan
