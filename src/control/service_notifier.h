#pragma once

#include <QObject>
#include <QString>

namespace merovan {

class Bridge;
class ConsoleOperator;

// Keeps a service manager told about merovand: "READY=1" once the bridge
// has read its settings and runs (a register that is still being searched
// for does not hold the start, so a shop's other services are not held up
// by a register that is switched off), each status line the console prints
// as the unit's status ("STATUS=..."), and "STOPPING=1" when the program
// ends.
// Without a service manager listening (no NOTIFY_SOCKET) it does nothing.
class ServiceNotifier final : public QObject {
    Q_OBJECT
public:
    ServiceNotifier(Bridge &bridge, ConsoleOperator &console, QObject *parent = nullptr);

private:
    void tell(const QString &state);
};

} // namespace merovan
