#pragma once

#include "device/transport/transport.h"

#include <QDeadlineTimer>
#include <QSerialPort>

namespace merovan {

// The register on a serial line: "comN:baud", 8 data bits, no parity, one
// stop bit, no flow control. Used synchronously: no event loop runs during
// an exchange, so every wait blocks on the port with a deadline.
//
// open records its failure: -1 and "Πρόβλημα στην Θύρα :" +
// the port text when the device cannot be opened (absent, or held by another
// program: the port is opened exclusively); -2 and "Πρόβλημα στο Set-Up τής
// Θύρας :" + the port text when the baud is not a positive decimal number or
// the line refuses the settings. A port that opened but could not be set up
// is closed again at once: nothing could use it, and holding it would lock
// out every other program until this one ends.
//
// Read and write failures are not reported: a failed write returns false, a
// failed read returns empty text. A device that disappears (USB adapter
// pulled, pseudo-terminal closed) is closed and reported as lost, with -1
// and the port text, so the exchange fails at once instead of waiting out
// its deadlines on a dead port.
//
// Destroying the object closes the port.
class SerialTransport final : public Transport {
public:
    qint16 open(const QString &connectionText) override;

    // Sends the whole command in one write with one terminator, however long
    // it is. Cutting a long command into 255-byte pieces would end every
    // piece in CR LF and turn one command into several broken ones.
    bool send(const QString &text) override;

    // Waits up to min(waitMs, 256) ms for the first byte, then keeps reading
    // until 20 ms pass without a new byte, 255 bytes are in, or what came
    // ends in EOT (a complete reply: waiting 20 ms more would only add to
    // every exchange); bytes beyond those stay for the next call. A closed or failed port still takes the
    // wait, so a caller's read loop never spins.
    QString receive(int waitMs) override;

    // True when bytes are waiting or arrive within waitMs.
    bool waitForData(int waitMs) override;

    void close() override;
    bool isOpen() const override;
    bool lost() const override { return lost_; }
    int readTimeoutMs() const override;

private:
    bool waitForBytes(const QDeadlineTimer &deadline);
    // Closes a port whose device has gone; true when it had.
    bool noticeLostDevice();

    QSerialPort port_;
    QString connectionText_;
    bool lost_ = false;
};

} // namespace merovan
