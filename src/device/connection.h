#pragma once

#include "device/command_result.h"
#include "device/transport/transport.h"

#include <QString>

#include <functional>
#include <memory>

namespace merovan {

enum class TransportKind { Serial, Network };

// Makes an unopened transport of the given kind; tests hand in fakes.
using TransportFactory = std::function<std::unique_ptr<Transport>(TransportKind)>;

// The real serial (SerialTransport) and UDP (UdpTransport) transports.
TransportFactory defaultTransports();

// The one connection to the register. It is created and opened by the
// first command from connectionText and kept for the whole run: a failed
// open is not retried, the next commands simply try the same object. The
// one exception is a device that went away under an open connection: the
// next job drops it (dropLostTransport) and its first command opens anew.
class Connection {
public:
    explicit Connection(TransportFactory factory = defaultTransports());
    ~Connection();

    // "com1:9600" or "192.168.1.20:5012"; only the first three characters,
    // exactly "com", choose the serial line.
    QString connectionText;

    Transport *transport() const { return current_.get(); }

    // Creates and opens the transport: the open's code with, for the serial
    // line, the port's error text (empty when it opened); the network's open
    // gives only a code, and the text stays previousText.
    CommandResult open(const QString &previousText);

    // Forgets a transport whose device has gone, so the next command opens
    // the connection again, with the text it was first opened with: the job
    // ticks refresh connectionText from the [port] line alone, without the
    // baud that the serial line needs.
    void dropLostTransport();

    // Shuts the link down at the end of the run. Here the "com" test
    // ignores letter case.
    void close(const QString &connectionText);

private:
    TransportFactory factory_;
    std::unique_ptr<Transport> current_;
    QString openedWith_;
    bool reopen_ = false;
};

} // namespace merovan
