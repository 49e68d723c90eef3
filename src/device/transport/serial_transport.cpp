#include "device/transport/serial_transport.h"

#include "device/transport/serial_device_name.h"
#include "greek/cp1253.h"

#include <QThread>

#include <limits>
#include <optional>

namespace merovan {
namespace {

constexpr qsizetype kMaxRead = 255;
constexpr int kFirstByteWaitMs = 256;
constexpr int kByteGapMs = 20;
constexpr char kEot = 4;
// Writing only hands the bytes to the driver; this bounds a line that has
// stopped taking them.
constexpr int kWriteBaseMs = 100;

std::optional<qint32> parseBaud(const QString &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok || value == 0 || value > uint(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(value);
}

} // namespace

qint16 SerialTransport::open(const QString &connectionText)
{
    forgetFailure();
    lost_ = false;
    connectionText_ = connectionText;
    port_.close();  // opening again starts afresh from the new text

    const QStringList pieces = connectionText.split(QLatin1Char(':'));
    port_.setPortName(serialDeviceName(pieces.value(0)));
    if (port_.portName().isEmpty() || !port_.open(QIODevice::ReadWrite)) {
        fail(-1, QStringLiteral("Πρόβλημα στην Θύρα :") + connectionText);
        return -1;
    }

    const std::optional<qint32> baud = parseBaud(pieces.value(1));
    const bool setUp = baud && port_.setBaudRate(*baud)
        && port_.setDataBits(QSerialPort::Data8) && port_.setParity(QSerialPort::NoParity)
        && port_.setStopBits(QSerialPort::OneStop) && port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!setUp) {
        port_.close();
        fail(-2, QStringLiteral("Πρόβλημα στο Set-Up τής Θύρας :") + connectionText);
        return -2;
    }
    return 0;
}

bool SerialTransport::send(const QString &text)
{
    const QByteArray bytes = toCp1253(withTerminator(text));
    if (!port_.isOpen() || port_.write(bytes) != bytes.size())
        return false;
    const QDeadlineTimer deadline(kWriteBaseMs + bytes.size());
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(int(deadline.remainingTime()))) {
            // Nothing of a failed command may trail into the next one.
            if (!noticeLostDevice())
                port_.clear(QSerialPort::Output);
            return false;
        }
    }
    return true;
}

QString SerialTransport::receive(int waitMs)
{
    if (!waitForBytes(QDeadlineTimer(qBound(0, waitMs, kFirstByteWaitMs))))
        return {};
    QByteArray bytes = port_.read(kMaxRead);
    // A reply that ends in EOT is complete: nothing more is waited for, as a
    // UDP reply is one datagram.
    while (bytes.size() < kMaxRead && !bytes.endsWith(kEot) && waitForBytes(QDeadlineTimer(kByteGapMs)))
        bytes += port_.read(kMaxRead - bytes.size());
    return fromCp1253(bytes);
}

bool SerialTransport::waitForData(int waitMs)
{
    return waitForBytes(QDeadlineTimer(qMax(0, waitMs)));
}

void SerialTransport::close()
{
    port_.close();
}

int SerialTransport::readTimeoutMs() const { return kFirstByteWaitMs; }

bool SerialTransport::isOpen() const
{
    return port_.isOpen();
}

// A failing device makes the port give up before the deadline; the rest of
// the wait is slept away so that no caller ends up polling a dead port.
bool SerialTransport::waitForBytes(const QDeadlineTimer &deadline)
{
    if (port_.bytesAvailable() > 0)
        return true;
    if (port_.isOpen() && port_.waitForReadyRead(int(deadline.remainingTime())))
        return true;
    if (noticeLostDevice())
        return false;
    QThread::msleep(ulong(deadline.remainingTime()));
    return false;
}

bool SerialTransport::noticeLostDevice()
{
    // A pseudo-terminal whose other end closed fails its reads (EIO); a
    // pulled USB adapter reports the resource gone. Either way the device
    // will not answer again until it is opened anew.
    const QSerialPort::SerialPortError error = port_.error();
    if (!port_.isOpen() || (error != QSerialPort::ResourceError && error != QSerialPort::ReadError &&
                            error != QSerialPort::WriteError))
        return false;
    port_.close();
    lost_ = true;
    fail(-1, QStringLiteral("Πρόβλημα στην Θύρα :") + connectionText_);
    return true;
}

} // namespace merovan
