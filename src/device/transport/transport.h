#pragma once

#include <QString>
#include <QtGlobal>

namespace merovan {

// One way to reach the register: the serial line (SerialTransport) or UDP (UdpTransport).
// The exchange uses only these members, whichever transport it has.
//
// Text crosses the wire as Windows-1253 bytes. send appends CR LF to any
// text longer than two characters that does not already end in CR LF.
//
// Reads never spin: receive blocks on the device for at most waitMs
// waiting for the first byte (or datagram) and returns what it got, possibly
// empty. The exchange hands it the time left to its deadline, so a silent
// register costs no CPU while the protocol's deadlines stay exact.
class Transport {
public:
    virtual ~Transport() = default;

    // Opens the connection described by the connection text ("com1:9600",
    // "192.168.1.20:5012"). Returns 0 or the transport's negative open code.
    virtual qint16 open(const QString &connectionText) = 0;

    // Writes one command; false when it could not be handed to the line.
    virtual bool send(const QString &text) = 0;

    virtual QString receive(int waitMs) = 0;

    // Whether something is waiting to be read, waiting at most waitMs.
    virtual bool waitForData(int waitMs) = 0;

    virtual void close() = 0;

    // True while the device or socket is open.
    virtual bool isOpen() const = 0;

    // How long one plain read waits for a first byte: the serial line's read
    // time-out (256 ms), nothing for UDP. The exchange's single reads after
    // a pause take it, so a reply a moment late is not left for the next
    // command.
    virtual int readTimeoutMs() const { return 0; }

    // True once the device has gone away under an open connection;
    // lastFailure() then says why. Opening a new transport is the way back.
    virtual bool lost() const { return false; }

    // The last failure of the open, a write or a read, until forgotten.
    struct Failure {
        qint16 code = 0;
        QString text;
    };
    Failure lastFailure() const { return failure_; }
    // A new command starts with no failure.
    void forgetFailure() { failure_ = {}; }

protected:
    void fail(qint16 code, const QString &text) { failure_ = {code, text}; }

private:
    Failure failure_;
};

// Appends CR LF to a command longer than two characters that lacks it.
QString withTerminator(const QString &text);

} // namespace merovan
